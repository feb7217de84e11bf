#!/usr/bin/env bash
# Two monitors (tools/xdummy/dual.conf: each 1024x768 at 60/75/100 Hz, 1280x1024 at 60/75):
# a game that switches the second display to a low rate has that display put back to
# its fastest rate while the primary stays as it was, polling on and off; Off changes
# nothing. Prints how long each restore took. With DUAL_SCREENS_ONLY=1 it only takes the
# screenshots of the main window and the tray menu (run again at another DPI).
set -euo pipefail
export TAVELMORIND_XDUMMY=dual
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

second='\\.\DISPLAY2'
dpi=${TAVELMORIND_DPI:-96}

# A game's switch of a display (OUTPUT DEVICE, the primary's device ""); prints the
# milliseconds from the game's return to the restore, or fails when the restore does not
# come.
restore_time() {
  local output=$1 device=$2 w=$3 h=$4 hz=$5 want=$6 out returned now
  if [ -n "$device" ]; then
    out=$(e2e_game "$w" "$h" 32 "$hz" "$device")
  else
    out=$(e2e_game "$w" "$h" 32 "$hz")
  fi
  e2e_wait_xmode_of "$output" "$want" 5 || return 1
  now=$(date +%s%N)
  returned=$(sed -n 's/.*returned-at-ns \([0-9]*\).*/\1/p' <<<"$out")
  echo $(((now - returned) / 1000000))
}

if [ "${DUAL_SCREENS_ONLY:-0}" != 1 ]; then
  for polling in 1 0; do
    e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes='"$polling"$'\n'
    e2e_start_program
    e2e_wait_started
    # Wine re-applies a process's remembered mode of every other display when it sets
    # one: the primary goes to its Set At first, so that the program's answer to a game
    # on the second display concerns that display alone.
    e2e_game 1024 768 32 100 >/dev/null
    e2e_wait_xmode_of DUMMY0 1024x768@100 5
    sleep 0.5
    primary=$(e2e_xmode_of DUMMY0)
    times=()
    # Each switch goes to a size whose top rate differs from the one before, so that
    # the restore shows whatever rate Wine lets the program remember.
    for step in "1024 768 60 1024x768@100" "1280 1024 60 1280x1024@75" "1024 768 75 1024x768@100"; do
      read -r w h hz want <<<"$step"
      ms=$(restore_time DUMMY1 "$second" "$w" "$h" "$hz" "$want") ||
        e2e_assert_eq "$want" "$(e2e_xmode_of DUMMY1)" "polling=$polling: the second display's ${w}x${h}@${hz} is put back"
      e2e_assert_eq "$primary" "$(e2e_xmode_of DUMMY0)" "polling=$polling: the primary stays as it was"
      times+=("$ms")
    done
    echo "second display restore times (polling=$polling), after the game's call returned: ${times[*]} ms"
    # The same on the primary, for comparison: a game's switch there, timed alike.
    times=()
    # Wine shows another process's change of the primary in its size alone: every step
    # changes the size.
    for step in "1280 1024 60 1280x1024@75" "1024 768 60 1024x768@100" "1280 1024 60 1280x1024@75"; do
      read -r w h hz want <<<"$step"
      ms=$(restore_time DUMMY0 "" "$w" "$h" "$hz" "$want") ||
        e2e_assert_eq "$want" "$(e2e_xmode_of DUMMY0)" "polling=$polling: the primary's ${w}x${h}@${hz} is put back"
      times+=("$ms")
    done
    echo "primary restore times (polling=$polling), after the game's call returned: ${times[*]} ms"
    e2e_exit_program
    e2e_restore_mode
  done

  e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=0\n'
  e2e_start_program
  e2e_wait_started
  e2e_game 1024 768 32 60 "$second" >/dev/null
  sleep 1
  e2e_assert_eq 1024x768@60 "$(e2e_xmode_of DUMMY1)" "Off: the game's rate stays on the second display"
  e2e_exit_program
  e2e_restore_mode
fi

# What the user sees with two displays: the picker above the grid, a submenu per display.
e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=0\n'
e2e_start_program
e2e_wait_started
e2e_tray 515
e2e_driver wait-window "$MAIN" --visible >/dev/null
cells=$(e2e_driver cells "$MAIN")
e2e_assert_contains "$cells" $'1024x768 - 32 BPP\t' "the primary's table is shown first"
e2e_screenshot "dual-main-window-dpi$dpi"
e2e_driver close "$MAIN" >/dev/null
e2e_tray 516
e2e_driver menu-choose "&Change Screen Mode" >/dev/null || true
sleep 0.5
e2e_screenshot "dual-tray-menu-dpi$dpi"
e2e_driver key "#32768" 27 >/dev/null || true
e2e_driver key "#32768" 27 >/dev/null || true
e2e_log "ok: screenshots of the main window and the tray menu with two displays at $dpi DPI"
e2e_exit_program
