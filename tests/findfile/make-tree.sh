#!/bin/sh
# Makes what the tests inside Wine cannot make for themselves: folder links
# (Wine 8's CreateSymbolicLink does nothing), a drive letter for a folder,
# time stamps of 1601 and of the year 10000 (tmpfs keeps them; ext4 would
# clamp them to 1901 and 2446), and folders that the ANSI calls cannot reach:
# a Greek name, names ending in a dot or a space, a path past MAX_PATH; and
# names that only Linux makes, with characters no Windows path can carry.
# With "remove" it only takes them away.
# Usage: make-tree.sh TREE DRIVE-LETTER [remove]
set -e
tree=$1
drive=${WINEPREFIX:-$HOME/.wine}/dosdevices/$(echo "$2" | tr A-Z a-z):
rm -rf "$tree"
rm -f "$drive"
[ "$3" = remove ] && exit 0

mkdir -p "$tree/loop/a" "$tree/loop/b" "$tree/drive/sub" "$tree/zero" "$tree/far"
touch "$tree/loop/root.txt" "$tree/loop/a/a.txt" "$tree/loop/b/b.txt" \
  "$tree/drive/top.txt" "$tree/drive/sub/inner.txt"
ln -s .. "$tree/loop/a/up"
ln -s ../a "$tree/loop/b/side"
ln -s . "$tree/loop/b/self"
ln -s ../../drive/sub "$tree/loop/b/out"
mkdir -p "$tree/up/inner"
touch "$tree/up/outer.url" "$tree/up/inner/inner.url"
ln -s .. "$tree/up/inner/up"
l100=$(printf '%0100d' 0 | tr 0 l)
for folder in Ελληνικά dotend. "spaceend " "$l100/$l100/$l100"; do
  mkdir -p "$tree/names/$folder"
done
touch "$tree/names/Ελληνικά/greek.url" "$tree/names/dotend./dot.url" "$tree/names/spaceend /space.url" \
  "$tree/names/$l100/$l100/$l100/long.url"
mkdir -p "$tree/names/say \"hi\"/a|b"
printf 'made on Linux' > "$tree/names/say \"hi\"/a|b/what?.url"
ln -s "$tree/drive" "$drive"
touch -d @-11644473600 "$tree/zero/zero.txt"  # 1601-01-01 00:00 UTC, FILETIME 0
touch -d @253402387200 "$tree/far/far.txt"    # 10000-01-02 00:00 UTC
