#!/usr/bin/env bash
# For dpi-shots.sh, under Wine and Xvfb: starts Tamaroo from the current
# folder, saves a picture of its About box to $1 and of its menu to $2; given
# $3 and drag_source.exe as $4, holds a dragged link over the face and saves
# a picture of the face to $3.
set -uo pipefail
wine Tamaroo.exe &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tamaroo$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1
# The title entry's sub-menu, then About by its access key.
xdotool mousemove $((X + 20)) $((Y + 20)) click 3
sleep 1
xdotool key Down Right a
box=$(timeout 20 xdotool search --sync --onlyvisible --name 'バージョン情報' | head -n 1)
sleep 1
import -window "$box" "$1"
xdotool key Escape
sleep 1
# The menu opens at the click; the screen around the face and it is black.
xdotool mousemove $((X + 20)) $((Y + 20)) click 3
sleep 1
import -window root png:- | convert - -trim +repage "$2"
# A click beside the menu closes it.
xdotool key Escape mousemove 1 1 click 1
if [ $# -ge 4 ]; then
  sleep 1
  rm -f drag-drop drag-drop.over
  wine "$4" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) chromium https://www.debian.org/ Debian drag-drop &
  for _ in $(seq 100); do [ -f drag-drop.over ] && break; sleep 0.1; done
  sleep 1
  import -window root -crop $((WIDTH + 20))x$((HEIGHT + 20))+$((X - 10))+$((Y - 10)) +repage "$3"
  touch drag-drop
  wait $!
fi
wine cmd /c taskkill /im Tamaroo.exe >/dev/null 2>&1 || true
