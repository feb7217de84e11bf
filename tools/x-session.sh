# shellcheck shell=bash
# One session of a Windows program under Wine on a private X server, shared by
# tools/run-wine-tests.sh and the end-to-end scripts. Source it, then:
#   x_session_start BUILD     stops servers of earlier runs that were killed before
#                             they could clean up, starts a private server (or uses
#                             $TAVELMORIND_X_DISPLAY), prepares the Wine prefix in BUILD
#                             and records the display modes it found; sets DISPLAY.
#                             Wine runs at the DPI in TAVELMORIND_DPI (96 when unset)
#   x_session_current_modes   "<output> <mode id> <x>x<y>" of every output that shows a
#                             picture, one a line
#   x_session_describe_mode ID   the mode's name, "800x600_85"
#   x_session_restore_mode    puts back the modes (and places) of the outputs found at the
#                             start; false when any had changed (they are then put back
#                             all the same)
#   x_session_stop            stops Wine, and the server if this session started it
#   x_session_running PID     true while the process runs (a zombie has ended)
# X_SESSION_FOUND_MODES holds the outputs found, as x_session_current_modes prints them.

_x_session_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_x_session_state=
_x_session_own_server=
X_SESSION_FOUND_MODES=

x_session_running() {
  local stat
  stat=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) && [ "${stat%% *}" != Z ]
}

x_session_current_modes() {
  xrandr --verbose 2>/dev/null | awk '
    /^[^ \t]/ {
      out = ""
      if ($2 != "connected") next
      for (i = 3; i <= NF; i++)
        if ($i ~ /^[0-9]+x[0-9]+\+[0-9]+\+[0-9]+$/) {
          split($i, at, /[+]/); out = $1; place = at[2] "x" at[3]; break
        }
    }
    out != "" && /\*current/ { gsub(/[()]/, "", $2); print out, $2, place; out = "" }'
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
  X_SESSION_FOUND_MODES=$(x_session_current_modes)
  if [ -z "$X_SESSION_FOUND_MODES" ]; then
    echo "x-session: cannot read the display mode of $DISPLAY" >&2
    return 1
  fi
}

# "DUMMY0 800x600_85 at 0x0, ..." for lines of x_session_current_modes
_x_session_describe_modes() {
  local output mode place described=
  while read -r output mode place; do
    [ -n "$output" ] || continue
    described+="${described:+, }$output $(x_session_describe_mode "$mode") at $place"
  done <<<"$1"
  echo "${described:-nothing}"
}

x_session_restore_mode() {
  local left output mode place restore=()
  [ -n "$X_SESSION_FOUND_MODES" ] || return 0
  left=$(x_session_current_modes)
  [ "$left" = "$X_SESSION_FOUND_MODES" ] && return 0
  echo "x-session: the outputs were left at $(_x_session_describe_modes "$left")," \
    "found at $(_x_session_describe_modes "$X_SESSION_FOUND_MODES"); restoring them" >&2
  while read -r output mode place; do
    restore+=(--output "$output" --mode "$mode" --pos "$place")
  done <<<"$X_SESSION_FOUND_MODES"
  xrandr "${restore[@]}" ||
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
