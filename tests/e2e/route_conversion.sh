#!/usr/bin/env bash
# The whole road, as a pupil takes it: the toolbar's menu entry "Read convert
# .wav ( 1 channel; 16 bits) Excel", the open dialog, the chart, OK; the
# workbook ends beside the recording and the shell is asked to open it.
# Usage: route_conversion.sh QUORVA_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 recording=$2 shots=$3
debut_essai "$shots" route_failure.png

# English, through the language preference under the temporary folder.
export TMPDIR="$travail/tmp"
preferer_anglais "$TMPDIR"
mkdir -p "$travail/rec"
cp "$recording" "$travail/rec/essai.wav"

# The arrival: the toolbar settles in the top-right corner with its menu open.
demarrer_barre "$quorva"
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

# The menu's conversion entry, the open dialog, the chart and its help.
convertir_jusqu_au_chart "$travail/rec/essai.wav" "$shots/chart_help.png"
import -window root "$shots/chart.png"
# OK stands at (1000, 208), 75 x 25, in the chart.
xdotool mousemove --window "$chart" 1037 220 click 1

attendre_ouverture "essai.wav.slk" 20 || echec "the workbook was not handed to the shell: $(cat "$OUVERTURES")"
[ -s "$travail/rec/essai.wav.slk" ] || echec "no workbook beside the recording"
head -c 4 "$travail/rec/essai.wav.slk" | grep -q "ID;P" || echec "the workbook is not SYLK"
[ -s "$travail/rec/essai.wav.txt" ] || echec "OK did not save the marks"
vivant "$QUORVA" || echec "quorva ended"
echo "road ok"
