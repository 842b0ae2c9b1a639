#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program under Xvfb, its window found by its title and photographed after
# Load Folder, with its rows' marks before and after Rename (pressed by Alt+R; Undo by Return must
# put the names back), under a dark scheme and in German; each picture must be the whole window
# and not blank, and the dark one dark.
# Usage: screenshot_test.sh SCREENSHOT_SCRIPT PROGRAM OUTPUT.png
set -euo pipefail
script=$1 program=$2 output=$3
pictures=("$output" "${output%.png}-risky.png" "${output%.png}-renamed.png"
  "${output%.png}-dark.png" "${output%.png}-de.png")
rm -f "${pictures[@]}"
bash "$script" "$program" "$output"
for picture in "${pictures[@]}"; do
  read -r format width height colours < <(identify -format '%m %w %h %k\n' "$picture")
  echo "$picture: $format ${width}x$height, $colours colours"
  [ "$format" = PNG ] || { echo "not a PNG" >&2; exit 1; }
  [ "$width" -eq 842 ] && [ "$height" -eq 506 ] || { echo "not the window's size" >&2; exit 1; }
  [ "$colours" -gt 50 ] || { echo "the picture is (nearly) blank" >&2; exit 1; }
done
# The dark picture's average is dark: nothing is forced to white.
mean=$(convert "${output%.png}-dark.png" -colorspace Gray -format '%[fx:int(100*mean)]' info:)
[ "$mean" -lt 40 ] || { echo "the dark scheme's picture is light (mean $mean%)" >&2; exit 1; }
