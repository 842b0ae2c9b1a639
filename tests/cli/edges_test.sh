#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornick-cli at the edges, run as a user without special rights: folders it cannot read and links
# to folders are named on standard error (exit 1) while everything else is renamed, also below
# PATH_MAX; a settings file that is there but cannot be read stops it (exit 2) before anything is
# renamed, and nothing waits on it.
# Usage: edges_test.sh PATH/TO/vornick-cli
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/m/locked" "$work/other" "$work/config" "$work/m/deep"
touch "$work/m/a_b.mp3" "$work/m/locked/c_d.mp3" "$work/other/e_f.mp3"
ln -s "$work/other" "$work/m/out"
# Deeper than PATH_MAX: 45 folders of 100 bytes each.
(cd "$work/m/deep" && for _ in $(seq 45); do d=$(printf 'd%.0s' $(seq 100)); mkdir "$d"; cd "$d"; done &&
  touch g_h.mp3)
# Root reads every folder whatever its permissions: run as nobody then, from a copy of the program
# in the test's own folder (the build may lie in a folder nobody cannot enter, as root's home).
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  cp "$cli" "$work/vornick-cli"
  cli=$work/vornick-cli
  chown -R nobody: "$work"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 000 "$work/m/locked"

# run STATUS ARGS...: output in $work/out and $work/err; never waits longer than 20 seconds.
run() {
  local expected=$1 status=0
  shift
  timeout 20 "${as_user[@]}" env XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" \
    "$cli" "$@" > "$work/out" \
    2> "$work/err" < /dev/null || status=$?
  [ "$status" -eq "$expected" ] || fail "vornick-cli $*: status $status, not $expected: $(cat "$work/err")"
}
names() { (cd "$work" && find . -name '*.mp3' -printf '%f\n' | sort | tr '\n' ' '); }

run 1 rename "$work/m"
[ "$(names)" = "A B.mp3 G H.mp3 c_d.mp3 e_f.mp3 " ] || fail "renamed: $(names)"
[ "$(wc -l < "$work/out")" -eq 2 ] || fail "plan: $(cat "$work/out")"
[ "$(cat "$work/err")" = "vornick-cli: passed over \"$work/m/out\": a link to a folder is not followed
vornick-cli: passed over \"$work/m/locked/\": Permission denied" ] ||
  fail "rename: $(cat "$work/err")"
cp "$work/out" "$work/plan"
run 0 apply --undo "$work/plan"
[ "$(names)" = "a_b.mp3 c_d.mp3 e_f.mp3 g_h.mp3 " ] || fail "undone: $(names)"

settings=$work/config/Plomberg.ini
for kind in unreadable folder fifo loop; do
  case $kind in
    unreadable) echo $'[1.0]\nFileTypes=WAV' > "$settings" && chmod 000 "$settings" ;;
    folder) mkdir "$settings" ;;
    fifo) mkfifo "$settings" ;;
    loop) ln -s "$settings" "$settings" ;;
  esac
  for command in rename types; do
    if [ "$command" = rename ]; then run 2 rename "$work/m"; else run 2 types; fi
    [ "$(wc -l < "$work/err")" -eq 1 ] && grep -qF "$settings" "$work/err" ||
      fail "$kind settings, $command: $(cat "$work/err")"
  done
  [ "$(names)" = "a_b.mp3 c_d.mp3 e_f.mp3 g_h.mp3 " ] || fail "$kind settings: renamed $(names)"
  rm -rf "$settings"
done

[ "$failures" -eq 0 ] || exit 1
echo "ok"
