#!/usr/bin/env bash
# Runs a command (`wine program ...`) with Wine drawing at $1 DPI (144 is
# 150 %). Wine reads LogPixels when its server starts, so this run has a copy
# of the build's prefix of its own, made once, and an Xvfb of its own.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
dpi=$1
shift
wine_prefix_copy "wine-dpi-$dpi" "$dpi" || exit 1
export WINEPREFIX="$BUILD_DIR/wine-dpi-$dpi"
exec xvfb-run -a -s "$XVFB_ARGS" bash -c '
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  "$@"
  rc=$?
  wineserver -k
  exit $rc' dpi-screen "$@"
