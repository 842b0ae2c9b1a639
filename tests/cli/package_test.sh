#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages of a build, as a packager checks them: cpack makes vornick-cli (the command
# line, without the GUI libraries) and vornick (the window, recommending Qt's Wayland plugin),
# lintian has nothing to say about either, and their programs are hardened.
# Usage: package_test.sh BUILD_DIR PACKAGE...
set -euo pipefail
build=$1
shift
command -v lintian > /dev/null || { echo "lintian is missing (bash scripts/setup.sh test)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" "$work"/_CPack_Packages/*/DEB/PreinstallOutput.log 2>/dev/null | tail -40; fail "cpack failed"; }

for package in "$@"; do
  deb=$(echo "$work/${package}_"*.deb)
  [ -f "$deb" ] || fail "no package $package"
  # The only note left: C++ code whose copies have no size known when compiling calls no
  # fortified function, though it is built with _FORTIFY_SOURCE.
  lintian --display-info --display-experimental --pedantic --tag-display-limit 0 "$deb" \
    2>&1 | grep -v -e '^running with root privileges' \
      -e "^I: $package: hardening-no-fortify-functions " > "$work/lintian" || true
  [ ! -s "$work/lintian" ] || { cat "$work/lintian"; fail "lintian on $package"; }

  dpkg-deb -x "$deb" "$work/$package"
  for program in "$work/$package"/usr/bin/*; do
    name=$(basename "$program")
    # Read whole before searching: grep -q would end the pipe early, and with pipefail the
    # writer's broken pipe would count as a failure.
    dynamic=$(readelf -d "$program") segments=$(readelf -lW "$program") symbols=$(nm -D "$program")
    grep -q 'FLAGS_1.*NOW.*PIE' <<<"$dynamic" || fail "$name is not PIE, bound now"
    grep -q GNU_RELRO <<<"$segments" || fail "$name has no RELRO"
    grep -q __stack_chk_fail <<<"$symbols" || fail "$name has no stack protector"
  done
done

# The command line's package needs the libraries of the command line alone.
depends=$(dpkg-deb -f "$work"/vornick-cli_*.deb Depends)
for library in libqt6gui libqt6widgets libqt6svg; do
  [[ $depends != *$library* ]] || fail "vornick-cli depends on $library: $depends"
done
if [[ " $* " == *" vornick "* ]]; then
  [[ $(dpkg-deb -f "$work"/vornick_*.deb Recommends) == *qt6-wayland* ]] ||
    fail "vornick does not recommend qt6-wayland"
fi
metainfo=("$work"/vornick/usr/share/metainfo/*.metainfo.xml)
if [ -e "${metainfo[0]}" ] && command -v appstreamcli > /dev/null; then
  appstreamcli validate --pedantic --no-net "${metainfo[@]}" || fail "metainfo not valid"
fi
# Fortify is not seen by lintian; the compile commands show it.
grep -q -- '-D_FORTIFY_SOURCE=2' "$build/compile_commands.json" || fail "built without fortify"
echo "package: ok"
