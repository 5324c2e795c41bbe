#!/usr/bin/env bash
# Builds the Debian package of a build into a fresh folder and checks its
# contents and control fields.
# Usage: package_test.sh BUILD_DIR INSTALLED_FILES_LIST
set -euo pipefail
build=$1 expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
package=$work/orvana_${version}_$(dpkg --print-architecture).deb
[ -f "$package" ] || { ls "$work"; echo "FAIL: no $package"; exit 1; }

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Files only (folders end in "/"), as paths below the root.
dpkg-deb -c "$package" | awk '{print $NF}' | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort > "$work/packaged"
sed 's|^|usr/|' "$expected" | LC_ALL=C sort > "$work/expected"
diff -u "$work/expected" "$work/packaged" || fail "the packaged files differ from $expected under usr/"

dpkg-deb -f "$package" > "$work/control"
field() { sed -n "s/^$1: //p" "$work/control"; }
[ "$(field Package)" = orvana ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = sound ] || fail "Section: $(field Section)"
[ "$(field Maintainer)" = "Orvana Project <team@orvana.org>" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Homepage)" = "https://orvana.org/" ] || fail "Homepage: $(field Homepage)"
# dpkg-shlibdeps found what the programs link.
for library in libqt6widgets6 libqt6dbus6 libasound2 libxcb1 libc6 libcurl4 libpulse0; do
  field Depends | grep -Eq "(^|, )$library( |,|$)" || fail "Depends lacks $library: $(field Depends)"
done
for package_name in fonts-noto-cjk qt6-wayland; do
  field Recommends | grep -Eq "(^|, )$package_name( |,|$)" || fail "Recommends lacks $package_name"
done
[ "$failed" -eq 0 ] || { cat "$work/control"; exit 1; }
echo "$(basename "$package"): $(wc -l < "$work/packaged") files"
