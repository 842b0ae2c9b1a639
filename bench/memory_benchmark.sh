#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The memory a library of a million music files costs: the peak resident size of
# `vornick-cli preview`, and the resident size of the window once it has loaded the library, each
# beside its target.
#   bench/memory_benchmark.sh BUILD_DIR [LIBRARY]
# Without LIBRARY, form1_benchmark writes one (1,000,000 files in 100,000 folders, ten a folder,
# about 400 MiB of folders and 1.1 million inodes) under /tmp, and, for comparison, one of 100,000
# files in 10,000 folders; both are removed afterwards (about 2.5 minutes in all, most of them
# writing and removing the big one). The types taken are every music type the
# generated library holds (MP3, FLAC, OGG); FILE_TYPES=MP3 (say) takes fewer.
# The preview's peak is GNU time's maximum resident size (Debian package time). The window runs
# on Qt's offscreen platform; it counts as loaded once its CPU time (utime + stime) has stood still
# for 2 seconds (it may go on working out the counts line while idle, so a quiet spell is the end
# of all its work, not of the walk alone); then its VmRSS is read, and it is ended.
set -euo pipefail
build=$(realpath "$1")
library=${2:-}
types=${FILE_TYPES:-MP3,FLAC,OGG}
quiet_seconds=2
timeout_seconds=900
preview_target=120
window_target=150

if [ ! -x /usr/bin/time ]; then
  echo "memory_benchmark: needs GNU time at /usr/bin/time (Debian package time)" >&2
  exit 2
fi
work=$(mktemp -d /tmp/vornick-memory.XXXXXX)
generated=()
window_pid=
cleanup() {
  if [ -n "$window_pid" ]; then kill "$window_pid" 2>/dev/null || true; fi
  rm -rf "$work"
  if [ ${#generated[@]} -ne 0 ]; then rm -rf "${generated[@]}"; fi
}
trap cleanup EXIT

# Writes a library of $1 files in $2 folders; prints its path.
generate() {
  "$build/bench/form1_benchmark" --root=/tmp --keep --files="$1" --folders="$2" \
    --benchmark_filter=none 2>"$work/generate.log" >/dev/null
  sed -n 's/^library: .* at //p' "$work/generate.log"
}

# The program's own settings, history and state, away from the user's: the types chosen, every
# one checked (CheckedIndexes lists their positions: 0,1,2,...).
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
count=$(($(tr -cd , <<<"$types" | wc -c) + 1))
checked=$(seq -s , 0 $((count - 1)))
printf '[1.0]\nFileTypes=%s\nCheckedIndexes=%s\n' "$types" "$checked" \
  >"$XDG_CONFIG_HOME/Plomberg.ini"

mib() { echo $((($1 + 512) / 1024)); }

# The preview's peak resident size in KiB. Exit status 1 only says that some rows would be
# refused, which a generated library has.
preview_peak() {
  local status=0
  /usr/bin/time -f %M -o "$work/peak" "$build/cli/vornick-cli" preview "$1" >/dev/null \
    2>"$work/preview.err" || status=$?
  if [ "$status" -gt 1 ]; then
    echo "memory_benchmark: vornick-cli preview failed (status $status):" >&2
    tail -n 5 "$work/preview.err" >&2
    exit 1
  fi
  tail -n 1 "$work/peak"
}

# The rows the plan holds (the same walk once more, its output counted).
preview_rows() { { "$build/cli/vornick-cli" preview "$1" 2>/dev/null || true; } | wc -l; }

# A field of /proc/$1/status, in KiB.
status_kib() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }

milliseconds() { echo $(($(date +%s%N) / 1000000)); }

# Starts the window on library $1 and waits until it is quiet; sets window_rss and window_hwm
# (KiB), and window_seconds (from its start to the last CPU tick seen). Quiet is no CPU tick
# (utime + stime) for $quiet_seconds once it has used 0.2 s: start-up alone uses about 0.05 s, and
# a load of even 100,000 files passes 0.2 s, so a quiet start-up is not taken for a finished load;
# a library too small to reach that counts as loaded after 10 quiet seconds. Its resident size
# grows only through page faults, which are CPU time too.
window_loaded() {
  QT_QPA_PLATFORM=offscreen "$build/gui/vornick" "$1" >"$work/window.log" 2>&1 &
  window_pid=$!
  local start now changed quiet stat fields ticks last=-1 enough
  enough=$(($(getconf CLK_TCK) / 5))
  start=$(milliseconds)
  changed=$start
  while :; do
    sleep 0.2
    now=$(milliseconds)
    stat=$(<"/proc/$window_pid/stat")
    read -r -a fields <<<"${stat##*) }"  # the fields after the name, which may hold spaces
    if [ "${fields[0]}" = Z ]; then
      echo "memory_benchmark: the window ended before it was loaded:" >&2
      tail -n 5 "$work/window.log" >&2
      exit 1
    fi
    ticks=$((fields[11] + fields[12]))
    if [ "$ticks" != "$last" ]; then
      last=$ticks changed=$now
      continue
    fi
    quiet=$((now - changed))
    if [ "$quiet" -ge $((quiet_seconds * 1000)) ] && [ "$ticks" -ge "$enough" ]; then break; fi
    if [ "$quiet" -ge 10000 ]; then break; fi
    if [ $((now - start)) -ge $((timeout_seconds * 1000)) ]; then
      echo "memory_benchmark: the window was not quiet within $timeout_seconds s" >&2
      exit 1
    fi
  done
  window_rss=$(status_kib "$window_pid" VmRSS)
  window_hwm=$(status_kib "$window_pid" VmHWM)
  window_seconds=$(awk -v ms=$((changed - start)) 'BEGIN { printf "%.1f", ms / 1000 }')
  kill "$window_pid"
  wait "$window_pid" 2>/dev/null || true
  window_pid=
}

# One library measured: $1 names it in the output.
measure() {
  local name=$1 path=$2 peak rows
  peak=$(preview_peak "$path")
  rows=$(preview_rows "$path")
  window_loaded "$path"
  echo "$name, $rows rows ($types):"
  echo "  preview peak: $(mib "$peak") MiB (target $preview_target MiB at most)"
  echo "  window once loaded: $(mib "$window_rss") MiB (target $window_target MiB at most);" \
    "peak while loading $(mib "$window_hwm") MiB; loaded in about $window_seconds s"
}

if [ -n "$library" ]; then
  measure "$library" "$library"
else
  generated+=("$(generate 1000000 100000)")
  measure "1,000,000 files in 100,000 folders" "${generated[0]}"
  generated+=("$(generate 100000 10000)")
  measure "100,000 files in 10,000 folders (for comparison; the targets are for a million)" \
    "${generated[1]}"
fi
