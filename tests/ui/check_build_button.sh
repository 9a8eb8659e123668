#!/bin/sh
# Uses the real program as a person would, on a real X server: starts it
# beside a dictionary folder of its own, presses "Создать словарь из текста"
# with the mouse, checks that the Open dialog's top-left corner is where the
# centring arithmetic puts it on the 1024 x 768 screen, types the path of a
# text, confirms, and checks the new dictionary in the folder, the report box
# and that the window goes on afterwards.
#
# usage: check_build_button.sh PATH/TO/velmora
# Exit 0 when every check passes, 1 on a failure, 77 (skipped) when Xvfb or
# xdotool is not installed (see ../support/x11_session.sh).
set -u
program=$1

. "$(dirname "$0")/../support/x11_session.sh"
logs="$work/velmora.err"

# The program takes the folder "dict" beside itself, so it runs as a copy.
mkdir -p "$work/app/dict"
cp "$program" "$work/app/velmora"
printf 'кот\r\n' | iconv -f UTF-8 -t CP1251 >"$work/app/dict/words.txt"
printf 'Кот-Учёный, КОТ! учёный кот\nдомовой Домовой 2024 hello\n' >"$work/poem.txt"
printf 'учёный\r\nдомовой\r\n' | iconv -f UTF-8 -t CP1251 >"$work/expected.txt"

"$work/app/velmora" >"$work/velmora.out" 2>"$work/velmora.err" &
pids=$!

main_title='^Велмора v1\.0 '
wait_for 'xdotool search --onlyvisible --name "$main_title" >/dev/null' "the main window"
main=$(xdotool search --onlyvisible --name "$main_title" | head -n 1)

# The build button lies at (176, 88) in the window and is 145 x 33 pixels.
xdotool mousemove --window "$main" 248 104 click 1
wait_for 'xdotool search --onlyvisible --name "^Открыть\$" >/dev/null' "the Open dialog"
geometry_of 'Открыть'
expected_x=$(half_to_even $((screen_width - WIDTH)))
expected_y=$(half_to_even $((screen_height - HEIGHT)))
echo "Open dialog ${WIDTH}x$HEIGHT at ($X,$Y), expected ($expected_x,$expected_y)"
[ "$X" = "$expected_x" ] && [ "$Y" = "$expected_y" ] || fail "the dialog is not centred"

xdotool windowfocus --sync "$window"
xdotool type --delay 5 "$work/poem.txt"
xdotool key Return

wait_for 'ls "$work/app/dict"/dict_*.txt >/dev/null 2>&1' "the new dictionary"
built=$(ls "$work/app/dict"/dict_*.txt)
name=$(basename "$built")
echo "built $name"
echo "$name" | grep -Eq '^dict_[0-9]+([.,][0-9]+)?\.txt$' || fail "unexpected file name $name"
cmp -s "$built" "$work/expected.txt" || fail "the dictionary holds something else"
[ "$(ls -A "$work/app/dict" | wc -l)" = 2 ] || fail "stray files in the folder: $(ls -A "$work/app/dict")"

wait_for 'xdotool search --onlyvisible --name "^Велмора\$" >/dev/null' "the report box"
geometry_of 'Велмора'
xdotool windowfocus --sync "$window"
xdotool key Return
wait_for '! xdotool search --onlyvisible --name "^Велмора\$" >/dev/null' "the report box to close"

# The window goes on: it still answers, and the dialog comes again.
kill -0 "$pids" 2>/dev/null || fail "the program ended"
xdotool mousemove --window "$main" 248 104 click 1
wait_for 'xdotool search --onlyvisible --name "^Открыть\$" >/dev/null' "the Open dialog again"
geometry_of 'Открыть'
xdotool windowfocus --sync "$window"
xdotool key Escape
wait_for '! xdotool search --onlyvisible --name "^Открыть\$" >/dev/null' "the dialog to close"
[ "$(ls -A "$work/app/dict" | wc -l)" = 2 ] || fail "a cancelled build wrote something"

echo "PASS"
