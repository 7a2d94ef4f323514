#!/usr/bin/env bash
# Packs both Windows executables with scripts/package-windows, first unsigned
# into DIST-DIRECTORY, then signed with a throwaway self-signed certificate
# (its password from the environment) into DIST-DIRECTORY-signed, and checks:
# each zip holds the program and the text on running it; each Windows
# Installer package installs per machine into the Program Files of its
# architecture with a Start-menu shortcut, carries the version, and an
# upgrade code of its architecture's own; the unsigned run says so; in the
# signed run both executables (in the zips and in the packages) and both
# packages verify with osslsigncode against the certificate.
# Usage: check_package.sh SOURCE-DIRECTORY DIST-DIRECTORY
set -euo pipefail
source=$1 dist=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL $*"; exit 1; }
declare -A upgrade
version=$("$source/scripts/project-version")

rm -rf "$dist" "$dist-signed"
said=$("$source/scripts/package-windows" --dist "$dist" | grep -v '^\[\|^ninja')
grep -q '^unsigned: ' <<<"$said" || fail "the unsigned run does not say so: $said"

table() { msiinfo export "$1" "$2" | tr -d '\r'; }
property() { table "$1" Property | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }
for build in win64:ProgramFiles64Folder win32:ProgramFilesFolder; do
  suffix=${build%%:*} name=portsetup-$version-${build%%:*}
  entries=$(zip -sf "$dist/$name.zip" | sed -n 's/^  //p' | sort | tr '\n' ' ')
  expected="$name/ $name/README.txt $name/portsetup.exe "
  [[ $entries == "$expected" ]] || fail "$name.zip holds: $entries (expected $expected)"

  msi=$dist/$name.msi
  [[ $(property "$msi" ProductVersion) == "$version" ]] || fail "$name.msi is not version $version"
  [[ $(property "$msi" ALLUSERS) == 1 ]] || fail "$name.msi does not install per machine"
  upgrade[$suffix]=$(property "$msi" UpgradeCode)
  [[ ${upgrade[$suffix]} =~ ^\{[0-9A-F-]{36}\}$ ]] || fail "$name.msi has no upgrade code"
  table "$msi" Upgrade | grep -qF "${upgrade[$suffix]}" || fail "$name.msi does not replace older versions"
  table "$msi" Directory | grep -qP "^INSTALLDIR\t${build#*:}\t" ||
    fail "$name.msi does not install into ${build#*:}"
  table "$msi" Shortcut | grep -qP "^\w+\tProgramMenuFolder\t" || fail "$name.msi makes no Start-menu shortcut"
done
[[ ${upgrade[win64]} != "${upgrade[win32]}" ]] || fail "both architectures have one upgrade code"

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
  -subj "/CN=TAVRIN test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
password="throwaway $RANDOM"
password=$password openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signer.p12" \
  -passout env:password 2>/dev/null
said=$(TAVRIN_SIGN_PASSWORD=$password \
  "$source/scripts/package-windows" --dist "$dist-signed" --pkcs12 "$work/signer.p12" | grep -v '^\[\|^ninja')
grep -q '^unsigned: ' <<<"$said" && fail "the signed run says it is unsigned"
verify() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$work/verdict" 2>&1 || fail "$1: $(cat "$work/verdict")"; }
for suffix in win64 win32; do
  name=portsetup-$version-$suffix
  verify "$dist-signed/$name.msi"
  unzip -q "$dist-signed/$name.zip" -d "$work/zip-$suffix"
  verify "$work/zip-$suffix/$name/portsetup.exe"
  msiextract -C "$work/msi-$suffix" "$dist-signed/$name.msi" >/dev/null
  verify "$(find "$work/msi-$suffix" -name portsetup.exe)"
done
echo "packed and signed: $(ls "$dist-signed" | tr "\n" " ")"
