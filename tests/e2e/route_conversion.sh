#!/usr/bin/env bash
# The whole road, as a pupil takes it: the toolbar's menu entry "Read convert
# .wav ( 1 channel; 16 bits) Excel", the open dialog, the chart, OK; the
# workbook ends beside the recording and the shell is asked to open it.
# Usage: route_conversion.sh QUORVA_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 recording=$2 shots=$3
mkdir -p "$shots"
CAPTURE_ECHEC="$shots/route_failure.png"
dossier_temporaire travail

# English, through the language preference under the temporary folder.
export TMPDIR="$travail/tmp"
mkdir -p "$TMPDIR/quorva"
printf 'langue=1\r\n' > "$TMPDIR/quorva/langue_quorva.txt"
mkdir -p "$travail/rec"
cp "$recording" "$travail/rec/essai.wav"

demarrer_xvfb 1366x768x24
demarrer_openbox
installer_xdg_open
lancer QUORVA "$quorva"
toolbar=$(attendre_fenetre Quorva 10) || echec "no toolbar"

# The arrival: the toolbar settles in the top-right corner with its menu open.
attendre_arrivee "$toolbar" || echec "toolbar at $X,$Y after its arrival"
toolbar_x=$X toolbar_y=$Y
# Its menu hangs 20 pixels below the toolbar's top (the screen's edge may
# push it to the left).
menu=""
for _ in $(seq 30); do
    for id in $(fenetres_de "$QUORVA"); do
        [ "$id" = "$toolbar" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$Y" = $((toolbar_y + 20)) ] && [ "$HEIGHT" -gt 100 ] && { menu=$id; break 2; }
    done
    sleep 0.1
done
[ -n "$menu" ] || echec "no menu open after the arrival"
import -window root "$shots/toolbar_menu.png"
X=$toolbar_x Y=$toolbar_y
xdotool key Escape
sleep 0.3

# A click on the label opens the menu; the entry is the sixth one offered;
# the open dialog takes the recording's path.
convertir_par_menu "$X" "$Y" "$travail/rec/essai.wav"

# The chart: the program's visible window 1130 pixels wide.
chart=$(attendre_chart "$QUORVA")
[ -n "$chart" ] || echec "no chart"
# One second after it opens, the chart shows its help in a message box,
# above the chart; Return closes it.
sleep 2
import -window root "$shots/chart_help.png"
xdotool key Return
sleep 0.5
import -window root "$shots/chart.png"
# OK stands at (1000, 208), 75 x 25, in the chart.
xdotool mousemove --window "$chart" 1037 220 click 1

attendre_ouverture "essai.wav.slk" 20 || echec "the workbook was not handed to the shell: $(cat "$OUVERTURES")"
[ -s "$travail/rec/essai.wav.slk" ] || echec "no workbook beside the recording"
head -c 4 "$travail/rec/essai.wav.slk" | grep -q "ID;P" || echec "the workbook is not SYLK"
[ -s "$travail/rec/essai.wav.txt" ] || echec "OK did not save the marks"
vivant "$QUORVA" || echec "quorva ended"
echo "road ok"
