#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` puts the programs, the launcher entry and the icon where desktops look for
# them, with its translations; --help and --version answer without a display; and the installed
# window program starts, also with paths to open, and keeps running until it is stopped.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "install: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root/staged" cmake --install "$build" --prefix /usr >/dev/null
staged="$root/staged/usr"
for file in bin/vornick bin/vornick-cli share/applications/vornick.desktop \
  share/icons/hicolor/scalable/apps/vornick.svg share/vornick/translations/vornick_de.qm; do
  [ -e "$staged/$file" ] || fail "$file was not installed"
done
for line in Type=Application Name=Vornick 'Exec=vornick %F' Icon=vornick; do
  grep -qx "$line" "$staged/share/applications/vornick.desktop" || fail "the entry lacks $line"
done

headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
version=$("${headless[@]}" "$staged/bin/vornick" --version) || fail "--version failed"
[[ $version =~ ^vornick\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $version"
help=$("${headless[@]}" "$staged/bin/vornick" --help) || fail "--help failed"
[[ $help == "Usage: vornick [PATH...]"* ]] || fail "--help printed: $help"

status=0
HOME="$root" XDG_CONFIG_HOME="$root/config" XDG_RUNTIME_DIR="$root" QT_QPA_PLATFORM=offscreen \
  timeout 3 "$staged/bin/vornick" "$staged/share" "$root/not there" || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended by itself (status $status)"
echo "install: ok"
