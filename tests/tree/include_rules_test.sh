#!/usr/bin/env bash
# Every project include names its file from the repository's root, and each
# layer includes only what lies below it:
#   model/      model/, base/
#   platform/   platform/, base/ (and the platform's API as <windows.h>)
#   winapi/     winapi/, base/
#   framework/  its interface and shared files: framework/ itself, base/, and on
#               Linux the window manager's API framework/linux/winuser.h;
#               an implementation (linux/, win32/): its own folder, the
#               interface, base/, and on Linux winapi/; never dialog/,
#               platform/, res/ or the other implementation
#   res/        res/, base/, the Linux framework's resource form
#   dialog/     anything but a framework implementation and winapi/
# Usage: include_rules_test.sh ROOT. Prints each broken rule and fails.
set -uo pipefail
set -f  # the rules hold patterns, not file names
root=${1:?usage: include_rules_test.sh ROOT}
cd "$root" || exit 2

allowed_for() {
  case $1 in
    model/*) echo 'model/ base/' ;;
    platform/*) echo 'platform/ base/' ;;
    winapi/*) echo 'winapi/ base/' ;;
    base/*) echo 'base/' ;;
    framework/linux/*) echo 'framework/linux/ framework/=ROOT base/ winapi/' ;;
    framework/win32/*) echo 'framework/win32/ framework/=ROOT base/' ;;
    framework/*) echo 'framework/=ROOT base/ framework/linux/winuser.h' ;;
    res/*) echo 'res/ base/ framework/linux/resource_format.h' ;;
    dialog/*) echo 'dialog/ model/ platform/ res/ base/ framework/=ROOT' ;;
    *) echo '*' ;;
  esac
}

# Whether include path $2 is one of the prefixes in $1; "framework/=ROOT" is a
# file directly in framework/.
permitted() {
  local rule
  for rule in $1; do
    case $rule in
      '*') return 0 ;;
      */=ROOT) [[ $2 == ${rule%=ROOT}* && ${2#"${rule%=ROOT}"} != */* ]] && return 0 ;;
      */) [[ $2 == "$rule"* ]] && return 0 ;;
      *) [[ $2 == "$rule" ]] && return 0 ;;
    esac
  done
  return 1
}

failures=0
while IFS= read -r file; do
  rules=$(allowed_for "$file")
  while IFS=: read -r line target; do
    [[ -n $target ]] || continue
    if [[ $target == *.inc ]]; then continue; fi  # generated in the build folder
    if [[ ! -f $target ]]; then
      echo "$file:$line: \"$target\" is not a path from the repository's root"
      failures=$((failures + 1))
    elif ! permitted "$rules" "$target"; then
      echo "$file:$line: \"$target\" lies outside what this layer may include ($rules)"
      failures=$((failures + 1))
    fi
  done < <(awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/) {
                  path = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", path); sub(/"$/, "", path)
                  print FNR ":" path }' "$file")
done < <(find app base dialog framework model platform res winapi tools tests bench \
           \( -name '*.cpp' -o -name '*.h' \) -not -path '*/build/*' 2>/dev/null | sort)

if ((failures)); then
  echo "$failures include(s) break the layering"
  exit 1
fi
echo "every include names its layer and keeps to it"
