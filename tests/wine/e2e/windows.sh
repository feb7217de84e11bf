#!/usr/bin/env bash
# The main window, the tray menu and the confirmation dialog as a user
# meets them; Save writes the file as described; Exit ends the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n'
e2e_start_program
e2e_wait_started
e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
e2e_driver text "$MAIN" --class msctls_statusbar32 --expect Ready --timeout 3000 >/dev/null
cells=$(e2e_driver cells "$MAIN" --header)
e2e_assert_contains "$cells" $'Screen Mode\tDetected Safe Frequencies (Hz)\tSet At' "grid header"
e2e_assert_contains "$cells" $'800x600 - 32 BPP\t120, 100, 85, 75, 72, 60\t120' "a mode row"
e2e_screenshot main-window

e2e_tray 516
menu=$(e2e_driver menu-items)
e2e_assert_contains "$menu" "&Tavelmorind Configuration" "tray menu: first item"
e2e_assert_contains "$menu" "E&xit Tavelmorind" "tray menu: exit item"
e2e_screenshot tray-menu
e2e_driver key "#32768" 27 >/dev/null || true

e2e_driver click "$MAIN" "&Save"
e2e_driver wait-window "$MAIN" --hidden >/dev/null
ini=$(e2e_ini)
e2e_assert_contains "$ini" $'[Main Options]\nSwitched On=1\nFastest Frequency=1\n[Advanced Options]\nDelay before Override=0\nAutoDisable Timespan=30000\nAutoDisable Time Allowed=30\nRun at Set Frequency=0\nRun at Set Frequency Level=60\nCPU Enforce Modes=1\nShow System Tray Icon=1\nOptimize Desktop Mode=0\nMode Switcher=0\nPower Save Delay=3000' \
  "Save writes every key in order"

e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
before=$(e2e_xmode)
e2e_driver click "$MAIN" "S&witch Mode" >/dev/null
question=$(e2e_driver answer Warning "&Yes" --contains "Changing the screen mode to")
e2e_assert_contains "$question" "Are you absolutely sure you want to change the screen mode?" \
  "the switch asks first"
e2e_driver wait-window "Confirm Display Settings" --visible >/dev/null
# Wine restacks the windows on the X server a moment after the mode change.
sleep 0.5
e2e_screenshot confirmation
e2e_driver click "Confirm Display Settings" "&No" >/dev/null
e2e_driver wait-window "Confirm Display Settings" --hidden >/dev/null
e2e_assert_eq "$before" "$(e2e_xmode)" "No puts the previous mode back"

e2e_exit_program
