#!/usr/bin/env bash
# Installs, once, what building and testing Tamaroo under Wine needs on Debian,
# or only the packages named as arguments.
set -euo pipefail
source "$(dirname "$0")/step.sh"
tell_failures
sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
need=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth xdotool
      imagemagick fonts-ipafont-gothic googletest cmake ninja-build locales zip clang
      clang-format python3-xlib)
(($#)) && need=("$@")
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  step apt-get -- "${sudo_cmd[@]}" apt-get update -qq
  step apt-get -- "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes the code page from the locale's name, but maps non-ASCII file
# names only under a locale that the C library really has.
for loc in ja_JP en_US; do
  locale -a 2>/dev/null | grep -qx "$loc.utf8" || step locales -- "${sudo_cmd[@]}" localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
done
