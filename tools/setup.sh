#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian 12
# machine. Packages already present are skipped, so a second run costs nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils xauth
  imagemagick clang-format
  nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The Windows programs under test run as an ordinary user, as on Windows 10/11: root
# would ignore the file permissions that keep a user out of the Windows directory.
test_user=tavelmorind-test
if ! id -u "$test_user" >/dev/null 2>&1; then
  echo "setup: creating the test user $test_user"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" useradd --create-home --shell /usr/sbin/nologin "$test_user"
fi
