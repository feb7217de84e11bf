#!/usr/bin/env bash
# On a gaming panel whose 1280x720 goes to 360 Hz (tools/xdummy/gaming.conf): the table
# lists 360 for that size; a game's switch to 60 Hz there comes back to 360 Hz with at
# most two mode sets for it (the game's and the program's), with automatic rates and
# with a Set At of 360 chosen by hand, polling on and off; a manual switch answered No
# goes back to 360 Hz. Prints the mode sets and the rate after each game switch.
set -euo pipefail
export TAVELMORIND_XDUMMY=gaming
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Every mode set the X server makes shows as a CRTC change with a mode (a set first
# turns the CRTC off: a change to mode None).
xev_log=$E2E_LOGS/randr-events.txt
mkdir -p "$E2E_LOGS"
watch_start() {
  : >"$xev_log"
  xev -root -event randr >"$xev_log" 2>&1 &
  XEV_PID=$!
  sleep 0.5
}
watch_stop() {
  kill "$XEV_PID" 2>/dev/null || true
  wait "$XEV_PID" 2>/dev/null || true
  awk '/subtype XRRCrtcChangeNotifyEvent/ { crtc = 1; next }
       crtc { if ($0 !~ /mode None/) sets++; crtc = 0 }
       END { print sets + 0 }' "$xev_log"
}

for polling in 1 0; do
  for choice in automatic by-hand; do
    if [ "$choice" = automatic ]; then
      frequencies=$'[Main Options]\nSwitched On=1\nFastest Frequency=1\n'
    else
      frequencies=$'[Main Options]\nSwitched On=1\nFastest Frequency=0\n[Frequencies]\n1280x720 - 32 BPP=360\n1920x1080 - 32 BPP=0\n'
    fi
    e2e_write_ini "$RUN_BEFORE$frequencies"$'[Advanced Options]\nCPU Enforce Modes='"$polling"$'\n'
    e2e_start_program
    e2e_wait_started
    watch_start
    e2e_game 1280 720 32 60 >/dev/null
    e2e_wait_xmode 1280x720@360 5 || true
    # Whatever else the program would do about this switch, it does within a second.
    sleep 1
    after=$(e2e_xmode)
    sets=$(watch_stop)
    echo "game 1280x720@60 ($choice, polling=$polling): $sets mode sets, then $after"
    e2e_assert_eq 1280x720@360 "$after" "$choice, polling=$polling: the game's 60 Hz comes back to 360 Hz"
    ((sets <= 2)) || e2e_assert_eq "at most 2" "$sets" "$choice, polling=$polling: mode sets for the switch"
    e2e_driver text "$MAIN" --class msctls_statusbar32 --expect "Changes made within rate limit: 2" \
      --timeout 3000 >/dev/null
    e2e_log "ok: the status line counts the game's change and the program's own"
    e2e_exit_program
    e2e_restore_mode
  done
done

# The table, and the switcher's revert from 1920x1080 back to 1280x720 at 360 Hz.
e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=0\n'
e2e_start_program
e2e_wait_started
e2e_game 1280 720 32 360 >/dev/null
e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
cells=$(e2e_driver cells "$MAIN")
e2e_assert_contains "$cells" $'1280x720 - 32 BPP\t360, 240, 144, 60\t360' "the 1280x720 row lists 360 Hz"
e2e_screenshot gaming-main-window
row=$(printf '%s\n' "$cells" | awk -F'\t' '$1 == "1920x1080 - 32 BPP" { print NR - 1; exit }')
e2e_driver select-row "$MAIN" "$row" >/dev/null
e2e_driver click "$MAIN" "S&witch Mode" >/dev/null
question=$(e2e_driver answer Warning "&Yes" --contains "Changing the screen mode to")
e2e_assert_contains "$question" "1920x1080 - 32 BPP (240Hz)" "the switch names the mode and its rate"
e2e_driver wait-window "Confirm Display Settings" --visible >/dev/null
e2e_assert_eq 1920x1080@240 "$(e2e_xmode)" "the switch took effect"
e2e_driver click "Confirm Display Settings" "&No" >/dev/null
e2e_driver wait-window "Confirm Display Settings" --hidden >/dev/null
after=$(e2e_xmode)
echo "switch to 1920x1080@240 answered No: back at $after"
e2e_assert_eq 1280x720@360 "$after" "No goes back to 1280x720 at 360 Hz"
e2e_driver text "$MAIN" --class msctls_statusbar32 \
  --expect "Tavelmorind is currently disabled; click the 'On' button to enable!" --timeout 3000 >/dev/null
e2e_log "ok: the revert switched overriding Off"
e2e_exit_program
