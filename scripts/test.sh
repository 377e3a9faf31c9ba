#!/usr/bin/env bash
# Builds Tamaroo and runs every test under Wine (code page 932) and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
prepare
# Both cores; the tests that share the pointer or the foreground window still
# run one at a time. A -j of the caller's comes later and wins.
exec xvfb-run -a -s "$XVFB_ARGS" "$here/ctest-warm.sh" -j2 "$@"
