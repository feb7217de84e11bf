# shellcheck shell=bash
# What the program's end-to-end scripts share on top of lib.sh.
# shellcheck source=tests/wine/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

MAIN="Tavelmorind Configuration"
# shellcheck disable=SC2034 # used by the scripts that source this file
RUN_BEFORE=$'[Init]\nProgram Run Before=1\n'

# Waits until start-up has completed: the blanking window is the last one created.
# A start that never got there says whether the program had ended meanwhile, and how.
e2e_wait_started() {
  e2e_driver wait-window BlankForm --hidden --timeout 20000 >/dev/null && return 0
  if [ -n "$E2E_PROGRAM_PID" ] && ! x_session_running "$E2E_PROGRAM_PID"; then
    local code=0
    wait "$E2E_PROGRAM_PID" || code=$?
    e2e_log "the program (pid $E2E_PROGRAM_PID) had ended meanwhile with exit code $code"
  fi
  return 1
}

# Waits until the X server's mode reads $1, for at most $2 seconds.
e2e_wait_xmode() {
  e2e_wait_xmode_of "" "$1" "${2:-5}"
}

# Waits until output $1's mode ("": the first connected output) reads $2, for at most $3
# seconds.
e2e_wait_xmode_of() {
  local output=$1 want=$2 deadline=$((SECONDS + ${3:-5}))
  while [ "$(e2e_xmode_of "$output")" != "$want" ]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.02
  done
}

# The tray icon's callback, as the shell sends it: 515 double-click, 516 right-click.
e2e_tray() {
  e2e_driver send "$MAIN" 1025 100 "$1" >/dev/null
}

# Ends the program through the tray menu's Exit and expects exit code 0.
e2e_exit_program() {
  e2e_tray 516
  e2e_driver menu-choose "E&xit Tavelmorind" >/dev/null
  e2e_wait_exit 20
  e2e_assert_eq 0 "$E2E_EXIT_CODE" "the program ends with exit code 0"
}

# Switches like a game and prints two times in milliseconds: from the game's call to
# ChangeDisplaySettingsA until the X server shows $5, and from the call's return until
# then (negative: the program had put the rate back before the game's call returned,
# since Wine delivers the notification inside it). "none" when $5 never shows in 5 s.
switch_and_time() {
  local w=$1 h=$2 bits=$3 hz=$4 want=$5 out seen="" called returned
  out=$(mktemp)
  e2e_game "$w" "$h" "$bits" "$hz" >"$out" &
  local game=$!
  # The game is known to have switched once its stamp is there; before that the X
  # server still shows the mode it found.
  local deadline=$((SECONDS + 5))
  while ((SECONDS < deadline)); do
    if grep -q called-at-ns "$out" 2>/dev/null || x_session_running "$game"; then
      if [ "$(e2e_xmode)" = "$want" ] && grep -q called-at-ns "$out" 2>/dev/null; then
        seen=$(date +%s%N)
        break
      fi
    fi
    sleep 0.005
  done
  wait "$game" || true
  called=$(sed -n 's/.*called-at-ns \([0-9]*\).*/\1/p' "$out")
  returned=$(sed -n 's/.*returned-at-ns \([0-9]*\).*/\1/p' "$out")
  rm -f "$out"
  if [ -z "$seen" ] || [ -z "$called" ]; then
    echo "none none"
  else
    echo "$(((seen - called) / 1000000)) $(((seen - returned) / 1000000))"
  fi
}
