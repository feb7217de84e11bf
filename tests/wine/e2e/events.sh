#!/usr/bin/env bash
# The system's events, with the poll off: an xrandr change reaches no Wine program, so
# the display is changed behind the program's back; then the event Windows would send
# goes to every top-level window, and the rate is put back (and again by the late check
# when the change comes a moment after the event). The battery limit on a fake power
# supply: the program runs in a mount namespace of its own where a folder of this
# script stands for /sys/class/power_supply, whose mains the script switches off and on.
# Off: nothing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

output=$(xrandr --current | awk '$2 == "connected" { print $1; exit }')
supply=$E2E_LOGS/power_supply
rm -rf "$supply"
mkdir -p "$supply/AC" "$supply/BAT0"
echo Mains >"$supply/AC/type"
echo 1 >"$supply/AC/online"
echo Battery >"$supply/BAT0/type"
echo 1 >"$supply/BAT0/present"
echo Charging >"$supply/BAT0/status"
chmod -R a+rX "$supply"

# The program, seeing the fake supply.
start_on_fake_power() {
  (cd "$E2E_BUILD" &&
    exec unshare -m bash -c 'mount --bind "$1" /sys/class/power_supply && exec wine "$2"' \
      _ "$supply" "$E2E_PROGRAM") </dev/null >>"$E2E_LOGS/program.log" 2>&1 &
  E2E_PROGRAM_PID=$!
  e2e_log "started $(basename "$E2E_PROGRAM") on the fake power supply (pid $E2E_PROGRAM_PID)"
}

# Sets X's mode to $1 behind the program's back and checks that it stays so.
behind_the_back() {
  xrandr --output "$output" --mode "$1"
  sleep 0.5
  e2e_assert_eq "${1/_/@}" "$(e2e_xmode)" "nobody told: the program leaves $1"
}

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=0\nBattery Limit=1\nBattery Limit Level=75\n'
start_on_fake_power
e2e_wait_started

for step in "resume 800x600_60 800x600@120" "unlock 1024x768_60 1024x768@100" \
            "console-connect 640x480_60 640x480@140" "monitor-arrival 1280x1024_60 1280x1024@85"; do
  read -r event mode want <<<"$step"
  behind_the_back "$mode"
  e2e_driver system-event "$event" >/dev/null
  e2e_wait_xmode "$want" 3 || e2e_assert_eq "$want" "$(e2e_xmode)" "$event: the rate is put back"
done

# The driver's own restore a second after the resume: the late check puts it right.
e2e_driver system-event resume >/dev/null
sleep 1
xrandr --output "$output" --mode 800x600_60
e2e_wait_xmode 800x600@120 5 || e2e_assert_eq 800x600@120 "$(e2e_xmode)" "the late check puts the rate back"

# On battery the limit holds; on the mains again the Set At is back.
echo 0 >"$supply/AC/online"
echo Discharging >"$supply/BAT0/status"
e2e_driver system-event power-status >/dev/null
e2e_wait_xmode 800x600@75 3 || e2e_assert_eq 800x600@75 "$(e2e_xmode)" "on battery: 75 Hz at most"
e2e_assert_contains "$(e2e_driver text "$MAIN" --class msctls_statusbar32)" \
  " (battery: 75 Hz at most)" "the status line says the limit holds"
e2e_tray 516
e2e_driver menu-choose "&Advanced Settings" >/dev/null
e2e_driver wait-window "Advanced Settings" --visible >/dev/null
e2e_assert_contains "$(e2e_driver state "Advanced Settings" "On &battery power, run no display faster than:")" \
  " enabled " "with a battery the limit can be set"
e2e_driver click "Advanced Settings" "&Close" >/dev/null
echo 1 >"$supply/AC/online"
e2e_driver system-event power-status >/dev/null
e2e_wait_xmode 800x600@120 3 || e2e_assert_eq 800x600@120 "$(e2e_xmode)" "on the mains: the Set At again"

e2e_tray 516
e2e_driver menu-choose "&Enabled" >/dev/null
behind_the_back 1024x768_60
e2e_driver system-event resume >/dev/null
sleep 1
e2e_assert_eq 1024x768@60 "$(e2e_xmode)" "Off: the event changes nothing"
e2e_exit_program
