#!/usr/bin/env bash
# The release's setup program as a user meets it: a silent install gives up cleanly while
# a copy that will not end runs; the silent install puts the program, its Start menu
# shortcut and its "Installed apps" entry in place; the installed program starts and
# reports its version; a silent upgrade over the running copy ends it, keeps the settings
# file byte for byte and starts it again; the silent uninstall (the entry's own command)
# leaves nothing behind but the settings file. Then the same by hand, with the box that
# removes the settings ticked.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

version=${TAVELMORIND_VERSION:-$(sed -n 's/^project(Tavelmorind VERSION \([0-9.]*\).*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../../CMakeLists.txt")}
setup=${TAVELMORIND_SETUP:-$E2E_BUILD/Tavelmorind-$version-setup.exe}
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavelmorind'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
[ -f "$setup" ] || {
  e2e_log "no setup program at $setup"
  exit 1
}

# Where this prefix's user keeps things, asked of Wine: the user name differs by machine.
mapfile -t win_dirs < <(wine cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%' | tr -d '\r')
mapfile -t unix_dirs < <(winepath -u "${win_dirs[0]}" "${win_dirs[1]}")
install_win="${win_dirs[0]}\\Programs\\Tavelmorind"
install=${unix_dirs[0]%/}/Programs/Tavelmorind
shortcut="${unix_dirs[1]%/}/Microsoft/Windows/Start Menu/Programs/Tavelmorind.lnk"
settings=$(e2e_ini_path)

# What an earlier, broken run may have left.
rm -rf "$install" "$shortcut" "$settings"
wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true

# Settings the program finds (no greeting), in the per-user place the uninstaller knows.
e2e_write_ini "$RUN_BEFORE"
kept=$E2E_LOGS/settings-before.ini
mkdir -p "$E2E_LOGS"
cp "$settings" "$kept"

# A copy that does not end when asked: the silent install gives up and changes nothing.
wine "$E2E_BUILD/HoldMutex.exe" Tavelmorind 60 &
holder=$!
sleep 1
status=0
wine "$setup" /S || status=$?
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true
e2e_assert_eq 2 "$status" "the silent install fails while a copy that does not end runs"
if [ -e "$install" ] || wine reg query "$uninstall_key" >/dev/null 2>&1; then
  e2e_log "FAIL: the failed install left $install or its Uninstall entry"
  exit 1
fi
e2e_log "ok: the failed install changed nothing"

e2e_log "silent install of $(basename "$setup") ($(stat -c %s "$setup") bytes)"
status=0
wine "$setup" /S || status=$?
e2e_assert_eq 0 "$status" "the silent install succeeds"
for file in "$install/Tavelmorind.exe" "$install/Uninstall.exe" "$shortcut"; do
  [ -f "$file" ] || {
    e2e_log "FAIL: no $file after the install"
    exit 1
  }
done
grep -aqF "$install_win\\Tavelmorind.exe" "$shortcut" || {
  e2e_log "FAIL: the shortcut does not name $install_win\\Tavelmorind.exe"
  exit 1
}
e2e_log "ok: the program, its uninstaller and the Start menu shortcut to it are in place"
entry=$(wine reg query "$uninstall_key" | tr -d '\r')
for line in "DisplayName    REG_SZ    Tavelmorind" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    Tavelmorind developers" \
  "DisplayIcon    REG_SZ    $install_win\\Tavelmorind.exe,0" \
  "UninstallString    REG_SZ    \"$install_win\\Uninstall.exe\"" \
  "QuietUninstallString    REG_SZ    \"$install_win\\Uninstall.exe\" /S" \
  "InstallLocation    REG_SZ    $install_win" "EstimatedSize    REG_DWORD    0x" \
  "NoModify    REG_DWORD    0x1" "NoRepair    REG_DWORD    0x1"; do
  e2e_assert_contains "$entry" "$line" "Uninstall entry: ${line%%    *}"
done

info=$(wine "$E2E_BUILD/VersionInfo.exe" "$install_win\\Tavelmorind.exe")
for line in "FileVersion#=$version.0" "ProductVersion#=$version.0" "FileVersion=$version.0" \
  "ProductVersion=$version" "ProductName=Tavelmorind" "FileDescription=Tavelmorind" \
  "OriginalFilename=Tavelmorind.exe" "LegalCopyright=Copyright (C) 2026 Tavelmorind developers"; do
  e2e_assert_contains "$info" "$line" "version resource: ${line%%=*}"
done

# shellcheck disable=SC2034 # the program e2e_start_program starts
E2E_PROGRAM=$install/Tavelmorind.exe
e2e_start_program
e2e_wait_started
label=$(e2e_driver controls About | awk -F'\t' '$NF ~ /^Version /{print $NF}')
e2e_assert_eq "Version $version" "$label" "the installed program's About box shows its version"
# Start at log-on, as the program writes it: its path, quoted when it has a space.
run_value="$install_win\\Tavelmorind.exe"
[[ $run_value != *" "* ]] || run_value="\"$run_value\""
wine reg add "$run_key" /v Tavelmorind /t REG_SZ /d "$run_value" /f >/dev/null

status=0
wine "$setup" /S || status=$?
e2e_assert_eq 0 "$status" "the silent upgrade over the running copy succeeds"
e2e_wait_exit 20 || true
e2e_assert_eq 0 "$E2E_EXIT_CODE" "the running copy ended for the upgrade"
cmp "$kept" "$settings"
e2e_log "ok: the upgrade keeps the settings file byte for byte"
e2e_wait_started
e2e_log "ok: the upgrade starts the program again"

quiet=$(printf '%s\n' "$(wine reg query "$uninstall_key" /v QuietUninstallString | tr -d '\r')" |
  sed -n 's/.*REG_SZ    "\(.*\)" \/S$/\1/p')
status=0
wine "$quiet" /S || status=$?
e2e_assert_eq 0 "$status" "the silent uninstall starts"
# The uninstaller runs on from a copy of itself, so that it can remove the original.
deadline=$((SECONDS + 30))
while [ -e "$install" ] && ((SECONDS < deadline)); do
  sleep 0.2
done
[ ! -e "$install" ] || {
  e2e_log "FAIL: $install still holds: $(ls -A "$install")"
  exit 1
}
e2e_driver wait-window "$MAIN" --gone --timeout 10000 >/dev/null
e2e_log "ok: the running copy ended and the install folder is gone"
[ ! -e "$shortcut" ] || {
  e2e_log "FAIL: the shortcut stays"
  exit 1
}
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
  e2e_log "FAIL: the Uninstall entry stays"
  exit 1
fi
if wine reg query "$run_key" /v Tavelmorind >/dev/null 2>&1; then
  e2e_log "FAIL: the Run value stays"
  exit 1
fi
e2e_log "ok: no shortcut, Uninstall entry or Run value is left"
cmp "$kept" "$settings"
e2e_log "ok: the silent uninstall keeps the settings file"

# By hand: the setup's last page starts the program; the uninstaller asks to end it and,
# with its box ticked, removes the settings as well.
wine "$setup" &
setup_pid=$!
setup_title="Tavelmorind Setup " # the pages add a blank subcaption
e2e_driver click "$setup_title" "&Install" >/dev/null
deadline=$((SECONDS + 30))
until state=$(e2e_driver state "$setup_title" "Start Tavelmorind" 2>/dev/null) &&
  [[ $state == visible* ]] || ((SECONDS >= deadline)); do
  sleep 0.2
done
e2e_assert_contains "$state" "visible enabled checked" "the finish page offers to start the program, ticked"
e2e_driver click "$setup_title" "&Finish" >/dev/null
e2e_wait_exit 20 "$setup_pid"
e2e_wait_started
e2e_log "ok: Finish starts the installed program"
wine "$install_win\\Uninstall.exe" &
e2e_driver click "Tavelmorind Uninstall" "&Remove my settings too" >/dev/null
e2e_driver click "Tavelmorind Uninstall" "&Uninstall" >/dev/null
e2e_driver answer "Tavelmorind Uninstall" OK --contains "Tavelmorind is running" >/dev/null
e2e_log "ok: the uninstaller asks to end the running copy"
deadline=$((SECONDS + 30))
while [ -e "$install" ] && ((SECONDS < deadline)); do
  sleep 0.2
done
if [ -e "$install" ] || [ -e "$(dirname "$settings")" ]; then
  e2e_log "FAIL: the ticked uninstall leaves $(ls -d "$install" "$(dirname "$settings")" 2>/dev/null)"
  exit 1
fi
e2e_log "ok: the ticked uninstall removes the program and the settings"
