#!/usr/bin/env bash
# The Qt dialog as a screen reader reads it over AT-SPI, in English and in
# Traditional Chinese: on a virtual display, in a D-Bus session of its own
# (which starts the accessibility bus when the program asks for it), the
# program in the demonstration world of scripts/demo, read by atspi_tree.py.
#
#   atspi_tree_test.sh DEMO BUILD_DIR READER
set -euo pipefail

demo=$1 build=$2 reader=$3
if [[ -z ${ATSPI_TEST_SESSION:-} ]]; then
  exec env ATSPI_TEST_SESSION=1 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-atspi-test.XXXXXX")
demo_pid=
stop_demo() {  # the program ends by the reader's Quit; a failed reader leaves it to us
  [[ -n $demo_pid ]] || return 0
  for _ in $(seq 100); do
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.1
  done
  # The demonstration waits for the program before it goes: the program first.
  local program
  for program in $(ps -o pid= --ppid "$demo_pid"); do kill -TERM "$program" 2>/dev/null || true; done
  kill -TERM "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=
}
trap 'stop_demo; rm -rf "$work"' EXIT

# The accessibility bus and its registry up before the program asks for them.
/usr/bin/python3 -c "import pyatspi; pyatspi.Registry.getDesktop(0).childCount"
status=0
for language in en zh_TW; do
  echo "--- $language"
  locale=C.UTF-8
  [[ $language == en ]] || locale=$language.UTF-8
  LC_ALL=$locale "$demo" "$build" > "$work/demo.out" 2>&1 &
  demo_pid=$!
  if ! /usr/bin/python3 "$reader" "$language"; then
    status=1
    echo "--- the demonstration's output:" && cat "$work/demo.out"
  fi
  stop_demo
done
exit "$status"
