#!/usr/bin/env bash
# A burst of switches beyond the allowance switches overriding Off, says so in the
# status line, and later switches are left alone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=0\nAutoDisable Time Allowed=4\nAutoDisable Timespan=60000\n'
e2e_start_program
e2e_wait_started
# Each switch counts once, and once more for the program's own restore.
e2e_game 800 600 32 60 >/dev/null
e2e_wait_xmode 800x600@120 || e2e_assert_eq 800x600@120 "$(e2e_xmode)" "first switch restored"
e2e_game 640 480 32 60 >/dev/null
e2e_wait_xmode 640x480@140 || e2e_assert_eq 640x480@140 "$(e2e_xmode)" "second switch restored"
e2e_game 1024 768 32 60 >/dev/null
sleep 1
e2e_driver text "$MAIN" --class msctls_statusbar32 --expect "Rate limit exceeded; click the 'On' button to re-enable." \
  --timeout 5000 >/dev/null
e2e_log "ok: the status line says the rate limit was exceeded"
e2e_game 800 600 32 60 >/dev/null
sleep 1
e2e_assert_eq 800x600@60 "$(e2e_xmode)" "after the switch-off a game's rate stays"
e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
e2e_assert_contains "$(e2e_driver state "$MAIN" "&Off")" " checked" "Off is checked"
e2e_screenshot rate-limit
e2e_exit_program
