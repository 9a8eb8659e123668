#!/bin/sh
# Shows the centred Open dialog on a real X server (Xvfb, 1024 x 768, no
# window manager, so a window's frame is its client area) and checks from
# outside, with xdotool, that its top-left corner is where the centring
# arithmetic puts it: half the free room on each axis, halves to the even
# neighbour, nothing clamped. Also drives a whole round: a path typed and
# confirmed comes back, the next dialog offers it, Cancel returns nothing.
#
# usage: check_dialog_position.sh PATH/TO/dialog_position_probe
# Exit 0 when every check passes, 1 on a failure, 77 (skipped) when Xvfb or
# xdotool is not installed (see ../support/x11_session.sh).
set -u
probe=$1

. "$(dirname "$0")/../support/x11_session.sh"
logs="$work/out $work/err"

lines() { grep -c "^$1" "$work/out" 2>/dev/null || true; }

# Checks the dialog that is up now; $1 is screen or owner.
check_position() {
  if [ "$1" = owner ]; then
    geometry_of velmora-owner
    owner_x=$X owner_y=$Y owner_width=$WIDTH owner_height=$HEIGHT
  fi
  geometry_of 'Открыть'
  if [ "$1" = owner ]; then
    expected_x=$(half_to_even $((owner_width + 2 * owner_x - WIDTH)))
    expected_y=$(half_to_even $((owner_height + 2 * owner_y - HEIGHT)))
    what="owner ${owner_width}x$owner_height at ($owner_x,$owner_y)"
  else
    expected_x=$(half_to_even $((screen_width - WIDTH)))
    expected_y=$(half_to_even $((screen_height - HEIGHT)))
    what="screen ${screen_width}x$screen_height"
  fi
  echo "$what: dialog ${WIDTH}x$HEIGHT at ($X,$Y), expected ($expected_x,$expected_y)"
  [ "$X" = "$expected_x" ] && [ "$Y" = "$expected_y" ] || fail "dialog not where the arithmetic puts it"
}

expect_line() {
  grep -qx "$1" "$work/out" || fail "expected the line '$1'"
}

run_probe() {
  : >"$work/out"
  "$probe" "$1" >"$work/out" 2>"$work/err" &
  probe_pid=$!
  pids="$probe_pid"
}

finish_probe() {
  wait "$probe_pid"
  status=$?
  probe_pid=
  pids=
  [ "$status" = 0 ] || fail "probe exited with $status"
}

mkdir "$work/texts"
chosen="$work/texts/poem.txt"
: >"$chosen"

# On the screen: choose a file, then see it offered again and cancel.
run_probe screen
wait_for '[ "$(lines shown)" -ge 1 ]' "the first dialog"
check_position screen
expect_line "shown $X $Y $WIDTH $HEIGHT name=''"
window=$(xdotool search --onlyvisible --name '^Открыть$' | tail -n 1)
xdotool windowfocus --sync "$window"
xdotool type --delay 5 "$chosen"
xdotool key Return
wait_for '[ "$(lines result)" -ge 1 ]' "the first result"
expect_line "result 1 ok 2048 $chosen"
wait_for '[ "$(lines shown)" -ge 2 ]' "the second dialog"
check_position screen
expect_line "shown $X $Y $WIDTH $HEIGHT name='poem.txt'"
xdotool key Escape
wait_for '[ "$(lines result)" -ge 2 ]' "the second result"
expect_line "result 2 cancelled 4096"
finish_probe

# On an owner near the bottom-right corner: past the screen's edge, unclamped.
run_probe owner
wait_for '[ "$(lines shown)" -ge 1 ]' "the dialog on the owner"
check_position owner
if [ $((X + WIDTH)) -gt "$screen_width" ] || [ $((Y + HEIGHT)) -gt "$screen_height" ]; then
  echo "owner: the dialog runs past the screen's edge, as placed"
fi
xdotool key Escape
wait_for '[ "$(lines result)" -ge 1 ]' "the cancelled result"
expect_line "result 1 cancelled 2048"
wait_for '[ "$(lines shown)" -ge 2 ]' "the second dialog on the owner"
check_position owner
xdotool key Escape
wait_for '[ "$(lines result)" -ge 2 ]' "the second cancelled result"
expect_line "result 2 cancelled 4096"
finish_probe

echo "PASS"
