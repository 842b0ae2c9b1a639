#!/usr/bin/env bash
# Opens vornick on a virtual display (Xvfb), loads a small sample folder with "Load Folder" as a
# user would (a click on the button, the folder typed into the folder picker), and saves a picture
# of the window, found by its title.
# Usage: scripts/screenshot.sh [PROGRAM [OUTPUT.png]]
#   defaults: build/app/gui/vornick (what scripts/run.sh builds), docs/screenshot.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/gui/vornick}")
output=$(realpath -m "${2:-$root/docs/screenshot.png}")

if [ -z "${VORNICK_ON_XVFB:-}" ]; then
  exec env VORNICK_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program" "$output"
fi

fail() { echo "screenshot: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/v.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# The program sees a fresh home: no settings of the user's, and Qt's own widgets for the dialogs.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME
mkdir -m 700 "$XDG_RUNTIME_DIR"

music="$work/Music"
mkdir -p "$music/Live"
for name in "01-the_beatles-let_it_be.mp3" "u2_-_one (live at wembley).mp3" \
  "DJ Tiesto - Adagio for strings (REMIX).mp3" "What's up? [radio edit].mp3" \
  "Nina Simone - Feeling Good.mp3" "Live/02_-_ac dc_highway_to_hell.mp3"; do
  : >"$music/$name"
done

"$program" &
pid=$!
window=$(timeout 30 xdotool search --sync --name '^Vornick$' | head -1) ||
  fail "no window titled Vornick appeared"
sleep 0.5

# "Load Folder" (Check3) is 216 pixels from the left; its top is 1660 twips above the window's
# bottom edge (the window has no frame here), and it is 73 pixels high.
eval "$(xdotool getwindowgeometry --shell "$window")"
top=$(((HEIGHT * 15 - 1660) / 15))
xdotool mousemove --window "$window" 264 $((top + 36)) click 1
dialog=$(timeout 10 xdotool search --sync --name '^Please select folder to add:$' | head -1) ||
  fail "the folder picker did not open"
sleep 0.5
xdotool mousemove --window "$dialog" 20 20
xdotool type --delay 5 "$music"
xdotool key Return
for _ in $(seq 50); do
  xdotool search --name '^Please select folder to add:$' >/dev/null || break
  sleep 0.1
done
sleep 1
kill -0 "$pid" 2>/dev/null || fail "vornick ended early"

mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "screenshot: $output"
