#!/usr/bin/env bash
# Builds Tamaroo and runs every test: the pure units natively under the
# sanitizers, then everything under Wine (code page 932) and Xvfb. With CI
# set, warnings are errors and each fuzz target runs for 20 seconds too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
source "$here/native-env.sh"
tell_failures
prepare
# The tree keeps its one style (.clang-format).
check_format() (cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)
step format -- check_format
build_native native_tests
step --show native-tests -- ctest --test-dir "$NATIVE_DIR" --output-on-failure "$@"
# Both cores; the tests that share the pointer or the foreground window still
# run one at a time. A -j of the caller's comes later and wins.
xvfb-run -a -s "$XVFB_ARGS" "$here/ctest-warm.sh" -j2 "$@"
[ -z "${CI:-}" ] || "$here/fuzz.sh" 20
