#!/usr/bin/env bash
# How soon a system event's check puts the rate back, under Wine on the private dummy
# display, with the poll off: X's mode is changed behind the program's back (xrandr,
# which no Wine program hears of), then the resume event goes to every top-level
# window; the time runs from the event's sending (WinDriver's stamp) until the X server
# shows the mode's fastest rate again. Then idle CPU over SECONDS with the poll off.
#   bench/wine_event_latency.sh [ROUNDS] [SECONDS]
set -euo pipefail
rounds=${1:-10}
seconds=${2:-60}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake --build --preset windows --target Tavelmorind WinDriver >/dev/null
# shellcheck source=tests/wine/e2e/common.sh
source "$repo/tests/wine/e2e/common.sh"

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
output=$(xrandr --current | awk '$2 == "connected" { print $1; exit }')

e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=0\n'
e2e_start_program
e2e_wait_started
times=()
for ((i = 0; i < rounds; i++)); do
  if ((i % 2)); then from=1024x768_60 want=1024x768@100; else from=800x600_60 want=800x600@120; fi
  xrandr --output "$output" --mode "$from"
  sleep 0.3
  stamp=$(mktemp)
  e2e_driver system-event resume >"$stamp" &
  # Tighter than e2e_wait_xmode: each look at X costs a few milliseconds.
  deadline=$((SECONDS + 5))
  until [ "$(e2e_xmode)" = "$want" ]; do
    ((SECONDS < deadline)) || { echo "no restore to $want" >&2; exit 1; }
  done
  now=$(date +%s%N)
  wait $!
  sent=$(sed -n 's/^sent-at-ns \([0-9]*\).*/\1/p' "$stamp")
  rm -f "$stamp"
  times+=($(((now - sent) / 1000000)))
done
echo "event to rate put back (ms): ${times[*]}; median $(printf '%s\n' "${times[@]}" | median)"

ticks=$(getconf CLK_TCK)
cpu_of() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
sleep 4 # past the late check
c0=$(cpu_of "$E2E_PROGRAM_PID")
sleep "$seconds"
c1=$(cpu_of "$E2E_PROGRAM_PID")
awk -v c="$((c1 - c0))" -v t="$ticks" -v s="$seconds" 'BEGIN { printf "idle CPU over %ss, poll off: %.2f s\n", s, c / t }'
e2e_exit_program >/dev/null
