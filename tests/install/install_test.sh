#!/usr/bin/env bash
# Installs the build into a staging directory and checks that everything a
# desktop, a person and the service manager need lands where they look: the
# programs, the menu entry starting an installed program through pkexec, the
# polkit action pkexec finds for it, the driver stand-in's service unit, the
# icon in every size, and an install manifest that names every file.
#
#   install_test.sh BUILD_DIR
set -euo pipefail

build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=/usr/local  # the default, where polkit does not look: its action goes to /usr/share
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
root=$stage$prefix

for program in portsetup tavrind devcon.exe tavrin-demo-ports; do
  [[ -x $root/bin/$program ]] || fail "bin/$program is not installed"
done

entry=$root/share/applications/tavrin-portsetup.desktop
[[ -f $entry ]] || fail "no menu entry"
desktop-file-validate "$entry" || fail "the menu entry does not validate"
read -r launcher program < <(sed -n 's/^Exec=\([^ ]*\) \([^ ]*\).*/\1 \2/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[[ $launcher == pkexec ]] || fail "the menu entry does not start the program through pkexec"
[[ $program == "$prefix/bin/portsetup" ]] || fail "the menu entry runs '$program', not the installed portsetup"

# pkexec takes the action whose exec.path is the program it is asked to run;
# allow_gui keeps the display for it.
policy=$stage/usr/share/polkit-1/actions/org.tavrin.portsetup.policy
[[ -f $policy ]] || fail "no polkit action"
dtd=/usr/share/polkit-1/policyconfig-1.dtd
if [[ -f $dtd ]]; then
  xmllint --noout --dtdvalid "$dtd" "$policy" || fail "the polkit action is not valid against $dtd"
else
  xmllint --noout "$policy" || fail "the polkit action is not well-formed XML"
fi
action_of() { xmllint --xpath "string(//action[annotate[@key='org.freedesktop.policykit.exec.path']='$1']/$2)" "$policy"; }
[[ $(action_of "$program" @id) == org.tavrin.portsetup ]] ||
  fail "no action org.tavrin.portsetup has the menu entry's program $program as its exec.path"
[[ $(action_of "$program" "annotate[@key='org.freedesktop.policykit.exec.allow_gui']") == true ]] ||
  fail "the action does not keep the display (allow_gui)"

# The entry's and the action's texts in every language of the dialog; the
# entry's name is the dialog's own (its group box's text).
for locale in de es fr it ja ko nl ru zh_CN zh_HK zh_SG zh_TW; do
  grep -q "^Name\[$locale\]=." "$entry" && grep -q "^Comment\[$locale\]=." "$entry" ||
    fail "the menu entry has no name or comment in $locale"
  for element in description message; do
    [[ -n $(xmllint --xpath "string(//action/$element[@xml:lang='$locale'])" "$policy") ]] ||
      fail "the polkit action has no $element in $locale"
  done
done
grep -qx 'Name\[ru\]=Установки TAVRIN' "$entry" || fail "the Russian name is not the dialog's"
! grep -q '@' "$entry" "$policy" || fail "a placeholder is left: $(grep -h '@' "$entry" "$policy")"

unit=$root/lib/systemd/system/tavrind.service
[[ -f $unit ]] || fail "no tavrind.service"
grep -qx "ExecStart=$prefix/bin/tavrind run --foreground" "$unit" || fail "the unit does not run the installed tavrind"
if command -v systemd-analyze >/dev/null; then
  # Checked where the programs and the man page are: the staged copy of the
  # unit runs them.
  mkdir "$stage/unit"
  sed "s|=$prefix/bin/|=$root/bin/|" "$unit" >"$stage/unit/tavrind.service"
  verdict=$(MANPATH=$root/share/man systemd-analyze verify "$stage/unit/tavrind.service" 2>&1) && [[ -z $verdict ]] ||
    fail "systemd-analyze verify: $verdict"
fi

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

# Uninstalling removes what the manifest names: every installed file.
unlisted=$(comm -13 <(sort "$build/install_manifest.txt") <(cd "$stage" && find . -type f -printf '/%P\n' | grep -v '^/unit/' | sort))
[[ -z $unlisted ]] || fail "not in install_manifest.txt: $unlisted"
echo "installed: $(cd "$stage" && find . -type f ! -path './unit/*' | sort | tr '\n' ' ')"
