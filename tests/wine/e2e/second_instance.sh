#!/usr/bin/env bash
# A second start shows the running copy's main window and exits with code 0 without
# a window or tray icon of its own.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

e2e_write_ini "$RUN_BEFORE"
e2e_start_program
e2e_wait_started
first=$E2E_PROGRAM_PID
e2e_driver wait-window "$MAIN" --hidden >/dev/null

e2e_start_program
e2e_wait_exit 20 || true
e2e_assert_eq 0 "$E2E_EXIT_CODE" "the second copy exits with code 0"
e2e_driver wait-window "$MAIN" --visible --timeout 5000 >/dev/null
e2e_log "ok: the first copy's main window is shown"
count=$(e2e_driver windows | awk -F'\t' '$NF == "Tavelmorind Configuration"' | wc -l)
e2e_assert_eq 1 "$count" "one main window only"
E2E_PROGRAM_PID=$first
e2e_exit_program
