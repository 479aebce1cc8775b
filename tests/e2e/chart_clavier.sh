#!/usr/bin/env bash
# The chart with the keyboard alone, in the real program: a recording read
# through the menu, then Tab to the first mark, Right (one sample later),
# Ctrl+Z, Ctrl+Y, Enter. The marks file saved by OK holds the detected
# marks with the first one a sample later; the workbook is opened.
# Usage: chart_clavier.sh QUORVA_BINARY QUORVA_CONVERT_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 convert=$2 recording=$3 shots=$4
debut_essai "$shots" chart_keyboard_failure.png

export TMPDIR="$travail/tmp"
preferer_anglais "$TMPDIR"
mkdir -p "$travail/rec" "$travail/ref"
cp "$recording" "$travail/rec/essai.wav"
cp "$recording" "$travail/ref/essai.wav"

# The marks as detected: what the chart's OK saves when nothing was changed.
"$convert" --accept "$travail/ref/essai.wav" >/dev/null || echec "quorva-convert failed"
positions() { awk 'p == 1 { n = $1 + 0; p = 2; next } p == 2 && n > 0 { if (k++ % 2 == 0) printf "%d\n", $1 + 0; if (k == 2 * n) exit } /^Pointes\r?$/ { p = 1 }' "$1"; }
mapfile -t detectees < <(positions "$travail/ref/essai.wav.txt")
((${#detectees[@]} >= 1)) || echec "no mark detected in the recording"

# Let the arrival end (the toolbar glides to the corner and opens its menu).
demarrer_barre "$quorva"
sleep 1
# The mouse stays away from the curve: Insert and the status line do not
# depend on it here.
convertir_jusqu_au_chart "$travail/rec/essai.wav"
xdotool key Tab
sleep 0.2
xdotool key Right
sleep 0.2
import -window root "$shots/chart_keyboard.png"
xdotool key ctrl+z
sleep 0.2
xdotool key ctrl+y
sleep 0.2
xdotool key Return

attendre_ouverture "essai.wav.slk" 20 || echec "the workbook was not handed to the shell"
[ -s "$travail/rec/essai.wav.txt" ] || echec "OK did not save the marks"
mapfile -t sauvees < <(positions "$travail/rec/essai.wav.txt")
attendu=("${detectees[@]}")
attendu[0]=$((detectees[0] + 1))
[ "${sauvees[*]}" = "${attendu[*]}" ] ||
    echec "saved marks ${sauvees[*]:0:5}... expected ${attendu[*]:0:5}..."
vivant "$QUORVA" || echec "quorva ended"
echo "chart keyboard ok: first mark ${detectees[0]} -> ${sauvees[0]}, ${#sauvees[@]} marks"
