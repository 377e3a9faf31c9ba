#!/usr/bin/env bash
# Takes pictures for the README into docs/, each scale under a Wine prefix set
# to its DPI (tests/app/dpi-screen.sh): the menu of the sample bookmarks and
# the About box at 100, 150 and 200 % (menu-100.png, about-100.png, ...), and
# at 100 % a link held over the face by a drag from a second process
# (drag.png).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
"$here/install-deps.sh"
# Only the program and the drag source are needed; a build folder not yet
# made is made whole.
[ -f "$BUILD_DIR/build.ninja" ] || build_all
cmake --build "$BUILD_DIR" --target Tamaroo drag_source >/dev/null
wine_prefix

for scale in 100:96 150:144 200:192; do
  percent=${scale%:*}
  run="$BUILD_DIR/dpi-run-${scale#*:}"
  rm -rf "$run" && mkdir -p "$run"
  cp "$BUILD_DIR/bin/Tamaroo.exe" "$root/samples/glyph.bmp" "$run/"
  cp -r "$root/samples/favorite" "$run/"
  drag=()
  [ "$percent" = 100 ] && drag=("$root/docs/drag.png" "$BUILD_DIR/bin/drag_source.exe")
  (cd "$run" && "$root/tests/app/dpi-screen.sh" "${scale#*:}" bash "$here/dpi-shot.sh" \
    "$root/docs/about-$percent.png" "$root/docs/menu-$percent.png" "${drag[@]}")
done
