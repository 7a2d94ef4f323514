#!/usr/bin/env bash
# valgrind_scenario.sh TOOL SCENARIO
# Runs one scenario with the scenario tool under valgrind's memcheck: fails on
# any memory error or leak, on a failed scenario, and on a descriptor the
# program opened and left open at exit. Exits 77 (skipped) without valgrind.
set -uo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: valgrind_scenario.sh TOOL SCENARIO" >&2
  exit 2
fi
tool=$1
scenario=$2

if ! command -v valgrind >/dev/null; then
  echo "SKIPPED: valgrind is not installed (Debian package valgrind)"
  exit 77
fi

log=$(mktemp "${TMPDIR:-/tmp}/valgrind-scenario.XXXXXX")
trap 'rm -f "$log"' EXIT

valgrind --error-exitcode=1 --leak-check=full --track-fds=yes --log-file="$log" "$tool" "$scenario"
status=$?

# valgrind lists each descriptor open at exit; the ones the program opened
# come with the place they were opened at, the others as inherited.
leaked=$(awk '/Open file descriptor/ { entry = $0; getline; if ($0 !~ /inherited from parent/) print entry }' "$log")

if [[ $status -ne 0 || -n $leaked ]]; then
  cat "$log"
  [[ -n $leaked ]] && printf 'descriptors left open:\n%s\n' "$leaked"
  exit 1
fi
grep -E "ERROR SUMMARY|All heap blocks|definitely lost|FILE DESCRIPTORS" "$log"
exit 0
