#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, as root.
# Quick and silent when all of it is already present.
set -euo pipefail
source "$(dirname "$0")/common.sh"

packages=(
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix wine64
  wine xvfb xdotool locales fonts-ipafont-gothic fonts-dejavu-core
  cmake make g++ clang libclang-rt-14-dev googletest imagemagick python3 nsis zip unzip
)
# 32-bit Wine, unless this machine was told to run the 64-bit tree
# (KELVANE_WINDOWS_TREE=win64), where only 64-bit Wine is used.
[ "$(windows_tree)" = win64 ] || packages+=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "bootstrap: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  # A mirror in the middle of a sync can fail one index; the packages usually
  # still resolve from the others, and a package that does not fails the install.
  for attempt in 1 2 3; do
    apt-get update -q && break
    echo "bootstrap: package index update failed (attempt $attempt)" >&2
    sleep 5
  done
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  if [ "$(id -u)" = 0 ]; then
    sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    locale-gen ja_JP.UTF-8 >/dev/null
  else
    echo "bootstrap: locale ja_JP.UTF-8 missing; run as root" >&2
    exit 1
  fi
fi
