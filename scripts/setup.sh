#!/usr/bin/env bash
# Installs what building, running and testing Marquill needs on Debian 12,
# generates the Japanese locale (Wine takes its ANSI code page from it) and
# creates the Wine prefix. Safe to run again: it only does what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake make g++ clang libclang-rt-14-dev googletest libbenchmark-dev unzip
          g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          wine wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic x11-apps xdotool imagemagick zip
          fonts-horai-umefont chromium)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

"$here/scripts/wine-prefix.sh"
