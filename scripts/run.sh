#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake -S . -B build/app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNICK_TESTS=OFF -DVORNICK_BENCH=OFF
cmake --build build/app -j"$(nproc)" --target vornick vornick-cli
program=build/app/gui/vornick

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<EOM
Built $program, but there is no display here to open its window on (neither DISPLAY nor
WAYLAND_DISPLAY is set). On a desktop, run this command from a terminal of the desktop session.
On a machine without a display, open the window on a virtual one (Xvfb, installed above):
    xvfb-run -a bash scripts/run.sh
or see it at work in a picture: bash scripts/setup.sh test && bash scripts/screenshot.sh
EOM
  exit 1
fi
echo "Opening the window; it runs until you press Exit or close it."
exec "$program"
