#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornick-cli preview of a generated library, end to end (process start to last byte), beside a
# getdents walk that prints the same files, both timed by hyperfine; prints the ratio. The preview
# exits with 1 when it marks rows that Rename would refuse, as a generated library has.
#   bench/preview_benchmark.sh BUILD_DIR [LIBRARY]
# Without LIBRARY, form1_benchmark writes one (100,000 files in 11,000 folders) and it is removed
# afterwards. Needs hyperfine (Debian package hyperfine).
set -euo pipefail
build=$(realpath "$1")
library=${2:-}
work=$(mktemp -d /tmp/vornick-preview.XXXXXX)
cleanup() {
  rm -rf "$work"
  if [ -n "${generated:-}" ]; then rm -rf "$generated"; fi
}
trap cleanup EXIT
if [ -z "$library" ]; then
  "$build/bench/form1_benchmark" --root=/tmp --keep --benchmark_filter=none 2>"$work/log" >/dev/null
  generated=$(sed -n 's/^library: .* at //p' "$work/log")
  library=$generated
fi
# A settings file of the user's own, so that the settings are read as they are at home.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
printf '[1.0]\nFileTypes=MP3\nCheckedIndexes=0\n' >"$XDG_CONFIG_HOME/Plomberg.ini"
hyperfine --warmup 2 --runs 10 --ignore-failure --export-json "$work/times.json" \
  -n preview "$build/cli/vornick-cli preview '$library' >/dev/null 2>&1" \
  -n walk "$build/bench/getdents_walk '$library' >/dev/null"
python3 - "$work/times.json" <<'PY'
import json, sys
times = {r["command"]: min(r["times"]) for r in json.load(open(sys.argv[1]))["results"]}
print(f"preview / getdents walk (fastest runs): {times['preview'] / times['walk']:.2f} (target 1.6 at most)")
PY
