#!/usr/bin/env bash
# Packs both Windows executables with scripts/package-windows into a folder of
# its own and checks that each zip holds the program and the text on running it.
# Usage: check_package.sh SOURCE-DIRECTORY DIST-DIRECTORY
set -euo pipefail
source=$1 dist=$2
rm -rf "$dist"
"$source/scripts/package-windows" --dist "$dist" >/dev/null
version=$(sed -n 's/^project(tavrin_portsetup VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
for suffix in win64 win32; do
  name=portsetup-$version-$suffix
  entries=$(zip -sf "$dist/$name.zip" | sed -n 's/^  //p' | sort | tr '\n' ' ')
  expected="$name/ $name/README.txt $name/portsetup.exe "
  if [[ $entries != "$expected" ]]; then
    echo "FAIL $name.zip holds: $entries (expected $expected)"
    exit 1
  fi
done
echo "packed $(ls "$dist")"
