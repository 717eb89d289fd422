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

work="$(mktemp -d)"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/shot.png" ] && cp "$work/shot.png" "${TMPDIR:-/tmp}/trochodraw-e2e-failure.png" &&
    echo "last screenshot: ${TMPDIR:-/tmp}/trochodraw-e2e-failure.png"
  [ -f "$work/app.log" ] && sed 's/^/  program: /' "$work/app.log"
  exit 1
}

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  for ((i = 0; i < limit; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A display of our own: a free one of :90 to :99. Another server may hold a number without
# a lock file this process can see, so a display counts only if our Xvfb is still alive once
# it answers and the program's window appears on it; otherwise the next number is tried.
started=""
for n in $(seq 90 99 | shuf); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  if wait_for 10 xdotool getmouselocation && sleep 0.5 && kill -0 "$xvfb_pid" 2>/dev/null; then
    "$program" >"$work/app.log" 2>&1 &
    app_pid=$!
    if wait_for 20 xdotool search --name '^Trochodraw$' && kill -0 "$xvfb_pid" 2>/dev/null; then
      started=1
      break
    fi
    echo "display :$n: the program did not come up; trying another display"
    kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; app_pid=""
  fi
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
done
[ -n "$started" ] || fail "the main window did not appear on any virtual display"
win="$(xdotool search --name '^Trochodraw$' | head -1)"
# Without a window manager the window stays where it asks to be; bring it fully on screen.
xdotool windowmove "$win" 0 0
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window $WIDTH x $HEIGHT at $X,$Y"
[ "$WIDTH" -ge 900 ] && [ "$HEIGHT" -ge 600 ] || fail "unexpected window size ${WIDTH}x$HEIGHT"

shot() { import -window root "$work/shot.png" || fail "no screenshot"; }
# The share of dark pixels (below half brightness) in a region: W H X Y.
dark_share() {
  convert "$work/shot.png" -crop "$1x$2+$3+$4" +repage -colorspace gray -threshold 50% \
    -format '%[fx:1-mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

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
