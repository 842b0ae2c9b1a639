#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens vornick on a virtual display (Xvfb) and works it as a user would (clicks on the buttons,
# paths typed into the pickers), saving three pictures of the window, found by its title:
#   OUTPUT.png          a small sample folder after Load Folder;
#   OUTPUT-risky.png    after Clear List, Load Folder of a folder where one proposed name is taken
#                       and Load Files of a file listed already: those rows are marked;
#   OUTPUT-renamed.png  after Rename, pressed by its mnemonic Alt+R (its message closed): renamed
#                       and failed rows marked; then Undo, by Tab and Return, must put every name
#                       back;
#   OUTPUT-dark.png     the program started on a folder and a file under a dark colour scheme
#                       (qt6ct);
#   OUTPUT-de.png       the same in German.
# Usage: scripts/screenshot.sh [PROGRAM [OUTPUT.png]]
#   defaults: build/app/gui/vornick (what scripts/run.sh builds), docs/screenshot.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/gui/vornick}")
output=$(realpath -m "${2:-$root/docs/screenshot.png}")
risky=${output%.png}-risky.png renamed=${output%.png}-renamed.png
dark=${output%.png}-dark.png german=${output%.png}-de.png

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
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_STATE_HOME="$work/state"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME
mkdir -m 700 "$XDG_RUNTIME_DIR"

music="$work/Music" incoming="$work/Incoming"
mkdir -p "$music/Live" "$incoming"
for name in "01-the_beatles-let_it_be.mp3" "u2_-_one (live at wembley).mp3" \
  "DJ Tiesto - Adagio for strings (REMIX).mp3" "What's up? [radio edit].mp3" \
  "Nina Simone - Feeling Good.mp3" "Live/02_-_ac dc_highway_to_hell.mp3"; do
  : >"$music/$name"
done
# "u2_-_one.mp3" would become "U2 - One.mp3", which is there already.
for name in "01-the_beatles-let_it_be.mp3" "u2_-_one.mp3" "U2 - One.mp3" \
  "nina_simone-feeling_good.mp3" "What's up? [radio edit].mp3"; do
  : >"$incoming/$name"
done

# Starts the program with the arguments given and finds its window.
start() {
  "$program" "$@" &
  pid=$!
  window=$(timeout 30 xdotool search --sync --name '^Vornick$' | head -1) ||
    fail "no window titled Vornick appeared"
  sleep 0.5
}
stop() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
}
start

# A button by its left edge in twips (Rename 120, Load Folder 3240, Load Files 4800, Clear List
# 9480): each is 96 pixels wide and 73 high, its top 1660 twips above the window's bottom edge
# (the window has no frame here).
eval "$(xdotool getwindowgeometry --shell "$window")"
top=$(((HEIGHT * 15 - 1660) / 15))
press() {
  xdotool windowfocus "$window"
  xdotool mousemove --window "$window" $(($1 / 15 + 48)) $((top + 36)) click 1
}
# Types `text` into the dialog whose title matches `pattern` once it opens, ends it with Return
# and waits for it to go.
answer() {
  local pattern=$1 text=$2 dialog
  dialog=$(timeout 10 xdotool search --sync --name "$pattern" | head -1) ||
    fail "no dialog $pattern opened"
  sleep 0.5
  xdotool windowfocus "$dialog"
  if [ -n "$text" ]; then xdotool type --delay 5 "$text"; fi
  xdotool key Return
  for _ in $(seq 50); do
    xdotool search --name "$pattern" >/dev/null || return 0
    sleep 0.1
  done
  fail "the dialog $pattern stayed open"
}
photograph() {
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "vornick ended early"
  mkdir -p "$(dirname "$1")"
  import -window "$window" "$1"
  echo "screenshot: $1"
}

press 3240
answer '^Please select folder to add:$' "$music"
photograph "$output"

press 9480
press 3240
answer '^Please select folder to add:$' "$incoming"
press 4800
answer '^Add File\(s\) - ' "$incoming/nina_simone-feeling_good.mp3"
photograph "$risky"

before=$(ls "$incoming")
# A click on the list below its rows gives it the focus (the buttons clicked took it) and turns
# no mark over.
xdotool windowfocus "$window"
xdotool mousemove --window "$window" 400 $((top - 40)) click 1
xdotool key alt+r
answer '^Some files were not renamed$' ""
photograph "$renamed"
[ "$(ls "$incoming")" != "$before" ] || fail "Alt+R renamed nothing"
# The focus is back on the list, which had it; Tab goes to Rename, then to Undo.
xdotool windowfocus --sync "$window"
xdotool key Tab Tab Return
sleep 1
[ "$(ls "$incoming")" = "$before" ] || fail "Return on Undo did not put the names back"
stop

# A dark colour scheme of the desktop, through qt6ct.
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
printf '%s\n' '[Appearance]' 'color_scheme_path=/usr/share/qt6ct/colors/darker.conf' \
  'custom_palette=true' 'style=Fusion' >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
QT_QPA_PLATFORMTHEME=qt6ct start "$incoming" "$incoming/nina_simone-feeling_good.mp3"
photograph "$dark"
stop
LANG=de_DE.UTF-8 LANGUAGE=de start "$incoming" "$incoming/nina_simone-feeling_good.mp3"
photograph "$german"
