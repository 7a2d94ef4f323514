#!/usr/bin/env bash
# The demonstration of ./run, fresh each time, with neither a display nor a
# terminal, so the program ends at once: the driver stand-in must hold the
# watched COM1 from its start with no port missing or in use (run three times,
# as a start-up race shows only in some runs), the end must print the stored
# settings decoded and the driver's log, and nothing of the world may remain.
#
#   demo_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

source_dir=$1 build=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-demo-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL (run $run): $*" >&2; cat "$work/out" >&2; exit 1; }

for run in 1 2 3; do
  TMPDIR=$work env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$source_dir/scripts/demo" "$build" </dev/null >"$work/out" 2>&1 || true
  out=$(cat "$work/out")
  [[ $out == *"Demonstration world in $work/tavrin-demo."* ]] || fail "no world was made"
  grep -Eq '^  COM1  0x00000027  HID_Touch_Digitizer, 9600, PnP polling Enable$' "$work/out" ||
    fail "the summary does not show COM1's settings decoded"
  grep -Eq '^  COM7  0x00000001  Traditional_Touch_Screen, Auto_Scan, PnP polling Disable$' "$work/out" ||
    fail "the summary does not show COM7's settings decoded"
  grep -q "tavrind\[[0-9]*\]: holding COM1 " "$work/out" || fail "the driver's log does not show COM1 held"
  grep -q "tavrind\[[0-9]*\]: stopped$" "$work/out" || fail "the driver's log does not end with its stop"
  if grep -Eq "cannot hold|no free serial port" "$work/out"; then fail "the driver started before its ports were free"; fi
  [[ -z $(find "$work" -maxdepth 1 -name 'tavrin-demo.*') ]] || fail "the world was not removed"
  driver=$(grep -om1 'tavrind\[[0-9]*\]' "$work/out" | tr -dc 0-9)
  # Gone, or a zombie its new parent has not reaped yet.
  [[ $(cut -d' ' -f3 "/proc/$driver/stat" 2>/dev/null) =~ ^Z?$ ]] || fail "the driver stand-in $driver still runs"
done
echo "demonstration: three fresh runs, summary shown, no start-up race"
