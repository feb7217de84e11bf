# shellcheck shell=bash
# The shell side of the end-to-end tier. An end-to-end script sources it:
#   source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Sourcing starts a private X server (tools/xserver.sh), takes the Wine prefix for this
# script and prepares it (tools/wine-env.sh), puts the program back to a first start (no
# INI file, no Run value) and sets an EXIT trap that stops Wine and the X server and
# puts back the display mode it found. Do not replace that trap.
#
# The build folder is $TAVELMORIND_BUILD_DIR (CTest sets it), else build/windows. With
# TAVELMORIND_X_DISPLAY set, that running server is used instead (to watch a run).
#
#   e2e_start_program [ARGS...]   starts the program (wine Tavelmorind.exe ARGS) in the
#                                 background; its PID is in E2E_PROGRAM_PID, its output
#                                 in $E2E_LOGS/program.log
#   e2e_wait_exit TIMEOUT_S [PID] waits for the program (or PID, a process started
#                                 here) to end; returns its exit code, also kept in
#                                 E2E_EXIT_CODE; 124 when it still runs after TIMEOUT_S
#   e2e_driver ARGS...            runs WinDriver.exe ARGS (see its usage)
#   e2e_game W H BITS HZ [restore]  another program switches the mode, as a game does
#   e2e_xmode                     the X server's current mode, "1024x768@85"
#   e2e_xmode_of OUTPUT           the current mode of that output ("DUMMY1"), likewise
#                                 ("": the first connected output, as e2e_xmode)
#   e2e_ini                       the program's INI file (without CRs); fails if missing
#   e2e_write_ini TEXT            writes the program's INI file (lines end in CRLF), as
#                                 the user the program runs as
#   e2e_ini_path                  the INI file's Unix path: the user's, under LocalAppData
#   e2e_reg_query                 `reg query` of the program's Run value in the user's
#                                 key; fails if missing
#   e2e_screenshot NAME           the whole screen into $E2E_SCREENSHOTS/NAME.png
#   e2e_restore_mode              puts back the mode the X server had at the start
#   e2e_assert_eq EXPECTED ACTUAL MESSAGE       ends the script (exit 1) unless equal
#   e2e_assert_contains TEXT PART MESSAGE      ends the script unless TEXT contains PART
#   e2e_log TEXT...               a progress line on stderr
# On a failure the trap saves a screenshot (NAME-failure.png) and the window list.

_e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_e2e_tools=$(cd "$_e2e_here/../../../tools" && pwd)

E2E_BUILD=${TAVELMORIND_BUILD_DIR:-$_e2e_tools/../build/windows}
mkdir -p "$E2E_BUILD"
E2E_BUILD=$(cd "$E2E_BUILD" && pwd)
E2E_NAME=$(basename "$0" .sh)
E2E_PROGRAM=${E2E_PROGRAM:-$E2E_BUILD/Tavelmorind.exe}
E2E_DRIVER=${E2E_DRIVER:-$E2E_BUILD/WinDriver.exe}
E2E_GAME=${E2E_GAME:-$E2E_BUILD/SwitchMode.exe}
E2E_LOGS=$E2E_BUILD/e2e/$E2E_NAME
E2E_SCREENSHOTS=$E2E_BUILD/screenshots
E2E_PROGRAM_PID=
E2E_EXIT_CODE=
export TAVELMORIND_BUILD_DIR=$E2E_BUILD

_e2e_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
_e2e_run_value=Tavelmorind

e2e_log() {
  echo "e2e $E2E_NAME: $*" >&2
}

e2e_xmode() {
  e2e_xmode_of ""
}

e2e_xmode_of() {
  xrandr --current 2>/dev/null | awk -v want="$1" '
    /^[^ \t]/ {
      size = ""
      if ((want != "" && $1 != want) || $2 != "connected") next
      for (i = 3; i <= NF; i++)
        if ($i ~ /^[0-9]+x[0-9]+\+/) { split($i, g, "+"); size = g[1]; break }
      next
    }
    size != "" {
      for (i = 2; i <= NF; i++)
        if ($i ~ /\*/) { r = $i; gsub(/[*+]/, "", r); printf "%s@%d\n", size, r + 0.5; exit }
    }'
}

e2e_restore_mode() {
  x_session_restore_mode 2>/dev/null || true
}

e2e_driver() {
  wine "$E2E_DRIVER" "$@"
}

e2e_game() {
  (cd "$E2E_BUILD" && wine "$E2E_GAME" "$@")
}

e2e_start_program() {
  if [ ! -f "$E2E_PROGRAM" ]; then
    e2e_log "no program at $E2E_PROGRAM"
    return 1
  fi
  mkdir -p "$E2E_LOGS"
  (cd "$E2E_BUILD" && exec wine "$E2E_PROGRAM" "$@") </dev/null >>"$E2E_LOGS/program.log" 2>&1 &
  E2E_PROGRAM_PID=$!
  e2e_log "started $(basename "$E2E_PROGRAM") $* (pid $E2E_PROGRAM_PID)"
}

e2e_wait_exit() {
  local timeout=${1:?usage: e2e_wait_exit TIMEOUT_S [PID]} pid=${2:-$E2E_PROGRAM_PID}
  local deadline=$((SECONDS + timeout))
  E2E_EXIT_CODE=
  while x_session_running "$pid"; do
    if ((SECONDS >= deadline)); then
      e2e_log "process $pid still runs after ${timeout}s"
      return 124
    fi
    sleep 0.1
  done
  E2E_EXIT_CODE=0
  wait "$pid" || E2E_EXIT_CODE=$?
  return "$E2E_EXIT_CODE"
}

e2e_ini_path() {
  echo "$(wine_env_local_appdata)/Tavelmorind/Tavelmorind.ini"
}

e2e_ini() {
  local file
  file=$(e2e_ini_path)
  [ -f "$file" ] || return 1
  tr -d '\r' <"$file"
}

e2e_write_ini() {
  local file
  file=$(e2e_ini_path)
  wine_env_as_user mkdir -p "$(dirname "$file")"
  printf '%s' "$1" | sed 's/$/\r/' | wine_env_as_user tee "$file" >/dev/null
}

e2e_reg_query() {
  local output status=0
  output=$(wine reg query "$_e2e_run_key" /v "$_e2e_run_value" 2>/dev/null) || status=$?
  printf '%s\n' "$output" | tr -d '\r'
  return "$status"
}

e2e_screenshot() {
  mkdir -p "$E2E_SCREENSHOTS"
  import -window root "$E2E_SCREENSHOTS/${1:?usage: e2e_screenshot NAME}.png"
}

e2e_assert_eq() {
  if [ "$1" != "$2" ]; then
    e2e_log "FAIL: $3: expected [$1], got [$2]"
    exit 1
  fi
  e2e_log "ok: $3"
}

e2e_assert_contains() {
  if [[ $1 != *"$2"* ]]; then
    e2e_log "FAIL: $3: [$2] not in [$1]"
    exit 1
  fi
  e2e_log "ok: $3"
}

# shellcheck disable=SC2317 # run by the EXIT trap
_e2e_cleanup() {
  local status=$?
  trap - EXIT
  if [ "$status" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
    e2e_screenshot "$E2E_NAME-failure" 2>/dev/null || true
    e2e_log "windows at the failure:"
    e2e_driver windows >&2 2>/dev/null || true
  fi
  wine_env_stop
  e2e_restore_mode
  x_session_stop
  exit "$status"
}

_e2e_setup() {
  # shellcheck source=tools/x-session.sh
  source "$_e2e_tools/x-session.sh"
  trap _e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  x_session_start "$E2E_BUILD" || exit 1

  rm -f "$(e2e_ini_path)"
  wine reg delete "$_e2e_run_key" /v "$_e2e_run_value" /f >/dev/null 2>&1 || true
  e2e_log "X display $DISPLAY ($(e2e_xmode)), Wine prefix $WINEPREFIX"
}

_e2e_setup
