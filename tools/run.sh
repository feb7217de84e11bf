#!/usr/bin/env bash
# The program's main job on the simulated CRT: builds the Windows program and runs it
# under Wine on a private X server whose dummy driver offers the CRT's modes.
# At this stage it shows the mode table the program builds from that display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target ShowModes
exec tools/run-wine-tests.sh build/windows/ShowModes.exe
