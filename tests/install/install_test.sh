#!/usr/bin/env bash
# Installs the build into a staging directory and checks that everything a
# desktop and a person need lands where they look: the programs, the menu
# entry naming an installed program and icon, and the icon in every size.
#
#   install_test.sh BUILD_DIR
set -euo pipefail

build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

for program in portsetup tavrind devcon.exe tavrin-demo-ports; do
  [[ -x $root/bin/$program ]] || fail "bin/$program is not installed"
done

entry=$root/share/applications/tavrin-portsetup.desktop
[[ -f $entry ]] || fail "no menu entry"
desktop-file-validate "$entry" || fail "the menu entry does not validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[[ -x $root/bin/$exec_name ]] || fail "the menu entry runs '$exec_name', which is not installed"

icons=$root/share/icons/hicolor
for size in 16 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/$icon_name.png
  [[ -f $png ]] || fail "no ${size}x${size} icon"
  # The PNG header's width and height are the size of the folder it is in.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [[ $width == "$size" && $height == "$size" ]] || fail "the ${size}x${size} icon is ${width}x${height}"
done
[[ -f $icons/scalable/apps/$icon_name.svg ]] || fail "no scalable icon"
echo "installed: $(cd "$root" && find . -type f | sort | tr '\n' ' ')"
