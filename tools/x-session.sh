# shellcheck shell=bash
# One session of a Windows program under Wine on a private X server, shared by
# tools/run-wine-tests.sh and the end-to-end scripts. Source it, then:
#   x_session_start BUILD     stops servers of earlier runs that were killed before
#                             they could clean up, starts a private server (or uses
#                             $TAVELMORIND_X_DISPLAY), prepares the Wine prefix in BUILD
#                             and records the display mode it found; sets DISPLAY.
#                             Wine runs at the DPI in TAVELMORIND_DPI (96 when unset)
#   x_session_current_mode    "<output> <mode id>" of the connected output
#   x_session_describe_mode ID   the mode's name, "800x600_85"
#   x_session_restore_mode    puts back the mode found at the start; false when the mode
#                             had changed (it is then put back all the same)
#   x_session_stop            stops Wine, and the server if this session started it
#   x_session_running PID     true while the process runs (a zombie has ended)
# X_SESSION_OUTPUT and X_SESSION_FOUND_MODE hold the output and the mode found.

_x_session_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_x_session_state=
_x_session_own_server=
X_SESSION_OUTPUT=
X_SESSION_FOUND_MODE=

x_session_running() {
  local stat
  stat=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) && [ "${stat%% *}" != Z ]
}

x_session_current_mode() {
  xrandr --verbose 2>/dev/null | awk '
    /^[^ \t]/ { out = ($2 == "connected") ? $1 : "" }
    out != "" && /\*current/ { gsub(/[()]/, "", $2); print out, $2; exit }'
}

x_session_describe_mode() {
  xrandr --verbose 2>/dev/null | awk -v id="($1)" '$2 == id { print $1; exit }'
}

# Wine takes its DPI from LogPixels under HKCU\Control Panel\Desktop when its session
# starts: the value is set before the first program of the run, and the session that
# set it ends. Every run sets its own (96 unless TAVELMORIND_DPI says otherwise), so
# that a run cut short leaves its DPI to nobody.
_x_session_set_dpi() {
  local want=$1 hex
  hex=$(sed -n '/^\[Control Panel\\\\Desktop\]/,/^\[/ s/^"LogPixels"=dword:\([0-9a-f]*\).*/\1/p' \
    "$WINEPREFIX/user.reg" 2>/dev/null | head -n 1)
  [ "$((16#${hex:-60}))" = "$want" ] && return 0
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$want" /f \
    >/dev/null 2>&1 || {
    echo "x-session: cannot set the DPI to $want" >&2
    return 1
  }
  wine_env_stop
}

x_session_start() {
  local build=${1:?usage: x_session_start BUILD} stale start_output
  # shellcheck source=tools/wine-env.sh
  source "$_x_session_tools/wine-env.sh" "$build"
  # A run in progress keeps its server, recognised by the live PID in its folder; a
  # CTest time-out kills a run outright, leaving one behind.
  for stale in "$build"/.xserver.*/; do
    [ -f "$stale/owner" ] || continue
    x_session_running "$(cat "$stale/owner")" && continue
    "$_x_session_tools/xserver.sh" stop "$stale"
    rm -rf "$stale"
  done
  _x_session_state=$(mktemp -d "$build/.xserver.XXXXXX")
  echo $$ >"$_x_session_state/owner"

  if [ -n "${TAVELMORIND_X_DISPLAY:-}" ]; then
    export DISPLAY=$TAVELMORIND_X_DISPLAY
  else
    start_output=$("$_x_session_tools/xserver.sh" start "$_x_session_state" "$build") || return 1
    eval "$start_output"
    _x_session_own_server=1
  fi
  wine_env_prepare || return 1
  _x_session_set_dpi "${TAVELMORIND_DPI:-96}" || return 1
  read -r X_SESSION_OUTPUT X_SESSION_FOUND_MODE <<<"$(x_session_current_mode)"
  if [ -z "$X_SESSION_FOUND_MODE" ]; then
    echo "x-session: cannot read the display mode of $DISPLAY" >&2
    return 1
  fi
}

x_session_restore_mode() {
  local left
  [ -n "$X_SESSION_FOUND_MODE" ] || return 0
  read -r _ left <<<"$(x_session_current_mode)"
  [ "$left" = "$X_SESSION_FOUND_MODE" ] && return 0
  echo "x-session: $X_SESSION_OUTPUT was left at $(x_session_describe_mode "$left")," \
    "found at $(x_session_describe_mode "$X_SESSION_FOUND_MODE"); restoring it" >&2
  xrandr --output "$X_SESSION_OUTPUT" --mode "$X_SESSION_FOUND_MODE" ||
    echo "x-session: could not restore the display mode" >&2
  return 1
}

x_session_stop() {
  wine_env_stop
  if [ -n "$_x_session_own_server" ]; then
    "$_x_session_tools/xserver.sh" stop "$_x_session_state"
    _x_session_own_server=
  fi
  [ -n "$_x_session_state" ] && rm -rf "$_x_session_state"
  _x_session_state=
}
