# Sourced by the scripts that run Windows programs: Wine's environment for this
# project, and a 32-bit prefix inside the build folder, made once and reused.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Code page 932 for every "A" function.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# The crash dialog is off. Windows are unmanaged: with no window manager on a
# test screen, Wine would otherwise wait two seconds for one at every unmap.
if [ ! -f "$WINEPREFIX/.kelvane-prefix-v2" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.kelvane-prefix-v2"
fi
