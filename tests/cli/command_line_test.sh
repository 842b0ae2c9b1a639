#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornick-cli's command line as a shell user meets it: --help and --version on standard output,
# options anywhere before "--", a usage error on one line with a hint, names kept byte for byte.
# Usage: command_line_test.sh PATH/TO/vornick-cli VERSION
set -euo pipefail
cli=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run STATUS ARGS...: runs the program, output in $work/out and $work/err, and checks its status.
run() {
  local expected=$1 status=0
  shift
  "$cli" "$@" > "$work/out" 2> "$work/err" < /dev/null || status=$?
  [ "$status" -eq "$expected" ] || fail "vornick-cli $*: status $status, not $expected"
}
# One line on standard error that holds each of the given strings, and nothing on standard output.
one_error_line() {
  [ "$(wc -l < "$work/err")" -eq 1 ] && [ ! -s "$work/out" ] || { fail "$*: $(cat "$work/err")"; return; }
  for text in "$@"; do grep -qF -- "$text" "$work/err" || fail "no '$text' in: $(cat "$work/err")"; done
}

run 0 --help
grep -q '^usage: vornick-cli COMMAND' "$work/out" && [ ! -s "$work/err" ] || fail "--help: $(cat "$work/out")"
run 0 --version
[ "$(cat "$work/out")" = "vornick-cli $version" ] || fail "--version: $(cat "$work/out")"
for command in clean preview apply rename types history undo; do
  for help in --help -h; do
    run 0 "$command" "$help"
    grep -q "^usage: vornick-cli $command " <<<"$(head -n 1 "$work/out")" && [ ! -s "$work/err" ] ||
      fail "$command $help: $(cat "$work/out" "$work/err")"
  done
done

# Unknown options and commands: named on one line, with where to look.
run 2 --frobnicate clean
one_error_line "'--frobnicate'" "vornick-cli --help"
run 2 frobnicate
one_error_line "'frobnicate'" "vornick-cli --help"
for command in clean preview apply rename types history undo; do
  run 2 "$command" "$work" --frobnicate
  one_error_line "'--frobnicate'" "vornick-cli $command --help"
done
run 2 apply
one_error_line "PLAN is missing" "vornick-cli apply --help"
run 2 types set .mp3
one_error_line '".mp3"' "vornick-cli types --help"

# Options after the operands count; after "--" nothing is an option.
run 0 clean a_b.mp3 -z
[ "$(tr '\0' '|' < "$work/out")" = "A B.mp3|" ] || fail "clean NAME -z: $(cat "$work/out")"
run 1 clean -- -z
[ "$(cat "$work/out")" = "" ] && grep -q '"-z"' "$work/err" || fail "clean -- -z took -z as option"
# A name that is not UTF-8 comes back byte for byte.
run 0 clean $'caf\xe9_au_lait.mp3'
[ "$(cat "$work/out")" = $'Caf\xe9 Au Lait.mp3' ] || fail "clean changed the bytes of a name"

# Help that cannot be written is an unwritten output.
status=0
"$cli" clean --help > /dev/full 2> /dev/null || status=$?
[ "$status" -eq 3 ] || fail "clean --help > /dev/full: status $status"

[ "$failures" -eq 0 ] || exit 1
echo "ok"
