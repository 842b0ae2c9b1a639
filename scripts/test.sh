#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test, warnings as errors: the full build (with its Debian packages checked
# by lintian), then the core and command line without Qt Widgets under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
jobs=$(nproc)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNICK_WERROR=ON -DVORNICK_TESTS=ON \
  -DVORNICK_BENCH=ON
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs" --timeout 600

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVORNICK_SANITIZE=ON -DVORNICK_WINDOW=OFF \
  -DVORNICK_WERROR=ON -DVORNICK_TESTS=ON -DVORNICK_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs" --timeout 600
