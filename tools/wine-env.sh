# shellcheck shell=bash
# Wine set-up for the Windows tests; source it:
#   source tools/wine-env.sh [BUILD_DIR]
# BUILD_DIR defaults to $TAVELMORIND_BUILD_DIR, then to build/windows. The Wine prefix
# lives inside it, never in ~/.wine. Then:
#   wine_env_prepare   take the prefix for this shell and create it on first use
#   wine_env_stop      end every Wine process of the prefix
# The prefix has one wineserver, and wine_env_stop ends whatever runs there, so a shell
# that prepared the prefix keeps it to itself until the shell exits.

_tvm_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
_tvm_build=${1:-${TAVELMORIND_BUILD_DIR:-$_tvm_repo/build/windows}}
mkdir -p "$_tvm_build"
_tvm_build=$(cd "$_tvm_build" && pwd)

export WINEPREFIX="$_tvm_build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko install prompts; no menu entries or file associations written into
# the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINESERVER WINELOADER

wine_env_prepare() {
  if [ -z "${_tvm_prefix_locked:-}" ]; then
    exec 8>"$WINEPREFIX.lock"
    if ! flock -w 600 8; then
      echo "wine-env: $WINEPREFIX is busy" >&2
      return 1
    fi
    _tvm_prefix_locked=1
    # A run that was killed (a CTest time-out, say) can leave its wineserver behind,
    # still bound to that run's X display; nobody else may use the prefix now.
    wine_env_stop
  fi
  # The stamp is written last, so a creation that was cut short starts over.
  if [ ! -e "$WINEPREFIX/.tavelmorind-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    echo "wine-env: creating $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1 || {
      echo "wine-env: wineboot -i failed" >&2
      return 1
    }
    wineserver -w
    touch "$WINEPREFIX/.tavelmorind-ready"
  fi
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
