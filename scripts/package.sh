#!/usr/bin/env bash
# Builds the packages of one Windows tree into $build/TREE/package/: the portable
# zip (the program folder ready to unzip and run, with the Japanese guide and the
# licence) and the per-user installer made with NSIS. The deliverables come from
# the 32-bit tree, the default; the tests package the tree this machine runs.
#   scripts/package.sh [win32|win64]
set -euo pipefail
source "$(dirname "$0")/common.sh"
tree=${1:-win32}
# The tree names a folder under $build that is emptied below: nothing else may be.
case "$tree" in
  win32 | win64) ;;
  *) echo "package.sh: the tree is win32 or win64, not '$tree'" >&2; exit 2 ;;
esac
[ "${KELVANE_SKIP_BUILD:-}" = 1 ] || "$root/scripts/build.sh"

binaries="$build/$tree"
out="$binaries/package"
version=$(sed -n 's/^project(Kelvane VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
stage="$out/Kelvane"
rm -rf "$out"
mkdir -p "$stage"/{clock,info,plugin,background}

cp "$binaries/Kelvane.exe" "$stage/"
cp "$binaries/Analog.dll" "$stage/clock/"
cp "$binaries/Mirrick.dll" "$stage/info/"
cp "$binaries/wallpaper.dll" "$binaries/chime.dll" "$stage/plugin/"
# Shipped without symbols, which only a debugger reads.
strip=i686-w64-mingw32-strip
[ "$tree" = win64 ] && strip=x86_64-w64-mingw32-strip
"$strip" "$stage/Kelvane.exe" "$stage"/{clock,info,plugin}/*.dll
printf 'wallpaper.dll\r\nchime.dll\r\n' >"$stage/plugin/enable.txt"
cp "$root"/resources/background/* "$stage/background/"
# The zip's first settings name the shipped background and modules relative to the
# program's folder, so wherever it is unpacked the clock uses its own files and no
# other folder's. The installer writes its own with the installed full paths.
sed 's/$/\r/' >"$stage/kelvane.ini" <<'INI'
[BACKGROUND]
FILE=background\dawn_lake.orb
[OBJECT]
MODULE_PATH=clock\Analog.dll
MODULE_NAME=Analog.dll
MODULE_PATH2=info\Mirrick.dll
MODULE_NAME2=Mirrick.dll
INI
# The texts are read on Japanese Windows: code page 932 with CR LF.
for text in readme_ja.txt LICENSE.txt; do
  sed 's/$/\r/' "$root/installer/$text" | iconv -f UTF-8 -t CP932 >"$stage/$text"
done

# The portable zip has the program folder and nothing that only the installer needs.
(cd "$out" && zip -q -r -X "Kelvane-$version-portable.zip" Kelvane)
# Unpacked again as a user would, for the tests to run the clock from it.
unzip -q "$out/Kelvane-$version-portable.zip" -d "$out/unpacked"

# What the uninstaller deletes of the shipped pictures, by name.
nsh="$out/background_files.nsh"
for picture in "$root"/resources/background/*; do
  printf '  Delete "$INSTDIR\\background\\%s"\n' "$(basename "$picture")"
done >"$nsh"
amd64=()
[ "$tree" = win64 ] && amd64=(-DAMD64)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
  -DOUTFILE="$out/Kelvane-$version-setup.exe" -DPICTURES="$nsh" "${amd64[@]}" "$root/installer/kelvane.nsi" >"$out/makensis.log" ||
  { cat "$out/makensis.log" >&2; exit 1; }
echo "packages in $out: Kelvane-$version-portable.zip Kelvane-$version-setup.exe"
