#!/usr/bin/env bash
# Installs, once, what building and testing Tamaroo under Wine needs on Debian.
set -euo pipefail
need=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth xdotool
      imagemagick fonts-ipafont-gothic googletest cmake ninja-build)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
