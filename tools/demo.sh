#!/usr/bin/env bash
# The program's main job on the simulated CRT: Tavelmorind.exe runs under Wine on a
# private dummy X display with overriding On and automatic rates, while a game switches
# modes the way full-screen games do. For each switch it prints the game's mode, the
# mode after the program acted, and how long that took.
set -euo pipefail
# shellcheck source=tests/wine/e2e/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/wine/e2e/common.sh"

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n'
e2e_start_program
e2e_wait_started
echo "Tavelmorind is running, overriding On, fastest rate for every mode."
printf '%-22s %-22s %s\n' "game switched to" "mode after Tavelmorind" "restored (ms after the game's call / after it returned)"
for mode in "800 600 32 60" "640 480 32 75" "1024 768 32 72" "1280 1024 32 60" "800 600 16 72"; do
  read -r w h bits hz <<<"$mode"
  want=$(case "${w}x${h}" in
    640x480) echo "${w}x${h}@140" ;; 800x600) echo "${w}x${h}@120" ;;
    1024x768) echo "${w}x${h}@100" ;; *) echo "${w}x${h}@85" ;; esac)
  read -r from_call from_return <<<"$(switch_and_time "$w" "$h" "$bits" "$hz" "$want")"
  printf '%-22s %-22s %s / %s\n' "${w}x${h} ${bits} bits @${hz}" "$(e2e_xmode)" "$from_call" "$from_return"
done
e2e_exit_program
echo "Tavelmorind ended; the display goes back to the mode it had."
