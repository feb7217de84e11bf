#!/usr/bin/env bash
# Runs a Windows program under Wine on a private dummy X display and exits with its
# exit code:
#   tools/run-wine-tests.sh EXE [ARGS...]
# It starts the X server, prepares the Wine prefix, records the display mode, runs
# EXE, puts the mode back if the run left it changed (and then fails the run: every
# test must restore the mode it found), and stops Wine and the X server.
#
# The build folder (Wine prefix, X logs) is $TAVELMORIND_BUILD_DIR, else the folder of
# EXE. With TAVELMORIND_X_DISPLAY set, that running server is used instead of a
# private one (to watch a run on a visible screen, say); it is left running.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

[ $# -ge 1 ] || {
  echo "usage: run-wine-tests.sh EXE [ARGS...]" >&2
  exit 2
}
exe=$1
shift
[ -f "$exe" ] || {
  echo "run-wine-tests: no such program: $exe" >&2
  exit 2
}
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
build=${TAVELMORIND_BUILD_DIR:-$(dirname "$exe")}

# shellcheck source=tools/x-session.sh
source "$here/x-session.sh"
# shellcheck disable=SC2317 # run by the EXIT trap
trap x_session_stop EXIT
trap 'exit 130' INT TERM
x_session_start "$build" || exit 1
echo "run-wine-tests: X display $DISPLAY, Wine prefix $WINEPREFIX"

# The tests read the X server's own view through this folder (see tests/wine).
export TAVELMORIND_BUILD_DIR=$build
cd "$build" || exit 1
wine "$exe" "$@"
status=$?

# Every test must restore the mode it found: a run that did not fails.
if ! x_session_restore_mode && [ "$status" -eq 0 ]; then
  status=1
fi
exit "$status"
