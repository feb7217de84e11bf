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

# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh" "$build"

# Servers of earlier runs that were killed before they could clean up (a CTest
# time-out kills this script outright) are stopped here; a run in progress keeps its
# own, recognised by the live PID in its folder.
running() {
  local stat
  stat=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) && [ "${stat%% *}" != Z ]
}
for stale in "$build"/.xserver.*/; do
  [ -f "$stale/owner" ] || continue
  running "$(cat "$stale/owner")" && continue
  "$here/xserver.sh" stop "$stale"
  rm -rf "$stale"
done

state=$(mktemp -d "$build/.xserver.XXXXXX")
echo $$ >"$state/owner"
own_server=
output=
found_mode=

# Prints "<output> <mode id>" for the connected output's current mode.
current_mode() {
  xrandr --verbose 2>/dev/null | awk '
    /^[^ \t]/ { out = ($2 == "connected") ? $1 : "" }
    out != "" && /\*current/ { gsub(/[()]/, "", $2); print out, $2; exit }'
}

describe_mode() {
  xrandr --verbose 2>/dev/null | awk -v id="($1)" '$2 == id { print $1; exit }'
}

# shellcheck disable=SC2317 # run by the EXIT trap
cleanup() {
  wine_env_stop
  if [ -n "$own_server" ]; then
    "$here/xserver.sh" stop "$state"
  fi
  rm -rf "$state"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "${TAVELMORIND_X_DISPLAY:-}" ]; then
  export DISPLAY=$TAVELMORIND_X_DISPLAY
else
  start_output=$("$here/xserver.sh" start "$state" "$build") || exit 1
  eval "$start_output"
  own_server=1
fi
echo "run-wine-tests: X display $DISPLAY, Wine prefix $WINEPREFIX"

wine_env_prepare || exit 1

read -r output found_mode <<<"$(current_mode)"
if [ -z "$found_mode" ]; then
  echo "run-wine-tests: cannot read the display mode of $DISPLAY" >&2
  exit 1
fi

# The tests read the X server's own view through this folder (see tests/wine).
export TAVELMORIND_BUILD_DIR=$build
cd "$build" || exit 1
wine "$exe" "$@"
status=$?

read -r _ left_mode <<<"$(current_mode)"
if [ "$left_mode" != "$found_mode" ]; then
  echo "run-wine-tests: the run left $output at $(describe_mode "$left_mode")," \
    "found at $(describe_mode "$found_mode"); restoring it" >&2
  xrandr --output "$output" --mode "$found_mode" ||
    echo "run-wine-tests: could not restore the display mode" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
