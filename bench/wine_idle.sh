#!/usr/bin/env bash
# Whole-process figures of the Windows program under Wine on the private dummy display:
#   - start-up: from starting Tavelmorind.exe to start-up complete (its last window
#     exists; the tray icon is added earlier, in the first step), RUNS times;
#   - idle CPU over SECONDS with the 1 ms enforcement poll on, against BarePoll.exe, a
#     bare program making the same five display queries per tick, and with the poll
#     off. CPU is user+system time of the program's process and of the wineserver
#     (which carries every timer message), from /proc.
#   bench/wine_idle.sh [SECONDS] [RUNS]
# With TAVELMORIND_XDUMMY=dual (two displays) the bare program makes the queries of both
# displays, as the poll then does.
set -euo pipefail
seconds=${1:-60}
runs=${2:-5}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake --build --preset windows --target Tavelmorind BarePoll WinDriver >/dev/null
# shellcheck source=tests/wine/e2e/common.sh
source "$repo/tests/wine/e2e/common.sh"

ticks=$(getconf CLK_TCK)
cpu_of() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
server_pid() { pgrep -n -f "wineserver" || true; }

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

echo "== start-up to start-up complete, $runs runs"
e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n'
startups=()
for ((i = 0; i < runs; i++)); do
  t0=$(date +%s%N)
  e2e_start_program
  e2e_wait_started
  t1=$(date +%s%N)
  startups+=($(((t1 - t0) / 1000000)))
  e2e_exit_program >/dev/null 2>&1
done
echo "start-up (ms): ${startups[*]}; median $(printf '%s\n' "${startups[@]}" | median)"

# Prints "<program cpu s> <wineserver cpu s>" used over $seconds by the running program.
measure() {
  local pid=$1 server c0 s0 c1 s1
  server=$(server_pid)
  sleep 2
  c0=$(cpu_of "$pid"); s0=$(cpu_of "$server")
  sleep "$seconds"
  c1=$(cpu_of "$pid"); s1=$(cpu_of "$server")
  awk -v a="$((c1 - c0))" -v b="$((s1 - s0))" -v t="$ticks" 'BEGIN { printf "%.2f %.2f\n", a / t, b / t }'
}

# The program with overriding On and these further settings, measured as above.
measure_program() {
  e2e_write_ini "$RUN_BEFORE"$'[Main Options]\nSwitched On=1\n'"$1"
  e2e_start_program >&2
  e2e_wait_started
  measure "$E2E_PROGRAM_PID"
  e2e_exit_program >/dev/null 2>&1
}

echo "== idle CPU over ${seconds}s"
read -r on_cpu on_server <<<"$(measure_program "")"
echo "poll on:  program ${on_cpu}s, wineserver ${on_server}s"

bare_args=()
[ "${TAVELMORIND_XDUMMY:-}" = dual ] && bare_args=('\\.\DISPLAY2')
E2E_PROGRAM=$E2E_BUILD/BarePoll.exe e2e_start_program "${bare_args[@]}"
bare=$E2E_PROGRAM_PID
read -r bare_cpu bare_server <<<"$(measure "$bare")"
kill "$bare" 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "bare:     program ${bare_cpu}s, wineserver ${bare_server}s"

read -r off_cpu off_server <<<"$(measure_program $'[Advanced Options]\nCPU Enforce Modes=0\n')"
echo "poll off: program ${off_cpu}s, wineserver ${off_server}s"

awk -v a="$on_cpu" -v b="$on_server" -v c="$bare_cpu" -v d="$bare_server" 'BEGIN {
  if (c + d > 0) printf "ratio poll-on / bare (program + wineserver): %.2f\n", (a + b) / (c + d) }'
echo "size of the release exe: $(stat -c %s "$E2E_BUILD/Tavelmorind.exe") bytes"
