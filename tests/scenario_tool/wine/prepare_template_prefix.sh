#!/usr/bin/env bash
# Makes the Wine prefix that every portsetup-scenario --wine run copies:
#   - no mount manager, so the machine's own serial ports never become COM
#     ports: \\.\COMn is exactly what a scenario links as dosdevices/comN;
#   - no dosdevices but C: and Z:; each run lays its own ports and control device.
# Usage: prepare_template_prefix.sh DIRECTORY (replaced whole)
set -euo pipefail
prefix=$1
partial=$prefix.partial.$$
rm -rf "$partial"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$partial WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine wineboot --init >/dev/null 2>&1
wine reg add 'HKLM\System\CurrentControlSet\Services\MountMgr' /v Start /t REG_DWORD /d 4 /f >/dev/null 2>&1
wineserver --wait
find "$partial/dosdevices" -mindepth 1 -maxdepth 1 ! -name c: ! -name z: -exec rm -f {} +
# Only complete prefixes take the final name; a reader never sees half of one.
rm -rf "$prefix"
mv "$partial" "$prefix"
