# shellcheck shell=bash
# Wine set-up for the Windows tests; source it:
#   source tools/wine-env.sh [BUILD_DIR]
# BUILD_DIR defaults to $TAVELMORIND_BUILD_DIR, then to build/windows. The Wine prefix
# lives inside it, never in ~/.wine. Then:
#   wine_env_prepare   take the prefix for this shell and create it on first use
#   wine_env_stop      end every Wine process of the prefix
#   wine_env_as_user CMD...   runs a Unix command as the user the Windows programs run as
#   wine_env_local_appdata    the Unix path of that user's LocalAppData folder
# The prefix has one wineserver, and wine_env_stop ends whatever runs there, so a shell
# that prepared the prefix keeps it to itself until the shell exits.
#
# The programs run in the world of a Windows 10/11 user, not in Wine's: as an ordinary
# user (tools/setup.sh creates "tavelmorind-test"; root would ignore every file
# permission), in a prefix of that user's, whose C:\windows the user cannot write. A
# shell that is root runs wine, wineserver, wineboot and winepath as that user through
# small wrappers put first on PATH; an ordinary user's shell runs them as itself.

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

TAVELMORIND_WINE_USER=${TAVELMORIND_WINE_USER:-tavelmorind-test}
_tvm_wine_uid=$(id -u)

# Root hands the Wine commands to the test user; the wrappers keep the environment
# (WINEPREFIX, DISPLAY, ...) but give the user a home of its own.
if [ "$_tvm_wine_uid" -eq 0 ]; then
  if ! _tvm_wine_uid=$(id -u "$TAVELMORIND_WINE_USER" 2>/dev/null); then
    echo "wine-env: no user $TAVELMORIND_WINE_USER (tools/setup.sh creates it)" >&2
    return 1
  fi
  _tvm_wine_gid=$(id -g "$TAVELMORIND_WINE_USER")
  _tvm_wine_home=$(getent passwd "$TAVELMORIND_WINE_USER" | cut -d: -f6)
  _tvm_wrappers="$_tvm_build/.wine-as-user"
  mkdir -p "$_tvm_wrappers"
  for _tvm_command in wine wineserver wineboot winepath; do
    _tvm_real=$(PATH=${PATH//"$_tvm_wrappers:"/} command -v "$_tvm_command") || continue
    cat >"$_tvm_wrappers/$_tvm_command.new" <<WRAPPER
#!/bin/sh
exec setpriv --reuid=$_tvm_wine_uid --regid=$_tvm_wine_gid --init-groups \\
  env HOME='$_tvm_wine_home' USER='$TAVELMORIND_WINE_USER' LOGNAME='$TAVELMORIND_WINE_USER' \\
  '$_tvm_real' "\$@"
WRAPPER
    chmod 755 "$_tvm_wrappers/$_tvm_command.new"
    mv "$_tvm_wrappers/$_tvm_command.new" "$_tvm_wrappers/$_tvm_command"
  done
  unset _tvm_command _tvm_real
  # The user must reach the build folder: a checkout below a private folder (root's
  # home, say) gets the right to pass through its parents, nothing more.
  _tvm_dir=$_tvm_build
  while [ "$_tvm_dir" != / ] &&
    ! setpriv --reuid="$_tvm_wine_uid" --regid="$_tvm_wine_gid" --init-groups test -x "$_tvm_build"; do
    setpriv --reuid="$_tvm_wine_uid" --regid="$_tvm_wine_gid" --init-groups test -x "$_tvm_dir" ||
      chmod o+x "$_tvm_dir"
    _tvm_dir=$(dirname "$_tvm_dir")
  done
  unset _tvm_dir
  case ":$PATH:" in
  *":$_tvm_wrappers:"*) ;;
  *) export PATH="$_tvm_wrappers:$PATH" ;;
  esac
fi

wine_env_as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid="$_tvm_wine_uid" --regid="$_tvm_wine_gid" --init-groups \
      env HOME="$_tvm_wine_home" "$@"
  else
    "$@"
  fi
}

# Folders the programs write to, owned by the user they run as.
_wine_env_user_folder() {
  mkdir -p "$1"
  [ "$(id -u)" -eq 0 ] && chown "$_tvm_wine_uid:$_tvm_wine_gid" "$1"
  return 0
}

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
  # The stamp is written last, so a creation that was cut short starts over; a prefix
  # of another user (an older run as root) is made anew, since Wine refuses it.
  if [ ! -e "$WINEPREFIX/.tavelmorind-ready" ] ||
    [ "$(stat -c %u "$WINEPREFIX" 2>/dev/null)" != "$_tvm_wine_uid" ]; then
    rm -rf "$WINEPREFIX"
    _wine_env_user_folder "$WINEPREFIX"
    echo "wine-env: creating $WINEPREFIX as $(id -un "$_tvm_wine_uid")" >&2
    wineboot -i >/dev/null 2>&1 || {
      echo "wine-env: wineboot -i failed" >&2
      return 1
    }
    wineserver -w
    # As on Windows, the user cannot write into the Windows directory: root owns it,
    # and nobody has write permission (which an ordinary owner would also obey).
    [ "$(id -u)" -eq 0 ] && chown -R root:root "$WINEPREFIX/drive_c/windows"
    chmod -R a-w "$WINEPREFIX/drive_c/windows"
    # The user's local application-data folder, as Unix path, for the scripts.
    winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')" \
      >"$WINEPREFIX/.tavelmorind-localappdata" 2>/dev/null
    wineserver -w
    [ -d "$(cat "$WINEPREFIX/.tavelmorind-localappdata")" ] || {
      echo "wine-env: cannot find the user's LocalAppData folder" >&2
      return 1
    }
    touch "$WINEPREFIX/.tavelmorind-ready"
  fi
  _wine_env_user_folder "$_tvm_build/screenshots"
}

# The Unix path of the user's local application-data folder (after wine_env_prepare).
wine_env_local_appdata() {
  cat "$WINEPREFIX/.tavelmorind-localappdata"
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
