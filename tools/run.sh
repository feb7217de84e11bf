#!/usr/bin/env bash
# The program's main job on the simulated CRT: builds the Windows program and runs it
# under Wine on a private X server whose dummy driver offers a CRT's modes, while a game
# switches modes (tools/demo.sh). Everything is started and stopped by the script.
#
#   tools/run.sh             the demonstration
#   tools/run.sh --explore   the program on your own X display ($DISPLAY) to try by hand;
#                            its main window opens, and it runs until you choose Exit
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tavelmorind SwitchMode WinDriver

if [ "${1:-}" = --explore ]; then
  : "${DISPLAY:?--explore needs an X display in DISPLAY}"
  export TAVELMORIND_X_DISPLAY=$DISPLAY
  # shellcheck source=tools/wine-env.sh
  source tools/wine-env.sh build/windows
  wine_env_prepare
  (cd build/windows && wine WinDriver.exe wait-window BlankForm --hidden --timeout 30000 >/dev/null &&
    wine WinDriver.exe send "Tavelmorind Configuration" 1025 100 515 >/dev/null) &
  (cd build/windows && exec wine Tavelmorind.exe)
  wine_env_stop
  exit 0
fi
exec bash tools/demo.sh
