#!/usr/bin/env bash
# Runs ctest with the wineserver kept warm, so a test costs milliseconds, not seconds.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
# The Recycle Bin of the tests (Wine's is the desktop's trash), not the user's.
export XDG_DATA_HOME="$BUILD_DIR/xdg-data"
wineserver -p
# Starts Wine's services now, so they don't inherit ctest's output pipe.
wine cmd /c exit </dev/null >/dev/null 2>&1
step --show wine-tests -- ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
rc=$?
wineserver -k
exit $rc
