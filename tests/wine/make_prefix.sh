#!/usr/bin/env bash
# Makes the Wine prefix that the Wine tests copy, once per test run:
#   - the dialog template's face "新細明體" drawn with Noto Sans CJK, and Wine's
#     interface font Tahoma linked to it, so captions and message boxes show
#     every language's characters;
#   - Wine's own fonts (Tahoma, Marlett for the caption buttons), which
#     Debian's Wine does not find by itself;
#   - windows drawn and placed by Wine itself, with its own frames: there is no
#     window manager under Xvfb to wait for;
#   - no mount manager: the machine's serial ports are not made COM ports, so
#     \\.\COMn is exactly what a test links as dosdevices/comN.
# With --face-unmapped the template's face stays unmapped, as on a Windows
# machine without it: Wine picks a font of its own for it.
# Usage: make_prefix.sh DIRECTORY [--face-unmapped]
set -euo pipefail
prefix=$1
face_mapped=${2:-}
rm -rf "$prefix" "$prefix"-copy.*  # and copies a crashed test left behind
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wine wineboot --init >/dev/null 2>&1
reg() { wine reg add "$@" /f >/dev/null; }
if [[ $face_mapped != --face-unmapped ]]; then
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v '新細明體' /t REG_SZ /d 'Noto Sans CJK TC'
fi
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
    /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK TC'
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKLM\System\CurrentControlSet\Services\MountMgr' /v Start /t REG_DWORD /d 4
wineserver --wait
rm -f "$prefix"/dosdevices/com*
ln -s /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
