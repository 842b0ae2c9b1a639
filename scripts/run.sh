#!/usr/bin/env bash
# Builds the program and shows it at work.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake -S . -B build/app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNICK_TESTS=OFF -DVORNICK_BENCH=OFF
cmake --build build/app -j"$(nproc)" --target vornick-cli
printf '%s\n' "01-the_beatles-let_it_be.mp3" "u2_-_one (live at wembley).mp3" \
  "DJ Tiesto - Adagio for strings (REMIX).mp3" "What's up? [radio edit].mp3" |
  while IFS= read -r name; do
    printf '%-45s -> %s\n' "$name" "$(build/app/cli/vornick-cli clean -- "$name")"
  done
