#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, as root.
# Quick and silent when all of it is already present.
set -euo pipefail
source "$(dirname "$0")/common.sh"

packages=(
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix wine64
  wine xvfb xdotool xcompmgr locales fonts-ipafont-gothic fonts-dejavu-core
  cmake make g++ clang libclang-rt-14-dev googletest imagemagick python3 nsis zip unzip
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# 32-bit Wine, unless this machine was told to run the 64-bit tree
# (KELVANE_WINDOWS_TREE=win64), where only 64-bit Wine is used.
# A machine whose mirror could not supply it once is not asked again at every
# build; deleting the build folder asks again.
no_wine32_mark="$build/.no-wine32"
want_wine32=false
if [ "${KELVANE_WINDOWS_TREE:-}" != win64 ] && ! installed wine32:i386 && [ ! -f "$no_wine32_mark" ]; then
  want_wine32=true
fi

if [ ${#missing[@]} -gt 0 ] || $want_wine32; then
  if [ "$(id -u)" != 0 ]; then
    echo "bootstrap: missing packages (${missing[*]} $($want_wine32 && echo wine32:i386)); run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  $want_wine32 && { dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386; }
  # A mirror in the middle of a sync can fail one index; the packages usually
  # still resolve from the others, and a package that does not fails the install.
  for attempt in 1 2 3; do
    apt-get update -q && break
    echo "bootstrap: package index update failed (attempt $attempt)" >&2
    sleep 5
  done
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -q --no-install-recommends "${missing[@]}"
  # Without 32-bit Wine the tests run from the 64-bit build (see common.sh), so
  # a mirror that cannot supply the i386 packages does not stop the build.
  if $want_wine32 && ! apt-get install -y -q --no-install-recommends wine32:i386; then
    echo "bootstrap: 32-bit Wine could not be installed; the Win32 tests will run from the 64-bit build" >&2
    mkdir -p "$build"
    touch "$no_wine32_mark"
  fi
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
