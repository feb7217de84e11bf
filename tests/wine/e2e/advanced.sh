#!/usr/bin/env bash
# The Advanced Settings dialog opens from the main window's button and from the tray
# menu; Defaults then Close changes what Save writes. Blank Screen covers the screen
# with the black window after the delay, with the X screen saver off, and a key press
# takes it away again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ADV="Advanced Settings"
e2e_write_ini "$RUN_BEFORE"$'[Advanced Options]\nDelay before Override=500\nAutoDisable Time Allowed=7\nCPU Enforce Modes=0\nMode Switcher=1\nPower Save Delay=1000\n'
e2e_start_program
e2e_wait_started

e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
e2e_driver click "$MAIN" "A&dvanced Settings..." >/dev/null
e2e_driver wait-window "$ADV" --visible >/dev/null
e2e_log "ok: the main window's button opens the dialog"
e2e_screenshot advanced-from-button
e2e_driver close "$ADV" >/dev/null
e2e_driver wait-window "$ADV" --hidden >/dev/null

e2e_tray 516
e2e_driver menu-choose "&Advanced Settings" >/dev/null
e2e_driver wait-window "$ADV" --visible >/dev/null
e2e_log "ok: the tray menu opens the dialog"
e2e_driver click "$ADV" "&Defaults" >/dev/null
e2e_driver click "$ADV" "&Close" >/dev/null
e2e_driver wait-window "$ADV" --hidden >/dev/null
e2e_driver click "$MAIN" "&Save" >/dev/null
e2e_driver wait-window "$MAIN" --hidden >/dev/null
ini=$(e2e_ini)
for line in "Delay before Override=0" "AutoDisable Time Allowed=30" "CPU Enforce Modes=1" \
            "Mode Switcher=0" "Power Save Delay=3000"; do
  e2e_assert_contains "$ini" "$line" "after Defaults and Close, Save writes $line"
done

# The blank screen waits the power-save delay (3000 ms after Defaults) first.
saver_timeout() { xset q | awk '/timeout:/ { print $2; exit }'; }
# The private server starts with its screen saver off; a user's has one.
xset s 600
before=$(saver_timeout)
e2e_tray 516
e2e_driver menu-choose "&Monitor Features" >/dev/null
e2e_driver menu-choose "&Blank Screen" >/dev/null
e2e_driver wait-window BlankForm --visible --timeout 8000 >/dev/null
e2e_log "ok: the black window shows after the delay"
e2e_assert_eq 0 "$(saver_timeout)" "the X screen saver is off while it shows"
e2e_screenshot blank-screen
e2e_driver key BlankForm 65 >/dev/null
e2e_driver wait-window BlankForm --hidden --timeout 5000 >/dev/null
e2e_log "ok: a key press takes it away"
e2e_assert_eq "$before" "$(saver_timeout)" "the X screen saver is back"
e2e_exit_program
