#!/usr/bin/env bash
# Checks the two Windows executables with the MinGW binutils: PE32+ and PE32
# GUI programs that import only the system's own DLLs (the C++ runtime is
# linked in) and carry the resources of portsetup.rc (templates 100 and 102,
# both string-table blocks in all 13 languages, icon 128, the version record)
# and the application manifest.
# Usage: check_executables.sh WINDOWS-X64-BUILD WINDOWS-X86-BUILD
set -uo pipefail

failures=0
fail() { echo "FAIL $exe: $*"; failures=$((failures + 1)); }

system_dlls=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll "
languages="1028 1031 1033 1036 1040 1041 1042 1043 1049 2052 3076 3082 4100"

# type/name/language of every resource, in decimal, from the resource directory.
resources() {
  "$objdump" -p "$exe" | awk '
    function hex(text,   value, k) {
      value = 0
      for (k = 1; k <= length(text); k++) value = value * 16 + index("0123456789abcdef", substr(tolower(text), k, 1)) - 1
      return value
    }
    /^[0-9a-f]+ +Entry: ID: 0x/ {
      match($0, /^[0-9a-f]+ +/); depth = RLENGTH
      id = hex(substr($4, 3, length($4) - 3))
      if (depth <= 6) type = id; else if (depth <= 8) name = id; else print type "/" name "/" id
    }'
}

check() {
  exe=$1/app/portsetup.exe
  local triplet=$2 magic=$3
  objdump=$triplet-objdump
  [[ -f $exe ]] || { fail "missing"; return; }
  local headers
  headers=$("$objdump" -p "$exe")
  grep -q "^Magic.*($magic)" <<<"$headers" || fail "not $magic"
  grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "not a GUI program"

  local dll imports=0
  while read -r dll; do
    imports=$((imports + 1))
    [[ $system_dlls == *" ${dll,,} "* ]] || fail "imports $dll, not a system DLL"
  done < <(grep -o 'DLL Name: .*' <<<"$headers" | cut -d' ' -f3)
  ((imports > 0)) || fail "no imports found"

  local have
  have=" $(resources | tr '\n' ' ') "
  local want=(5/100/1028 5/102/1028 14/128/1028 16/1/1028)
  for language in $languages; do want+=(6/7/$language 6/8/$language); done
  for resource in "${want[@]}"; do
    [[ $have == *" $resource "* ]] || fail "lacks resource type/name/language $resource"
  done
  [[ $have =~ \ 24/1/[0-9]+\  ]] || fail "lacks the application manifest"

  for text in 'level="requireAdministrator"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
              '>true/pm<' '>PerMonitorV2, PerMonitor<'; do
    grep -aqF "$text" "$exe" || fail "manifest lacks $text"
  done
  local version
  version=$("$triplet-strings" -el "$exe")
  for text in "TAVRIN MFC Application" "1, 0, 0, 1" "TAVRIN.EXE"; do
    grep -qF "$text" <<<"$version" || fail "version record lacks $text"
  done
  echo "checked $exe"
}

check "$1" x86_64-w64-mingw32 PE32+
check "$2" i686-w64-mingw32 PE32
exit $((failures > 0))
