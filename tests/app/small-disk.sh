#!/bin/sh
# A real full disk for the tests inside Wine: a small tmpfs of its own, seen
# there as a drive letter. Mounting needs root; without it the drive is
# missing and the tests that need it skip themselves. With "remove" it only
# takes it away.
# Usage: small-disk.sh DIR DRIVE-LETTER [remove]
dir=$1
drive=${WINEPREFIX:-$HOME/.wine}/dosdevices/$(echo "$2" | tr A-Z a-z):
rm -f "$drive"
if mountpoint -q "$dir"; then umount "$dir"; fi
rm -rf "$dir"
[ "$3" = remove ] && exit 0
mkdir -p "$dir"
mount -t tmpfs -o size=4m tmpfs "$dir" 2>/dev/null || { rmdir "$dir"; exit 0; }
ln -s "$dir" "$drive"
