#!/usr/bin/env bash
# Takes pictures of the About box at 100, 150 and 200 % into docs/
# (about-100.png, about-150.png, about-200.png), each under a Wine prefix
# set to that DPI (tests/app/dpi-screen.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
"$here/install-deps.sh"
# Only the program is needed; a build folder not yet made is made whole.
[ -f "$BUILD_DIR/build.ninja" ] || build_all
cmake --build "$BUILD_DIR" --target Tamaroo >/dev/null
wine_prefix

for scale in 100:96 150:144 200:192; do
  run="$BUILD_DIR/dpi-run-${scale#*:}"
  rm -rf "$run" && mkdir -p "$run"
  cp "$BUILD_DIR/bin/Tamaroo.exe" "$root/samples/glyph.bmp" "$run/"
  (cd "$run" && "$root/tests/app/dpi-screen.sh" "${scale#*:}" bash "$here/dpi-shot.sh" \
    "$root/docs/about-${scale%:*}.png")
done
