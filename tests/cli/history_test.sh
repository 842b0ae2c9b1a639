#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The rename history through the real program: a rename killed (SIGKILL) before, during and after
# its renames, and an undo killed half-way, are taken back by `vornick-cli undo` to exactly the
# tree before, names and contents; a file replaced or renamed since is refused with its reason
# while the rest are taken back; a damaged history is set aside and replaced; a history that
# cannot be written stops a rename before it renames anything, unless --no-history.
# Usage: history_test.sh PATH/TO/vornick-cli
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
history=$XDG_STATE_HOME/vornick/history.sqlite
lib=$work/lib
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every file's path and contents, sorted.
snapshot() { (cd "$lib" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
renamed_count() { find "$lib" -name '*A B*' | wc -l; }

# 20,000 files in 20 folders, each holding its own name, so that a file overwritten shows.
mkdir -p "$lib"
for d in $(seq -w 20); do
  mkdir "$lib/f$d"
  (cd "$lib/f$d" && for n in $(seq -w 1000); do printf '%s' "$d$n" > "a_b $n.mp3"; done)
done
snapshot > "$work/before"
total=$(find "$lib" -type f | wc -l)

# undo_all: takes back every batch with files still renamed; the tree must be as before.
undo_all() {
  local status=0
  while "$cli" undo > "$work/out" 2> "$work/err" && ! grep -q 'no batch' "$work/err"; do :; done ||
    status=$?
  [ "$status" -eq 0 ] || fail "$1: undo exited $status: $(cat "$work/err")"
  snapshot | cmp -s - "$work/before" || fail "$1: the tree is not as before"
}

# kill_rename WHEN: a rename killed before any file is renamed, once some are, or once all are.
kill_rename() {
  "$cli" rename "$lib" > "$work/plan" 2> /dev/null &
  local pid=$!
  case $1 in
    before) ;;
    during)
      until [ -n "$(find "$lib" -name 'A B *' -print -quit)" ] || ! kill -0 $pid 2> /dev/null; do
        :
      done ;;
    after) until [ "$(renamed_count)" -eq "$total" ] || ! kill -0 $pid 2> /dev/null; do sleep 0.01; done ;;
  esac
  kill -9 $pid 2> /dev/null || true
  wait $pid 2> /dev/null || true
}

for when in before during after; do
  kill_rename $when
  renamed=$(renamed_count)
  case $when in
    during) [ "$renamed" -gt 0 ] && [ "$renamed" -lt "$total" ] ||
      fail "during: the kill came with $renamed of $total renamed" ;;
    after) [ "$renamed" -eq "$total" ] || fail "after: $renamed of $total renamed" ;;
  esac
  undo_all "rename killed $when"
done

# An undo killed half-way, then run again: it finishes and renames no file twice.
"$cli" rename "$lib" > /dev/null
"$cli" undo > /dev/null 2>&1 &
pid=$!
until [ "$(renamed_count)" -lt "$total" ] || ! kill -0 $pid 2> /dev/null; do :; done
kill -9 $pid 2> /dev/null || true
wait $pid 2> /dev/null || true
[ "$(renamed_count)" -gt 0 ] || fail "undo: the kill came after every file was back"
"$cli" undo > "$work/out" 2> "$work/err" || fail "undo again: $(cat "$work/err")"
grep -q ' back already' "$work/out" || fail "undo again: $(cat "$work/out")"
snapshot | cmp -s - "$work/before" || fail "undo killed half-way: the tree is not as before"
"$cli" history > "$work/out"
[ "$(head -n 1 "$work/out" | cut -f 3,4)" = "taken back	$total files" ] ||
  fail "history: $(head -n 1 "$work/out")"

# A file replaced, and one renamed again, since the rename: both named, the rest taken back.
small=$work/small
mkdir "$small"
touch "$small/a_b.mp3" "$small/c_d.mp3" "$small/e_f.mp3"
"$cli" rename "$small" > /dev/null
rm "$small/A B.mp3" && echo other > "$small/A B.mp3"
mv "$small/C D.mp3" "$small/elsewhere.mp3"
status=0
"$cli" undo > "$work/out" 2> "$work/err" || status=$?
[ "$status" -eq 1 ] || fail "undo of changed files: status $status"
grep -qF "\"$small/A B.mp3\" to \"a_b.mp3\": the file there now is not the one that was renamed" \
  "$work/err" || fail "replaced: $(cat "$work/err")"
grep -qF "\"$small/C D.mp3\" to \"c_d.mp3\": the file is not there" "$work/err" ||
  fail "renamed again: $(cat "$work/err")"
[ "$(ls "$small" | tr '\n' ' ')" = "A B.mp3 e_f.mp3 elsewhere.mp3 " ] || fail "changed: $(ls "$small")"

# A damaged history: named, kept under another name, and a new one started.
echo "not a database" > "$history"
rm -f "$history-wal" "$history-shm"
"$cli" history > "$work/out" 2> "$work/err" || fail "damaged history: $(cat "$work/err")"
grep -qF "$history was damaged" "$work/err" || fail "damaged history: $(cat "$work/err")"
kept=$(ls "$XDG_STATE_HOME/vornick" | grep -F 'history.sqlite.damaged-' | head -n 1)
[ "$(cat "$XDG_STATE_HOME/vornick/$kept")" = "not a database" ] || fail "damaged history not kept"
touch "$small/g_h.mp3"
"$cli" rename "$small/g_h.mp3" > /dev/null && [ -e "$small/G H.mp3" ] || fail "new history"
[ "$("$cli" history | wc -l)" -eq 1 ] || fail "new history: $("$cli" history)"

# A file in the way of the history's folder: nothing renamed, unless --no-history.
touch "$small/i_j.mp3"
status=0
XDG_STATE_HOME=$small/i_j.mp3 "$cli" rename "$small" > /dev/null 2> "$work/err" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l < "$work/err")" -eq 1 ] && grep -qF "$small/i_j.mp3" "$work/err" ||
  fail "history in the way: status $status: $(cat "$work/err")"
[ -e "$small/i_j.mp3" ] && [ -e "$small/e_f.mp3" ] || fail "history in the way: renamed $(ls "$small")"
XDG_STATE_HOME=$small/i_j.mp3 "$cli" rename --no-history "$small/e_f.mp3" > /dev/null &&
  [ -e "$small/E F.mp3" ] || fail "--no-history did not rename"

[ "$failures" -eq 0 ] || exit 1
echo "ok"
