#!/usr/bin/env bash
# An ordinary user's program keeps its settings where that user can write: the
# per-user file under LocalAppData (also below a user name outside the ANSI code
# page), migrated byte for byte from the Windows directory, and the Run value in the
# user's own key.
set -euo pipefail
# Wine takes command-line arguments and Unix file names in the locale's encoding.
export LC_ALL=C.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ADV="Advanced Settings"
BOOT="&Run this program on boot (not recommended if you regularly change monitors!)"
windows_ini=$WINEPREFIX/drive_c/windows/Tavelmorind.ini

if wine_env_as_user touch "$WINEPREFIX/drive_c/windows/probe" 2>/dev/null; then
  e2e_log "FAIL: the program's user can write the Windows directory"
  exit 1
fi
e2e_log "ok: the Windows directory is closed to the program's user"

# A path with a space: the Run value must be quoted.
spaced="$E2E_BUILD/e2e/settings_places/Tavelmorind Test"
mkdir -p "$spaced"
cp "$E2E_BUILD/Tavelmorind.exe" "$spaced/"
E2E_PROGRAM=$spaced/Tavelmorind.exe

open_main() {
  e2e_tray 515
  e2e_driver wait-window "$MAIN" --visible >/dev/null
}
save() {
  e2e_driver click "$MAIN" "&Save" >/dev/null
  [ -z "${1:-}" ] || e2e_driver answer Warning "&Yes" --contains "WARNING: You are booting" >/dev/null
  e2e_driver wait-window "$MAIN" --hidden >/dev/null
}
toggle_boot() {
  e2e_driver click "$MAIN" "A&dvanced Settings..." >/dev/null
  e2e_driver wait-window "$ADV" --visible >/dev/null
  e2e_driver click "$ADV" "$BOOT" >/dev/null
  e2e_driver click "$ADV" "&Close" >/dev/null
  e2e_driver wait-window "$ADV" --hidden >/dev/null
}

# On, start at log-on and Save are kept over a restart.
e2e_write_ini "$RUN_BEFORE"
e2e_start_program
e2e_wait_started
open_main
e2e_driver click "$MAIN" "O&n" >/dev/null
toggle_boot
save warned
e2e_assert_contains "$(e2e_reg_query)" "Tavelmorind    REG_SZ    \"$(winepath -w "$E2E_PROGRAM")\"" \
  "the quoted Run value in the user's key"
e2e_assert_contains "$(e2e_ini)" "Switched On=1" "Save wrote the per-user file"
e2e_exit_program

e2e_start_program
e2e_wait_started
open_main
e2e_assert_contains "$(e2e_driver state "$MAIN" "O&n")" "checked" "overriding is On after a restart"
toggle_boot
save
if e2e_reg_query >/dev/null; then
  e2e_log "FAIL: the Run value is still there after unticking"
  exit 1
fi
e2e_log "ok: unticked and saved, the Run value is gone"
e2e_exit_program

# An older version's file in the Windows directory (put there by an administrator) is
# copied, byte for byte, and the copy is the one written from then on.
rm -f "$(e2e_ini_path)"
printf '[Init]\r\nProgram Run Before=1\r\n[Main Options]\r\nSwitched On=1\r\n\r\n; kept by hand\r\n' \
  >"$windows_ini"
old=$(sha256sum <"$windows_ini")
e2e_start_program
e2e_wait_started
e2e_assert_eq "$old" "$(sha256sum <"$(e2e_ini_path)")" "the older file is copied byte for byte"
open_main
e2e_assert_contains "$(e2e_driver state "$MAIN" "O&n")" "checked" "its settings are loaded"
e2e_driver click "$MAIN" "&Off" >/dev/null
save
e2e_assert_contains "$(e2e_ini)" "Switched On=0" "Save writes the copy"
e2e_assert_eq "$old" "$(sha256sum <"$windows_ini")" "the older file stays as it was"
e2e_exit_program
rm -f "$windows_ini"

# A user whose profile folder has a name outside the ANSI code page.
# `reg` reports a failure on its standard output: it is shown when the change fails.
set_local_appdata() {
  local out
  out=$(wine reg add "$folders" /v "Local AppData" /t REG_EXPAND_SZ /d "$1" /f 2>&1) || {
    e2e_log "FAIL: reg add of Local AppData = $1: $out"
    return 1
  }
}
folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
unusual_unix="$WINEPREFIX/drive_c/users/Łukasz 田中/AppData/Local"
wine_env_as_user rm -rf "$unusual_unix/Tavelmorind"
wine_env_as_user mkdir -p "$unusual_unix"
set_local_appdata 'C:\users\Łukasz 田中\AppData\Local'
e2e_start_program
greeted=$(e2e_driver answer Confirm OK --contains "Welcome!" --timeout 20000 2>&1) || true
e2e_driver answer Information OK --contains "double-clicking" --timeout 5000 >/dev/null 2>&1 || true
e2e_wait_started || true
marker=$(cat "$unusual_unix/Tavelmorind/Tavelmorind.ini" 2>/dev/null) || true
# Wine's own default, so that the other scripts find the usual folder again.
set_local_appdata '%USERPROFILE%\AppData\Local'
e2e_exit_program
e2e_assert_contains "$greeted" "Welcome!" "a first start below the unusual folder name"
e2e_assert_eq $'[Init]\r\nProgram Run Before=1\r' "$marker" \
  "the marker is written below the unusual folder name"
