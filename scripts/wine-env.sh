# Sourced by the scripts that run Windows programs: Wine's environment for this
# project, and a prefix inside the build folder, made once and reused. `wine`
# becomes a function that runs the Wine of the tree this machine runs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

windows_build="$build/$(windows_tree)"
if [ "$(windows_tree)" = win32 ]; then
  export WINEARCH=win32
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
  kelvane_wine=$(command -v wine)
else
  export WINEARCH=win64
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix64}
  kelvane_wine=/usr/lib/wine/wine64
fi
wine() { "$kelvane_wine" "$@"; }

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Code page 932 for every "A" function.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# A Unix path as the Windows path the programs see.
windows_path() { wine winepath.exe -w "$1" 2>/dev/null | tr -d '\r'; }

# The crash dialog is off. Windows are unmanaged: with no window manager on a
# test screen, Wine would otherwise wait two seconds for one at every unmap.
if [ ! -f "$WINEPREFIX/.kelvane-prefix-v2" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.kelvane-prefix-v2"
fi
