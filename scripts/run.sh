#!/usr/bin/env bash
# Builds Tamaroo and starts it under Wine with the sample face picture.
# With a display it simply runs; without one it runs under Xvfb, saves a
# screenshot of the window with its menu open, one of a bookmark's own menu
# and one of the search window, says where, and closes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
tell_failures
prepare

# Settings.ini and the favorite folder live beside the executable; the face
# is read from the working folder.
run_dir="$BUILD_DIR/run"
mkdir -p "$run_dir"
cp "$BUILD_DIR/bin/Tamaroo.exe" "$run_dir/"
cp "$root/samples/glyph.bmp" "$run_dir/"
# A few bookmarks, so the menu shows what Tamaroo is for; what is there already stays.
cp -rn "$root/samples/favorite" "$run_dir/"
cd "$run_dir"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshot" ]; then
  wine Tamaroo.exe
  exit
fi
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "$XVFB_ARGS" "$here/run.sh" --screenshot
  exit
fi

wine Tamaroo.exe &
pid=$!
# The application window has the same title but is never visible.
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tamaroo$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1
# A right click on the face opens the menu of bookmarks.
xdotool mousemove $((X + 40)) $((Y + 40)) click 3
sleep 1
shot="$run_dir/tamaroo-menu.png"
import -window root "$shot"
# The first bookmark's own menu, over the menu (the menu key).
xdotool key Down Down Menu
sleep 1
entry_shot="$run_dir/tamaroo-entry-menu.png"
import -window root "$entry_shot"
xdotool key Escape Escape Escape
sleep 1
# The search window, from the menu's F, with a few letters typed.
xdotool mousemove $((X + 40)) $((Y + 40)) click 3
sleep 1
xdotool key f
sleep 1
xdotool type wi
sleep 1
find_shot="$run_dir/tamaroo-find.png"
import -window root "$find_shot"
xdotool key Escape Escape
wine cmd /c taskkill /im Tamaroo.exe >/dev/null 2>&1 || true
wait "$pid" || true
echo "Screenshot of Tamaroo with its menu open: $shot"
echo "Screenshot of a bookmark's own menu: $entry_shot"
echo "Screenshot of the search window: $find_shot"
