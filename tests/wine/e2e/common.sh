# shellcheck shell=bash
# What the program's end-to-end scripts share on top of lib.sh.
# shellcheck source=tests/wine/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

MAIN="Tavelmorind Configuration"
RUN_BEFORE=$'[Init]\nProgram Run Before=1\n'

# Waits until start-up has completed: the blanking window is the last one created.
e2e_wait_started() {
  e2e_driver wait-window BlankForm --hidden --timeout 20000 >/dev/null
}

# Waits until the X server's mode reads $1, for at most $2 seconds.
e2e_wait_xmode() {
  local want=$1 deadline=$((SECONDS + ${2:-5}))
  while [ "$(e2e_xmode)" != "$want" ]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.02
  done
}

# The tray icon's callback, as the shell sends it: 515 double-click, 516 right-click.
e2e_tray() {
  e2e_driver send "$MAIN" 1025 100 "$1" >/dev/null
}

# Ends the program through the tray menu's Exit and expects exit code 0.
e2e_exit_program() {
  e2e_tray 516
  e2e_driver menu-choose "E&xit Tavelmorind" >/dev/null
  e2e_wait_exit 20
  e2e_assert_eq 0 "$E2E_EXIT_CODE" "the program ends with exit code 0"
}
