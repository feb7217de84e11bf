#!/usr/bin/env bash
# WinDriver against TestWindow.exe, a window of ours with the kinds of controls and
# dialogs the program shows, so the end-to-end tier's hands are known to work before
# they touch the program.
set -euo pipefail
# shellcheck source=tests/wine/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

E2E_PROGRAM=$E2E_BUILD/TestWindow.exe
title="Driver Test"

status_line() {
  e2e_driver text "$title" --class msctls_statusbar32 "$@"
}

# Runs a command that must fail with exit code $1.
expect_exit() {
  local expected=$1 status=0
  shift
  "$@" >/dev/null 2>&1 || status=$?
  e2e_assert_eq "$expected" "$status" "exit code of: $*"
}

e2e_start_program 7
e2e_driver wait-window "$title" --visible
e2e_assert_contains "$(e2e_driver windows)" "TavelmorindDriverTest	$title" \
  "windows lists the test window with its class"
e2e_assert_eq "Ready" "$(status_line)" "the status bar's simple text"
e2e_assert_eq "$title" "$(e2e_driver text "$title")" "text of the window itself"
e2e_assert_eq "&Press" "$(e2e_driver text "$title" "&Press")" "text of a control by caption"
e2e_assert_eq $'640x480\t60 Hz\n800x600\t75 Hz' "$(e2e_driver cells "$title")" "list view cells"
e2e_assert_eq $'Mode\tRate' "$(e2e_driver cells "$title" --header | head -n 1)" "list view header"

e2e_driver click "$title" "&Press"
e2e_driver wait-window Confirm --visible --timeout 2000
e2e_screenshot driver-selftest-confirm
expect_exit 1 e2e_driver click "$title" "&Remember" --timeout 300
e2e_assert_eq "Press the button for real?" \
  "$(e2e_driver answer Confirm OK --contains "for real")" "answer prints the message"
e2e_driver wait-window Confirm --gone --timeout 0
e2e_assert_eq "Pressed: OK" "$(status_line)" "the button's handler went on after the answer"

e2e_assert_eq "visible enabled focused" "$(e2e_driver state "$title" "&Press")" \
  "the focus came back to the button"
e2e_driver key "$title" 13 --focused
e2e_driver wait-window Confirm --visible --timeout 2000
expect_exit 1 e2e_driver key "$title" 27 --timeout 300
e2e_driver answer Confirm Cancel >/dev/null
e2e_assert_eq "Pressed: Cancel" "$(status_line --expect "Pressed: Cancel")" \
  "Enter on the focused default button"
e2e_driver key "$title" 27
e2e_assert_eq "Escape" "$(status_line --expect Escape)" "Escape through the dialog manager"

e2e_driver click "$title" "&Remember"
e2e_assert_eq "Remember: on" "$(status_line)" "a check box click"
e2e_assert_eq "visible enabled checked focused" "$(e2e_driver state "$title" "&Remember")" \
  "its state; the click took the focus, as a mouse click does"
expect_exit 1 e2e_driver click "$title" "&Later" --timeout 300
expect_exit 1 e2e_driver click "$title" "&Nothing" --timeout 300
expect_exit 2 e2e_driver click "$title"
expect_exit 2 e2e_driver wait-window "$title" --soon

e2e_driver select-row "$title" 1
e2e_assert_eq "Row 1" "$(status_line)" "selecting a row notifies the window"
e2e_assert_eq $'800x600\t75 Hz' "$(e2e_driver cells "$title" --selected)" "the selected row"

e2e_driver mousemove "$title" 350 100
e2e_assert_eq "Mouse 350,100" "$(status_line --expect "Mouse 350,100")" "mouse move"

e2e_assert_eq 515 "$(e2e_driver send "$title" 1025 0 515)" "send returns the result"
e2e_assert_eq "Double-click" "$(status_line)" "tray double-click"
e2e_driver broadcast-registered TaskbarCreated >/dev/null
e2e_assert_eq "TaskbarCreated" "$(status_line)" "a registered message broadcast"

e2e_driver send "$title" 1025 0 516
e2e_screenshot driver-selftest-menu
e2e_assert_eq $'[ ] &Show (default)\n-\n[x] &Checked\n[ ] &Disabled (disabled)\n[ ] E&xit' \
  "$(e2e_driver menu-items "$title")" "the pop-up menu's items"
expect_exit 1 e2e_driver menu-choose "&Disabled" --timeout 300
e2e_driver menu-choose "&Checked"
e2e_assert_eq "Menu: &Checked" "$(status_line --expect "Menu: &Checked")" "a menu choice"

e2e_driver close "$title"
status=0
e2e_wait_exit 20 || status=$?
e2e_assert_eq 7 "$status" "the window closed and the program ended with its exit code"
e2e_driver wait-window "$title" --gone --timeout 0

# The tray's case: the menu of a window that stays hidden.
e2e_start_program 0 hidden
e2e_driver wait-window "$title" --hidden
expect_exit 1 e2e_driver click "$title" "&Press" --timeout 300
e2e_driver send "$title" 1025 0 516
e2e_assert_contains "$(e2e_driver menu-items "$title")" "[ ] E&xit" "the menu of a hidden window"
e2e_driver menu-choose "E&xit" --owner "$title"
status=0
e2e_wait_exit 20 || status=$?
e2e_assert_eq 0 "$status" "Exit from the menu ended the program"

# The library's own helpers: the game, the X server's view, the INI file, the Run value.
e2e_game 800 600 32 75 >/dev/null
e2e_assert_eq "800x600@75" "$(e2e_xmode)" "a game switched the X mode"
e2e_restore_mode
e2e_assert_eq "1024x768@60" "$(e2e_xmode)" "the mode found at the start is back"
expect_exit 1 e2e_ini
e2e_write_ini $'[Options]\nRefresh=85\n'
e2e_assert_eq $'[Options]\nRefresh=85' "$(e2e_ini)" "the INI file, without carriage returns"
expect_exit 1 e2e_reg_query
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tavelmorind \
  /d 'C:\Tavelmorind.exe' /f >/dev/null 2>&1
e2e_assert_contains "$(e2e_reg_query)" 'Tavelmorind    REG_SZ    C:\Tavelmorind.exe' "the Run value"
# The next script starts from no INI file and no Run value anyway; the other Windows
# tests share the prefix and need not see these.
rm -f "$(e2e_ini_path)"
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tavelmorind /f \
  >/dev/null 2>&1
