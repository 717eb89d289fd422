#!/usr/bin/env bash
# The real program end to end: start it on a virtual display, press Run, check on a
# screenshot that the machine and a growing figure are shown, then save a PNG through the
# menu and the save dialog, driven by the keyboard, and check the file with pngcheck.
#   e2e_test.sh path/to/trochodraw
set -uo pipefail
program="${1:?usage: e2e_test.sh path/to/trochodraw}"
for tool in Xvfb xdotool import convert pngcheck; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

e2e_name="trochodraw-e2e"
e2e_first_display=90
# shellcheck source=e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window $WIDTH x $HEIGHT at $X,$Y"
[ "$WIDTH" -ge 900 ] && [ "$HEIGHT" -ge 600 ] || fail "unexpected window size ${WIDTH}x$HEIGHT"

# The mechanism pane (left) and the figure pane (right), inside the work area below the bars.
mech=(300 380 10 160)
figure=(500 380 440 160)

shot
mech_share="$(dark_share "${mech[@]}")"
fig_before="$(dark_share "${figure[@]}")"
echo "before Run: mechanism $mech_share, figure $fig_before"
above "$mech_share" 0.03 || fail "the mechanism pane does not show the machine"

# Run: the first button of the top bar. Clicked again if the figure does not grow.
grown=""
for attempt in 1 2 3; do
  xdotool mousemove --window "$win" 38 50 click 1
  sleep 3
  shot
  fig_after="$(dark_share "${figure[@]}")"
  echo "after Run (attempt $attempt): figure $fig_after"
  if above "$fig_after" "$(awk -v b="$fig_before" 'BEGIN { print b + 0.01 }')"; then grown=1; break; fi
done
[ -n "$grown" ] || fail "the figure did not grow after Run"
# Still running: the figure keeps growing.
sleep 2
shot
fig_later="$(dark_share "${figure[@]}")"
echo "two seconds later: figure $fig_later"
above "$fig_later" "$fig_after" || fail "the figure stopped growing while running"
cp "$work/shot.png" "$work/running.png"

# Save Image As through the keyboard: Alt+F, I, the name, Enter.
out="$work/figure.png"
for attempt in 1 2 3; do
  xdotool mousemove --window "$win" 600 300
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key i
  if wait_for 10 xdotool search --name '^Save Image As$'; then
    dlg="$(xdotool search --name '^Save Image As$' | head -1)"
    xdotool windowmove "$dlg" 100 100
    xdotool windowfocus --sync "$dlg" 2>/dev/null
    sleep 0.5
    xdotool type --delay 20 "$out"
    xdotool key Return
    wait_for 10 test -s "$out" && break
  fi
  echo "save attempt $attempt did not write the file; retrying"
  xdotool key Escape
  sleep 1
done
[ -s "$out" ] || { shot; fail "Save Image As wrote no file"; }
sleep 0.5
pngcheck -q "$out" || fail "pngcheck rejects $out"
size="$(pngcheck "$out" | sed -n 's/.*(\([0-9]*\)x\([0-9]*\),.*/\1x\2/p')"
[ "$size" = "640x480" ] || fail "the saved figure is $size, not 640x480"
# Options > Colors stores the figure as an undo file; ending the program (as a session's end
# does, with SIGTERM) deletes it.
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key --clearmodifiers alt+o
sleep 0.5
xdotool key --clearmodifiers c
wait_for 10 sh -c 'ls "$TMPDIR" | grep -q .' || fail "opening the Coloring dialog stored no undo file"
kill -TERM "$app_pid"
wait_for 15 sh -c "! kill -0 $app_pid" || fail "the program did not end on SIGTERM"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -z "$(ls -A "$TMPDIR")" ] || fail "undo files left behind: $(ls "$TMPDIR")"

# Keep the screenshots for a look when asked to.
if [ -n "${TROCHODRAW_E2E_SHOTS:-}" ]; then
  mkdir -p "$TROCHODRAW_E2E_SHOTS" && cp "$work/running.png" "$work/shot.png" "$out" "$TROCHODRAW_E2E_SHOTS/"
fi
echo "PASS: machine shown, figure drawn, $out saved ($size), undo files deleted at the end"
exit 0
