#!/usr/bin/env bash
# The Explorer in the real program: open Figure > Explorer..., wait for the library's pictures,
# click one and see the main window take that pattern, then add a surprise figure to the
# library and find it in the pattern file, checking each step on a screenshot.
#   e2e_explorer_test.sh path/to/trochodraw
set -uo pipefail
program="${1:?usage: e2e_explorer_test.sh path/to/trochodraw}"
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

e2e_name="trochodraw-e2e-explorer"
e2e_first_display=110
# shellcheck source=e2e_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
sleep 1

mechanism=(340 350 8 125)
library_file="$XDG_CONFIG_HOME/trochodraw/Gyrotracer.ini"

# Figure > Explorer...
opened=""
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt+i
  sleep 0.5
  xdotool key e
  if wait_for 5 xdotool search --onlyvisible --name '^Explorer$'; then opened=1; break; fi
  xdotool key Escape
done
[ -n "$opened" ] || fail "Figure > Explorer... did not open the Explorer"
ex="$(xdotool search --onlyvisible --name '^Explorer$' | head -1)"
# Beside the mechanism pane, which must stay in view.
xdotool windowmove "$ex" 370 330
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$ex")"
echo "Explorer $WIDTH x $HEIGHT at $X,$Y"

# The library's pictures fill in: the list grows dark where the figures are drawn.
list=(700 480 $((X + 20)) $((Y + 45)))
drawn=""
for i in $(seq 1 50); do
  sleep 0.2
  shot
  share="$(dark_share "${list[@]}")"
  if above "$share" 0.08; then drawn=1; break; fi
done
echo "library pictures: dark share $share"
[ -n "$drawn" ] || fail "the library's pictures were not drawn"
cp "$work/shot.png" "$work/library.png"
convert "$work/shot.png" -crop "${mechanism[0]}x${mechanism[1]}+${mechanism[2]}+${mechanism[3]}" +repage "$work/before.png"

# A click on the fourth picture (Loop, first of the second row) applies it.
xdotool mousemove --window "$ex" 123 291 click 1
sleep 1
shot
convert "$work/shot.png" -crop "${mechanism[0]}x${mechanism[1]}+${mechanism[2]}+${mechanism[3]}" +repage "$work/after.png"
changed="$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)"
echo "mechanism pane after the click: $changed pixels changed"
above "$changed" 500 || fail "the click on a picture did not change the machine"
cp "$work/shot.png" "$work/applied.png"

# Surprise: the first figure goes into the library once it is made.
xdotool mousemove --window "$ex" 192 19 click 1
added=""
for i in $(seq 1 60); do
  sleep 0.25
  xdotool mousemove --window "$ex" 159 258 click 1
  if grep -q '^Count=20' "$library_file" 2>/dev/null; then added=1; break; fi
done
shot
cp "$work/shot.png" "$work/surprise.png"
[ -n "$added" ] || fail "Add to Library did not write the surprise into the pattern file"
echo "pattern file after Add to Library: $(grep '^Name0=' "$library_file")"

if [ -n "${TROCHODRAW_E2E_SHOTS:-}" ]; then
  mkdir -p "$TROCHODRAW_E2E_SHOTS" &&
    cp "$work/library.png" "$work/applied.png" "$work/surprise.png" "$TROCHODRAW_E2E_SHOTS/"
fi
echo "PASS: Explorer opened, pictures drawn, a click applied a pattern, a surprise went into the library"
exit 0
