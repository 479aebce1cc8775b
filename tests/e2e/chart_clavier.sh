#!/usr/bin/env bash
# The chart with the keyboard alone, in the real program: a recording read
# through the menu, then Tab to the first mark, Right (one sample later),
# Ctrl+Z, Ctrl+Y, Enter. The marks file saved by OK holds the detected
# marks with the first one a sample later; the workbook is opened.
# Usage: chart_clavier.sh QUORVA_BINARY QUORVA_CONVERT_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 convert=$2 recording=$3 shots=$4
mkdir -p "$shots"
CAPTURE_ECHEC="$shots/chart_keyboard_failure.png"
dossier_temporaire travail

export TMPDIR="$travail/tmp"
mkdir -p "$TMPDIR/quorva" "$travail/rec" "$travail/ref"
printf 'langue=1\r\n' > "$TMPDIR/quorva/langue_quorva.txt"
cp "$recording" "$travail/rec/essai.wav"
cp "$recording" "$travail/ref/essai.wav"

# The marks as detected: what the chart's OK saves when nothing was changed.
"$convert" --accept "$travail/ref/essai.wav" >/dev/null || echec "quorva-convert failed"
positions() { awk 'p == 1 { n = $1 + 0; p = 2; next } p == 2 && n > 0 { if (k++ % 2 == 0) printf "%d\n", $1 + 0; if (k == 2 * n) exit } /^Pointes\r?$/ { p = 1 }' "$1"; }
mapfile -t detectees < <(positions "$travail/ref/essai.wav.txt")
((${#detectees[@]} >= 1)) || echec "no mark detected in the recording"

demarrer_xvfb 1366x768x24
demarrer_openbox
installer_xdg_open
lancer QUORVA "$quorva"
toolbar=$(attendre_fenetre Quorva 10) || echec "no toolbar"
# Let the arrival end (the toolbar glides to the corner and opens its menu).
attendre_arrivee "$toolbar" || echec "toolbar at $X,$Y after its arrival"
sleep 1
xdotool key Escape
sleep 0.3
convertir_par_menu "$X" "$Y" "$travail/rec/essai.wav"
chart=$(attendre_chart "$QUORVA")
[ -n "$chart" ] || echec "no chart"
# The help box comes a second after the chart; Return closes it. The
# mouse stays away from the curve: Insert and the status line do not
# depend on it here.
sleep 2
xdotool key Return
sleep 0.5
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
