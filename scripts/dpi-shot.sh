#!/usr/bin/env bash
# For dpi-shots.sh, under Wine and Xvfb: starts Tamaroo from the current
# folder, opens its About box from the menu and saves a picture of it to $1.
set -uo pipefail
wine Tamaroo.exe &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tamaroo$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1
# The title entry's sub-menu, past the folder and paste entries, to About.
xdotool mousemove $((X + 20)) $((Y + 20)) click 3
sleep 1
xdotool key Down Right Down Down Return
box=$(timeout 20 xdotool search --sync --onlyvisible --name 'バージョン情報' | head -n 1)
sleep 1
import -window "$box" "$1"
xdotool key Escape
wine cmd /c taskkill /im Tamaroo.exe >/dev/null 2>&1 || true
