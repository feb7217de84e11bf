#!/usr/bin/env bash
# Overriding On with automatic rates: a game's switch to a lower rate is put back to
# the fastest rate of the new mode. Overriding Off: nothing changes. Prints how long
# each restore took after the game's change returned.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

for polling in 1 0; do
  e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes='"$polling"$'\n'
  e2e_start_program
  e2e_wait_started
  times=()
  for mode in "800 600 32 60 800x600@120" "1024 768 32 60 1024x768@100" \
              "640 480 32 72 640x480@140" "1280 1024 32 60 1280x1024@85" \
              "800 600 32 75 800x600@120"; do
    read -r w h bits hz want <<<"$mode"
    read -r from_call from_return <<<"$(switch_and_time "$w" "$h" "$bits" "$hz" "$want")"
    e2e_assert_eq "$want" "$(e2e_xmode)" "polling=$polling: ${w}x${h}@${hz} is put back to $want"
    echo "restore (polling=$polling): game ${w}x${h}@${hz} -> $want: ${from_call} ms after the game's call, ${from_return} ms after it returned"
    times+=("$from_call/$from_return")
  done
  echo "restore times (polling=$polling), after call/after return: ${times[*]} ms"
  e2e_exit_program
  e2e_restore_mode
done

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=0\n'
e2e_start_program
e2e_wait_started
e2e_game 800 600 32 60 >/dev/null
sleep 1
e2e_assert_eq 800x600@60 "$(e2e_xmode)" "Off: the game's rate stays"
e2e_exit_program
