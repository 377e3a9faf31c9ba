#!/usr/bin/env bash
# Builds Tamaroo and runs every test under Wine (code page 932) and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
prepare
exec xvfb-run -a -s "$XVFB_ARGS" "$here/ctest-warm.sh" "$@"
