#!/usr/bin/env bash
# A first start greets the user; OK writes the marker, Cancel ends the program and
# writes nothing; after OK the next start greets no more.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

e2e_start_program
greeting=$(e2e_driver answer Confirm Cancel --contains "Welcome!" --timeout 20000)
e2e_assert_contains "$greeting" "make sure you are using your correct Monitor drivers" \
  "the greeting asks about the drivers"
e2e_wait_exit 20 || true
e2e_assert_eq 0 "$E2E_EXIT_CODE" "Cancel ends the program"
if e2e_ini >/dev/null; then
  e2e_assert_eq "" "$(e2e_ini)" "Cancel writes no marker"
fi

e2e_start_program
e2e_driver wait-window Confirm --visible --timeout 20000 >/dev/null
e2e_screenshot greeting
e2e_driver answer Confirm OK --contains "Welcome!" >/dev/null
e2e_driver answer Information OK --contains "double-clicking on the Tavelmorind System Tray icon" >/dev/null
e2e_wait_started
e2e_assert_eq $'[Init]\nProgram Run Before=1' "$(e2e_ini)" "OK writes the first-run marker"
e2e_driver wait-window "$MAIN" --hidden >/dev/null
e2e_exit_program

# The marker was kept: the next start greets nobody.
e2e_start_program
e2e_wait_started
if e2e_driver wait-window Confirm --visible --timeout 1000 >/dev/null 2>&1; then
  e2e_log "FAIL: the greeting is shown again"
  exit 1
fi
e2e_log "ok: no greeting at the second start"
e2e_exit_program
