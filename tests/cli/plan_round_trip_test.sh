#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vornick-cli rename on a generated tree, then apply --undo of the plan it wrote: the tree must be
# byte-for-byte as before. Two files that clean to the same name both survive, one renamed and the
# other reported. Output to a full disk exits 3 and leaves the tree as it was.
# Usage: plan_round_trip_test.sh PATH/TO/vornick-cli
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"  # no settings: MP3 files
export XDG_STATE_HOME="$work/state"    # the history of this test's renames only
mkdir -p "$XDG_CONFIG_HOME"
root="$work/library"

file() {  # file PATH: a file of random bytes
  mkdir -p "$(dirname "$1")"
  head -c $((RANDOM % 4096 + 1)) /dev/urandom > "$1"
}
for artist in "the_beatles" "DJ tiesto" "u2" "ac-dc" "björk" $'caf\xe9'; do
  for album in "live_at_wembley" "Greatest Hits" "(remix) best_of"; do
    for track in 01-intro_song "02 - what's up? [radio edit]" "03-A_B_C" "Already Clean"; do
      file "$root/$artist/$album/$track.mp3"
    done
    file "$root/$artist/$album/cover_art.jpg"
    file "$root/$artist/$album/.hidden_track.mp3"
  done
done
file "$root/a_b.mp3"          # these two clean to the same name
file "$root/a b.mp3"
file "$root/song.mp3"         # case only
file "$root/LOUD_SONG.MP3"
file "$root/-intro.mp3"       # cannot be cleaned
file "$root/#.mp3"            # would become hidden
file "$root/back\\slash_x.mp3"
file "$root/tab	in_name.mp3"
file "$root/line
feed_x.mp3"
file "$root/deep/er/still/deeper/x_y.mp3"

snapshot() {
  (cd "$root" && find . -print0 | LC_ALL=C sort -z | xargs -0 -n 64 sha256sum 2>/dev/null || true
   cd "$root" && find . -type d -print0 | LC_ALL=C sort -z | tr '\0' '\n')
}
snapshot > "$work/before"

status=0
"$cli" rename "$root" > "$work/plan" 2> "$work/errors" || status=$?
[ "$status" -eq 1 ] || { echo "rename: expected status 1, got $status"; cat "$work/errors"; exit 1; }

# Both colliding files are there: one renamed, the other as it was and reported.
[ -f "$root/A B.mp3" ] && [ -f "$root/a_b.mp3" ] || { echo "a collision lost a file"; exit 1; }
[ ! -e "$root/a b.mp3" ] || { echo "a b.mp3 was not renamed"; exit 1; }
grep -q 'a_b.mp3" to "A B.mp3"' "$work/errors" || { echo "collision not reported"; exit 1; }
grep -q '#.mp3" to ".mp3"' "$work/errors" || { echo "hiding rename not reported"; exit 1; }
[ "$(wc -l < "$work/errors")" -eq 2 ] || { echo "unexpected errors:"; cat "$work/errors"; exit 1; }
[ -f "$root/Song.mp3" ] && [ ! -e "$root/song.mp3" ] || { echo "case-only change not done"; exit 1; }
[ -f "$root/#.mp3" ] && [ ! -e "$root/.mp3" ] || { echo "a file was hidden"; exit 1; }
if [ "$(snapshot | sha256sum)" = "$(sha256sum < "$work/before")" ]; then
  echo "rename changed nothing"; exit 1
fi

"$cli" apply "$work/plan" --undo || { echo "apply PLAN --undo failed"; exit 1; }
snapshot > "$work/after"
cmp "$work/before" "$work/after" || { diff "$work/before" "$work/after"; exit 1; }

# Output that cannot be written exits 3, and rename puts back what it renamed.
printf '[1.0]\nFileTypes=MP3\n' > "$XDG_CONFIG_HOME/Plomberg.ini"  # MP3 still, and a line for types
for command in rename preview clean types; do
  if [ "$command" = types ]; then set --; else set -- "$root"; fi
  status=0
  "$cli" "$command" "$@" > /dev/full 2> /dev/null || status=$?
  [ "$status" -eq 3 ] || { echo "$command > /dev/full: status $status"; exit 1; }
done
snapshot | cmp - "$work/before" || { echo "rename > /dev/full left files renamed"; exit 1; }

# A plan read from standard input; a malformed one is refused with its line number, doing nothing.
"$cli" preview "$root/song.mp3" | "$cli" apply - && [ -f "$root/Song.mp3" ]
printf '1\tSong.mp3\tsong.mp3\t%s/\nbroken\n' "$root" > "$work/bad"
status=0
"$cli" apply "$work/bad" 2> "$work/errors" || status=$?
[ "$status" -eq 2 ] && grep -q ':2: malformed plan' "$work/errors" && [ -f "$root/Song.mp3" ] ||
  { echo "malformed plan not refused"; exit 1; }
echo "ok"
