#!/usr/bin/env bash
# The private X server of the Wine tests: Xorg with the dummy video driver and the CRT
# described in tools/xdummy/xorg.conf, or with TAVELMORIND_XDUMMY=gaming the gaming
# panel of tools/xdummy/gaming.conf, or with TAVELMORIND_XDUMMY=dual the two monitors of
# tools/xdummy/dual.conf (the second is switched on here, before any Wine program starts:
# Wine takes the displays' modes from the X server when its session starts).
#
#   tools/xserver.sh start STATE_DIR [LOG_DIR]   start a server; prints "export DISPLAY=:<n>"
#   tools/xserver.sh stop STATE_DIR              stop the server started with that STATE_DIR
#
# STATE_DIR (created if missing) keeps the server's PID and display, so any number of
# servers can run side by side, each with its own folder. The log goes to
# LOG_DIR/Xorg.<n>.log (LOG_DIR defaults to STATE_DIR).
#   eval "$(tools/xserver.sh start build/windows/x)"; ...; tools/xserver.sh stop build/windows/x
#
# Xorg must run as root here (there is no console to hand it a seat).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The display the server shows, and the mode it starts in: asking the config for a
# preferred mode makes Xorg list that mode twice, and left alone it starts in the
# fastest mode of the largest size the bootstrap screen allows. A second output, where
# there is one, starts in another mode than the first, so that the two are told apart.
second_mode=
case "${TAVELMORIND_XDUMMY:-crt}" in
crt)
  config="$here/xdummy/xorg.conf"
  initial_mode=1024x768_60
  ;;
gaming)
  config="$here/xdummy/gaming.conf"
  initial_mode=1920x1080_60
  ;;
dual)
  config="$here/xdummy/dual.conf"
  initial_mode=1024x768_60
  second_mode=1280x1024_60
  ;;
*)
  echo "xserver: TAVELMORIND_XDUMMY is crt, gaming or dual, not ${TAVELMORIND_XDUMMY}" >&2
  exit 2
  ;;
esac
config_dir="$here/xdummy/xorg.conf.d"
first_display=${TAVELMORIND_FIRST_DISPLAY:-20}
last_display=$((first_display + 80))
pick_lock=/tmp/.tavelmorind-xserver.lock

die() {
  echo "xserver: $*" >&2
  exit 1
}

lock_pid() {
  { tr -dc '0-9' <"/tmp/.X$1-lock"; } 2>/dev/null || true
}

# True when display n is held by a live X server. A lock whose PID is gone, or now
# belongs to something that is no X server, is stale, and so is a socket nobody
# listens on: they are removed so the number can be used again.
display_taken() {
  local n=$1 pid comm
  if [ -e "/tmp/.X$n-lock" ]; then
    pid=$(lock_pid "$n")
    if [ -n "$pid" ] && comm=$(cat "/proc/$pid/comm" 2>/dev/null) && [[ $comm == X* ]]; then
      return 0
    fi
    rm -f "/tmp/.X$n-lock"
  fi
  if grep -q " /tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null; then
    return 0
  fi
  rm -f "/tmp/.X11-unix/X$n"
  return 1
}

answers() {
  DISPLAY=":$1" xdpyinfo >/dev/null 2>&1
}

# DUMMY1 starts disconnected and without modes: one mode added by hand lets it be switched
# on at the right of DUMMY0, and probing it then gives it its monitor's list, in which the
# hand-added mode shows a second time until it is deleted (which the current mode cannot
# be, so the output moves to its own mode first).
switch_on_second() {
  local n=$1
  DISPLAY=":$n" xrandr --addmode DUMMY1 "$initial_mode" &&
    DISPLAY=":$n" xrandr --output DUMMY1 --mode "$initial_mode" --right-of DUMMY0 &&
    DISPLAY=":$n" xrandr >/dev/null &&
    DISPLAY=":$n" xrandr --output DUMMY1 --mode "$second_mode" --right-of DUMMY0 &&
    DISPLAY=":$n" xrandr --delmode DUMMY1 "$initial_mode"
}

start() {
  local state=$1 logs=${2:-$1} n pid log
  mkdir -p "$state" "$logs"
  state=$(cd "$state" && pwd)
  logs=$(cd "$logs" && pwd)
  [ -f "$state/xorg.pid" ] && kill -0 "$(cat "$state/xorg.pid")" 2>/dev/null &&
    die "a server from $state is still running (pid $(cat "$state/xorg.pid"))"
  [ -r "$config" ] || die "missing $config"
  command -v Xorg >/dev/null || die "Xorg is not installed (run tools/setup.sh)"
  mkdir -p /tmp/.X11-unix
  chmod 1777 /tmp/.X11-unix 2>/dev/null || true

  # Picking a number and Xorg writing its lock is not atomic; the lock makes the
  # scripts take turns, and Xorg's own lock file settles any race with others.
  exec 9>"$pick_lock"
  flock -w 60 9 || die "timed out waiting for $pick_lock"
  for ((n = first_display; n <= last_display; n++)); do
    display_taken "$n" && continue
    log="$logs/Xorg.$n.log"
    Xorg ":$n" -noreset -nolisten tcp -nolisten local +extension RANDR \
      -config "$config" -configdir "$config_dir" -logfile "$log" -verbose 3 \
      </dev/null >"$state/Xorg.$n.out" 2>&1 &
    pid=$!
    # Wait for the lock file to name this server, or for the server to give up.
    local tries=0
    while kill -0 "$pid" 2>/dev/null && [ "$(lock_pid "$n")" != "$pid" ]; do
      ((++tries > 200)) && break
      sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null && [ "$(lock_pid "$n")" = "$pid" ]; then
      break
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
    # Losing the number to another server is worth another try; anything else is not.
    grep -qs 'already active' "$state/Xorg.$n.out" ||
      die "Xorg :$n did not start: $(tail -n 5 "$state/Xorg.$n.out" 2>/dev/null)"
  done
  flock -u 9
  exec 9>&-
  [ -n "${pid:-}" ] || die "no free display between :$first_display and :$last_display"

  echo "$pid" >"$state/xorg.pid"
  echo ":$n" >"$state/display"

  local waited=0
  until answers "$n"; do
    if ! kill -0 "$pid" 2>/dev/null; then
      cat "$state/Xorg.$n.out" >&2 || true
      rm -f "$state/xorg.pid"
      die "Xorg :$n exited during start-up; see $log"
    fi
    ((++waited > 400)) && { stop "$state"; die "Xorg :$n does not answer; see $log"; }
    sleep 0.05
  done
  DISPLAY=":$n" xrandr --output DUMMY0 --mode "$initial_mode" >/dev/null ||
    { stop "$state"; die "cannot set the start-up mode $initial_mode on :$n"; }
  if [ -n "$second_mode" ]; then
    switch_on_second "$n" >/dev/null ||
      { stop "$state"; die "cannot switch DUMMY1 on at $second_mode on :$n"; }
  fi
  echo "export DISPLAY=:$n"
}

stop() {
  local state=$1 pid n
  [ -f "$state/xorg.pid" ] || return 0
  pid=$(cat "$state/xorg.pid")
  n=$(cat "$state/display" 2>/dev/null || true)
  # Only the process this folder started, and only while it still is an X server.
  if [[ $(cat "/proc/$pid/comm" 2>/dev/null) == X* ]]; then
    kill -TERM "$pid" 2>/dev/null || true
    local waited=0
    while kill -0 "$pid" 2>/dev/null; do
      if ((++waited > 100)); then
        kill -KILL "$pid" 2>/dev/null || true
        break
      fi
      sleep 0.05
    done
    if [ -n "$n" ] && [ "$(lock_pid "${n#:}")" = "$pid" ]; then
      rm -f "/tmp/.X${n#:}-lock" "/tmp/.X11-unix/X${n#:}"
    fi
  fi
  rm -f "$state/xorg.pid" "$state/display"
}

case "${1:-}" in
start) start "${2:?usage: xserver.sh start STATE_DIR [LOG_DIR]}" "${3:-}" ;;
stop) stop "${2:?usage: xserver.sh stop STATE_DIR}" ;;
*) die "usage: xserver.sh start|stop STATE_DIR" ;;
esac
