#!/usr/bin/env bash
# The whole road, as a pupil takes it: the toolbar's menu entry "Read convert
# .wav ( 1 channel; 16 bits) Excel", the open dialog, the chart, OK; the
# workbook ends beside the recording and the shell is asked to open it.
# Usage: route_conversion.sh QUORVA_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
source "$(dirname "$0")/lib.sh"
quorva=$1 recording=$2 shots=$3
mkdir -p "$shots"
E2E_SHOT="$shots/route_failure.png"

# English, through the language preference under the temporary folder.
export TMPDIR="$E2E_WORK/tmp"
mkdir -p "$TMPDIR/quorva"
printf 'langue=1\r\n' > "$TMPDIR/quorva/langue_quorva.txt"
mkdir -p "$E2E_WORK/rec"
cp "$recording" "$E2E_WORK/rec/essai.wav"

e2e_start
e2e_spawn "$quorva"
quorva_pid=$E2E_LAST_PID
toolbar=$(e2e_wait_window Quorva 10) || e2e_fail "no toolbar"

# The arrival: the toolbar settles in the top-right corner with its menu open.
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
for _ in $(seq 50); do
    eval "$(xdotool getwindowgeometry --shell "$toolbar")"
    [ "$X" = $((screen_width - 129)) ] && [ "$Y" = 18 ] && break
    sleep 0.1
done
[ "$X" = $((screen_width - 129)) ] && [ "$Y" = 18 ] || e2e_fail "toolbar at $X,$Y after its arrival"
sleep 0.5
import -window root "$shots/toolbar_menu.png"
xdotool key Escape
sleep 0.3

# A click on the label opens the menu; the entry is the sixth one offered.
xdotool mousemove $((X + 70)) $((Y + 12)) click 1
sleep 0.5
xdotool key Down Down Down Down Down Down Return

# The open dialog: the recording's path, then Return.
sleep 1
xdotool type --delay 20 "$E2E_WORK/rec/essai.wav"
xdotool key Return

# The chart: the program's visible window 1130 pixels wide.
chart=""
for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$quorva_pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" = 1130 ] && { chart=$id; break 2; }
    done
    sleep 0.1
done
[ -n "$chart" ] || e2e_fail "no chart"
# One second after it opens, the chart shows its help in a message box,
# above the chart; Return closes it.
sleep 2
import -window root "$shots/chart_help.png"
xdotool key Return
sleep 0.5
import -window root "$shots/chart.png"
# OK stands at (1000, 208), 75 x 25, in the chart.
xdotool mousemove --window "$chart" 1037 220 click 1

e2e_wait_opened "essai.wav.slk" 20 || e2e_fail "the workbook was not handed to the shell: $(cat "$E2E_OPENED")"
[ -s "$E2E_WORK/rec/essai.wav.slk" ] || e2e_fail "no workbook beside the recording"
head -c 4 "$E2E_WORK/rec/essai.wav.slk" | grep -q "ID;P" || e2e_fail "the workbook is not SYLK"
[ -s "$E2E_WORK/rec/essai.wav.txt" ] || e2e_fail "OK did not save the marks"
kill -0 "$quorva_pid" || e2e_fail "quorva ended"
echo "road ok"
