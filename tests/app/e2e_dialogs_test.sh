#!/usr/bin/env bash
# The Coloring dialog in the real program: start it on a virtual display, draw a figure with
# Run, open Options > Colors, turn the figure into a mosaic, undo it, drag a band colour onto
# another band and close the dialog with Esc, checking each step on a screenshot.
#   e2e_dialogs_test.sh path/to/trochodraw
set -uo pipefail
program="${1:?usage: e2e_dialogs_test.sh path/to/trochodraw}"
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

e2e_name="trochodraw-e2e-dialogs"
e2e_first_display=80
# shellcheck source=e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
sleep 1

# The figure pane of the last shot, as its own picture.
cut_figure() { convert "$work/shot.png" -crop "${figure[0]}x${figure[1]}+${figure[2]}+${figure[3]}" +repage "$1"; }
pixel() { convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:; }

figure=(480 360 450 170)

# A figure to colour: Run for a few seconds, then stop.
xdotool mousemove --window "$win" 38 50 click 1
sleep 3
xdotool mousemove --window "$win" 38 50 click 1
sleep 0.5
shot
cut_figure "$work/drawn.png"
drawn_share="$(dark_share "${figure[@]}")"
echo "drawn figure: dark share $drawn_share"
above "$drawn_share" 0.005 || fail "Run drew nothing to colour"

# Options > Colors.
opened=""
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt+o
  sleep 0.5
  xdotool key c
  if wait_for 5 xdotool search --onlyvisible --name '^Coloring$'; then opened=1; break; fi
  xdotool key Escape
done
[ -n "$opened" ] || fail "Options > Colors did not open the Coloring dialog"
dlg="$(xdotool search --onlyvisible --name '^Coloring$' | head -1)"
# Beside the figure, so that the figure pane stays in view.
xdotool windowmove "$dlg" 935 100
sleep 1
eval "$(xdotool getwindowgeometry --shell "$dlg")"
echo "Coloring dialog $WIDTH x $HEIGHT at $X,$Y"
[ "$WIDTH" -eq 341 ] && [ "$HEIGHT" -eq 390 ] || fail "the Coloring dialog is ${WIDTH}x$HEIGHT, not 341x390"
dx=$X dy=$Y

# "Mozaic Image": the outside of the figure turns black (the default background).
xdotool mousemove --window "$dlg" 254 45 click 1
mosaic=""
for i in $(seq 1 50); do
  sleep 0.2
  shot
  share="$(dark_share "${figure[@]}")"
  if above "$share" 0.5; then mosaic=1; break; fi
done
echo "after Mozaic Image: dark share $share"
[ -n "$mosaic" ] || fail "Mozaic Image did not colour the figure"
cp "$work/shot.png" "$work/mosaic.png"

# "Undo": the figure comes back pixel for pixel.
xdotool mousemove --window "$dlg" 255 73 click 1
restored=""
for i in $(seq 1 30); do
  sleep 0.2
  shot
  cut_figure "$work/undone.png"
  diff="$(compare -metric AE "$work/drawn.png" "$work/undone.png" null: 2>&1)"
  [ "$diff" = "0" ] && { restored=1; break; }
done
echo "after Undo: $diff pixels differ from the drawn figure"
[ -n "$restored" ] || fail "Undo did not bring the drawn figure back"
cp "$work/shot.png" "$work/undone-full.png"

# Drag the colour of band 3 onto band 20 of the colour bar.
bar_x=32 from_y=58 to_y=216
shot
from_colour="$(pixel $((dx + bar_x)) $((dy + from_y)))"
to_before="$(pixel $((dx + bar_x)) $((dy + to_y)))"
xdotool mousemove --window "$dlg" "$bar_x" "$from_y" mousedown 1
for y in 62 70 90 120 160 200 "$to_y"; do
  sleep 0.1
  xdotool mousemove --window "$dlg" $((bar_x + 1)) "$y"
done
sleep 0.3
xdotool mouseup 1
sleep 0.5
shot
to_after="$(pixel $((dx + bar_x)) $((dy + to_y)))"
echo "band colours: source $from_colour, target $to_before -> $to_after"
[ "$to_before" != "$from_colour" ] || fail "the two bands had the same colour to begin with"
[ "$to_after" = "$from_colour" ] || fail "the dropped band did not take the dragged colour"
cp "$work/shot.png" "$work/dropped.png"

# Esc closes the dialog.
xdotool windowfocus --sync "$dlg" 2>/dev/null
xdotool key Escape
wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Coloring$"' || fail "Esc did not close the Coloring dialog"

if [ -n "${TROCHODRAW_E2E_SHOTS:-}" ]; then
  mkdir -p "$TROCHODRAW_E2E_SHOTS" &&
    cp "$work/mosaic.png" "$work/undone-full.png" "$work/dropped.png" "$TROCHODRAW_E2E_SHOTS/"
fi
echo "PASS: Coloring dialog opened, mosaic drawn and undone, band colour dropped, dialog closed"
exit 0
