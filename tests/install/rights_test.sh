#!/usr/bin/env bash
# The program started from a shell by a user who may not change the machine
# (not root, no write access to the prefix) says in one line what it needs and
# fails before any dialog; with a prefix that user owns it runs as before.
# Run as root, the test drops to the unprivileged user nobody; run as anyone
# else, it is that user.
#
#   rights_test.sh PORTSETUP
set -euo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy the other user can reach, whatever the build folder's permissions.
chmod 755 "$work"
cp "$1" "$work/portsetup"
mkdir "$work/machine" "$work/own"
if [[ $(id -u) -eq 0 ]]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chown nobody: "$work/own"
else
  as_user=()
  chmod 555 "$work/machine"
fi

# run PREFIX [ENV...]: the program as the user on PREFIX, with neither a
# display nor a terminal unless ENV gives one; its standard error lands in
# $work/said, and a dialog that opened is ended by the time limit.
run() {
  local prefix=$1
  shift
  status=0
  timeout 20 "${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=/ TAVRIN_PREFIX="$prefix" "$@" \
    "$work/portsetup" </dev/null >"$work/out" 2>"$work/said" || status=$?
}

# With a display at hand, the refusal still comes before any dialog.
run "$work/machine" QT_QPA_PLATFORM=offscreen
(( status != 0 && status != 124 )) || fail "the program did not refuse (exit $status)"
[[ $(wc -l <"$work/said") -eq 1 ]] || fail "the refusal is not one line: $(cat "$work/said")"
grep -q "needs an administrator: run 'sudo portsetup', or start it from the desktop menu" "$work/said" ||
  fail "the refusal does not say what to run: $(cat "$work/said")"
[[ ! -s $work/out ]] || fail "the program wrote to standard output: $(cat "$work/out")"

# A prefix the user owns: past the check, on to finding no display.
run "$work/own"
(( status != 0 )) || fail "the program without a display succeeded"
grep -q "no display" "$work/said" || fail "with its own prefix the program did not run as before: $(cat "$work/said")"
grep -q "administrator" "$work/said" && fail "the program refused a prefix its user owns"
echo "rights: refused without them, ran with a prefix of the user's own"
