# Sourced by the checks that drive real windows from outside: starts Xvfb
# with a 1024 x 768 screen on a free display (no window manager, so a
# window's frame is its client area) and offers the helpers they share.
# Exits 77 (skipped) when Xvfb or xdotool is not installed.
#
# After sourcing: $work is a fresh folder removed at exit; $screen_width and
# $screen_height are the screen's size; every pid added to $pids is killed at
# exit; fail prints its message and the files listed in $logs, then exits 1.

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
pids=
logs=
x11_cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null; done
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap x11_cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*"
  for log in $logs; do
    echo "--- $log:"
    cat "$log" 2>/dev/null
  done
  exit 1
}

# Waits up to ten seconds for a shell condition; $2 says what for.
wait_for() {
  tries=0
  until eval "$1"; do
    tries=$((tries + 1))
    [ "$tries" -ge 200 ] && fail "timed out waiting for: $2"
    sleep 0.05
  done
}

# n / 2 rounded to the nearest integer, a half to the even neighbour.
half_to_even() {
  awk -v n="$1" 'BEGIN {
    q = (n >= 0) ? int(n / 2) : -int((-n + 1) / 2)   # floor(n / 2)
    if (n - 2 * q == 1 && q % 2 != 0) q++
    print q
  }'
}

# Sets X Y WIDTH HEIGHT (and $window) for the visible window titled exactly $1.
geometry_of() {
  window=$(xdotool search --onlyvisible --name "^$1\$" | tail -n 1)
  [ -n "$window" ] || fail "no visible window titled $1"
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

display=${VELMORA_CHECK_DISPLAY:-97}
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

wait_for 'xdotool getdisplaygeometry >/dev/null 2>&1' "the X server on :$display"
set -- $(xdotool getdisplaygeometry)
screen_width=$1
screen_height=$2
