#!/usr/bin/env bash
# Runs a test program on a 240x320 screen. Wine keeps one screen size for as
# long as its server runs, so this run has a prefix and an Xvfb of its own;
# the prefix is a copy of the build's, made once.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
wine_prefix_copy wine-narrow || exit 1
export WINEPREFIX="$BUILD_DIR/wine-narrow"
exec xvfb-run -a -s "-screen 0 240x320x24" bash -c '
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wine "$@"
  rc=$?
  wineserver -k
  exit $rc' narrow-screen "$@"
