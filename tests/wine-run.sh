#!/usr/bin/env bash
# Runs a test program under Wine. Now and then Wine fails to start a program
# at all: it gives up within milliseconds, before the program has written a
# line, and says nothing, as WINEDEBUG hides its errors. Such a run is started
# once more; a program that ran and failed has written something.
out=$(mktemp) || exit 1
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
  wine "$@" | tee "$out"
  rc=${PIPESTATUS[0]}
  { [ "$rc" -eq 0 ] || [ -s "$out" ]; } && exit "$rc"
  echo "wine-run: Wine gave up on $1 with exit code $rc before it wrote anything (attempt $attempt)" >&2
done
exit "$rc"
