#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing.
# Usage: scripts/setup.sh run|test
set -euo pipefail

packages=(cmake make g++ pkg-config libicu-dev libsqlite3-dev qt6-base-dev qt6-svg-dev qt6-tools-dev
  qt6-l10n-tools qt6-translations-l10n fonts-liberation xvfb xauth)
if [ "${1:-run}" = test ]; then
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev fusefat dosfstools exfat-fuse
    exfatprogs ntfs-3g xdotool imagemagick dpkg-dev lintian appstream qt6ct)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root, or install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
