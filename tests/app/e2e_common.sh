# Shared start of the end-to-end tests, sourced after setting:
#   program            the program to start
#   e2e_name           a name for the failure screenshot in /tmp
#   e2e_first_display  the first of ten display numbers to try
# It leaves the program's window at the top left of its own virtual display, with $win, $work,
# fail, wait_for and a cleanup on exit.
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
  [ -f "$work/shot.png" ] && cp "$work/shot.png" "/tmp/$e2e_name-failure.png" &&
    echo "last screenshot: /tmp/$e2e_name-failure.png"
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

# A display of our own: a free one of the ten from $e2e_first_display. Another server may hold a number without
# a lock file this process can see, so a display counts only if our Xvfb is still alive once
# it answers and the program's window appears on it; otherwise the next number is tried.
started=""
for n in $(seq "$e2e_first_display" $((e2e_first_display + 9)) | shuf); do
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

# A screenshot of the whole display, as $work/shot.png.
shot() { import -window root "$work/shot.png" || fail "no screenshot"; }
# The share of dark pixels (below half brightness) in a region of the last shot: W H X Y.
dark_share() {
  convert "$work/shot.png" -crop "$1x$2+$3+$4" +repage -colorspace gray -threshold 50% \
    -format '%[fx:1-mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
