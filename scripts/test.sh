#!/usr/bin/env bash
# Builds and runs every test: the full build, then the core and command line without Qt Widgets
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
jobs=$(nproc)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs" --timeout 600

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVORNICK_SANITIZE=ON -DVORNICK_WINDOW=OFF \
  -DVORNICK_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs" --timeout 600
