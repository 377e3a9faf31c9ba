#!/usr/bin/env bash
# Drops files from the Linux side onto the real Tamaroo.exe, as a file
# manager does: the ".url" files are stored byte for byte, the rest ignored.
#   xdnd-drop-test.sh <Tamaroo.exe> <glyph.bmp> <xdnd_drop.py>
set -euo pipefail
exe=$1 face=$2 dropper=$3
dir=$(mktemp -d)
pid=
finish() {
  [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
  rm -rf "$dir"
}
trap finish EXIT

mkdir "$dir/app" "$dir/shelf"
cp "$exe" "$dir/app/Tamaroo.exe"
cp "$face" "$dir/app/glyph.bmp"
# A corner of its own, where no other test's window lies over it.
printf '[General]\r\nLeft=20\r\nTop=600\r\n' >"$dir/app/Settings.ini"
shelf=$dir/shelf
printf '[InternetShortcut]\r\nURL=https://example.com/\r\n' >"$shelf/Example.url"
printf '[InternetShortcut]\nURL=https://ja.example.com/%%E6%%97%%A5\nIconIndex=0\n' >"$shelf/日本 #1.url"
echo 'not a shortcut' >"$shelf/notes.txt"

(cd "$dir/app" && exec wine Tamaroo.exe) </dev/null >/dev/null 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name '^Tamaroo$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
"$dropper" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) \
  "$shelf/Example.url" "$shelf/notes.txt" "$shelf/日本 #1.url"

stored=$dir/app/favorite
for name in "Example.url" "日本 #1.url"; do
  cmp "$shelf/$name" "$stored/$name"
done
# Nothing else: no text file, and no second copy of a shortcut.
kept=$(cd "$stored" && ls -A)
if [ "$kept" != "$(printf 'Example.url\n日本 #1.url')" ]; then
  printf 'stored:\n%s\n' "$kept" >&2
  exit 1
fi
