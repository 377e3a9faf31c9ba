#!/usr/bin/env bash
# Runs a command (`wine program ...`) with Wine drawing at $1 DPI (144 is
# 150 %). Wine reads LogPixels when its server starts, so this run has a copy
# of the build's prefix of its own, made once, and an Xvfb of its own.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
dpi=$1
shift
prefix="$BUILD_DIR/wine-dpi-$dpi"
if [ ! -d "$prefix" ]; then
  cp -a "$WINEPREFIX" "$prefix.tmp" || exit 1
  WINEPREFIX="$prefix.tmp" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 || exit 1
  WINEPREFIX="$prefix.tmp" wineserver -w
  mv "$prefix.tmp" "$prefix" || exit 1
fi
export WINEPREFIX="$prefix"
exec xvfb-run -a -s "$XVFB_ARGS" bash -c '
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  "$@"
  rc=$?
  wineserver -k
  exit $rc' dpi-screen "$@"
