#!/usr/bin/env bash
# Exit and a new start at once, as a user who restarts the program or an installer
# does: the new start must end up running, whether it came after the old copy had gone
# or while the old copy was still taking its windows down.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Chooses Exit in the tray menu and starts a new copy without waiting; checks that
# the new copy is the one left running once the old one has ended.
exit_and_start_at_once() {
  local what=$1 old=$E2E_PROGRAM_PID
  e2e_tray 516
  e2e_driver menu-choose "E&xit Tavelmorind" >/dev/null
  e2e_start_program
  local new=$E2E_PROGRAM_PID
  e2e_wait_exit 30 "$old" || true
  e2e_assert_eq 0 "$E2E_EXIT_CODE" "$what: the old copy ends with exit code 0"
  E2E_PROGRAM_PID=$new
  e2e_wait_started
  x_session_running "$new" || e2e_assert_eq running ended "$what: the new copy runs"
  e2e_log "ok: $what: the new copy runs"
}

e2e_write_ini "$RUN_BEFORE"
e2e_start_program
e2e_wait_started

# The old copy's main window open: it takes its windows down while the new one starts.
e2e_tray 515
e2e_driver wait-window "$MAIN" --visible --timeout 5000 >/dev/null
exit_and_start_at_once "main window open"

# The window hidden, a few times over: the start follows the end closely.
for round in 1 2 3; do
  exit_and_start_at_once "main window hidden, round $round"
done
e2e_exit_program

# The session ends (WM_ENDSESSION): the program ends at once, with exit code 0.
e2e_start_program
e2e_wait_started
e2e_driver send "$MAIN" 22 1 0 >/dev/null || true
e2e_wait_exit 10 || true
e2e_assert_eq 0 "$E2E_EXIT_CODE" "the end of the session ends the program with exit code 0"
