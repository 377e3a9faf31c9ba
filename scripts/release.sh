#!/usr/bin/env bash
# Builds a small, stripped Tamaroo.exe without the tests and packs it, with the
# sample face, the user README and the licence, into
# build-release/Tamaroo-<version>.zip (the version is the CMake project's).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out="$root/build-release"
"$here/install-deps.sh"

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTAMAROO_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_CXX_FLAGS="-ffunction-sections -fdata-sections" \
  -DCMAKE_EXE_LINKER_FLAGS="-s -Wl,--gc-sections" >/dev/null
cmake --build "$out" --target Tamaroo
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
exe="$out/bin/Tamaroo.exe"

# Nothing but the system's own DLLs.
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
for dll in $dlls; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | ole32.dll | comctl32.dll | advapi32.dll | \
      msvcrt.dll | shlwapi.dll | uuid.dll | oleaut32.dll | comdlg32.dll | version.dll) ;;
    *) echo "Tamaroo.exe needs $dll, which Windows does not have" >&2; exit 1 ;;
  esac
done

# Notepad-friendly text: UTF-8 with a byte order mark, CRLF line ends.
crlf() { sed 's/$/\r/' "$1"; }
stage="$out/package"
rm -rf "$stage" && mkdir -p "$stage"
cp "$exe" "$stage/"
cp "$root/samples/glyph.bmp" "$stage/"
{ printf '\xEF\xBB\xBF'; crlf "$root/docs/README-user.txt" | sed "s/@VERSION@/$version/"; } >"$stage/README.txt"
crlf "$root/LICENSE" >"$stage/LICENSE.txt"
zip="$out/Tamaroo-$version.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" Tamaroo.exe glyph.bmp README.txt LICENSE.txt)

echo "$zip"
echo "Tamaroo.exe: $(stat -c %s "$exe") bytes"
