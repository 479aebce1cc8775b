#!/usr/bin/env bash
# quorva.exe under Wine: the language flag's round trip, then the chart with
# the keyboard alone.
#   - Without a language preference in the prefix's %TEMP%\quorva, the
#     program starts in French and writes langue=2; a click on the flag
#     switches to English and writes langue=1; "Quit Quorva" ends it and the
#     next start reads English back (the workbook below is the English one).
#   - The recording read through the menu entry "Read convert .wav" and
#     Wine's open dialog; in the chart Tab to the first mark, Right (one
#     sample later), Ctrl+Z, Ctrl+Y, Enter: the marks file holds the marks
#     quorva-convert.exe --accept detects, the first a sample later, and the
#     shell is asked to open the workbook (RECORDER --document "%1").
# Usage: clavier_langue_wine.sh QUORVA.EXE QUORVA-CONVERT.EXE RECORDER.EXE RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau_wine.sh"
quorva=$1 convert=$2 enregistreur=$3 enregistrement=$4 shots=$5
debut_essai "$shots" wine_keyboard_language_failure.png
mkdir "$travail/rec" "$travail/ref"
cp "$enregistrement" "$travail/rec/essai.wav"
cp "$enregistrement" "$travail/ref/essai.wav"

temp_du_prefixe
preference=$temp/quorva/langue_quorva.txt
rm -rf "$temp/quorva"
associer_enregistreur .slk "$enregistreur"

# The marks as detected: what the chart's OK saves when nothing was changed.
(cd "$travail/ref" && "$QUORVA_WINE" "$convert" --lang en --accept essai.wav >/dev/null) ||
    echec "quorva-convert.exe failed"
positions() { awk 'p == 1 { n = $1 + 0; p = 2; next } p == 2 && n > 0 { if (k++ % 2 == 0) printf "%d\n", $1 + 0; if (k == 2 * n) exit } /^Pointes\r?$/ { p = 1 }' "$1"; }
mapfile -t detectees < <(positions "$travail/ref/essai.wav.txt")
((${#detectees[@]} >= 1)) || echec "no mark detected in the recording"

demarrer_xvfb 1366x768x24
demarrer_openbox
# Ended: gone, or a zombie the script has not waited for yet.
fini() {
    local etat
    etat=$(ps -o stat= -p "$1" 2>/dev/null)
    [ -z "$etat" ] || [[ $etat == Z* ]]
}
langue() { [ "$(tr -d '\r' < "$preference" 2>/dev/null)" = "langue=$1" ]; }

echo "== language flag"
demarrer_quorva_exe "$quorva"
attendre 10 langue 2 || echec "no French preference at the first start: $(cat "$preference" 2>/dev/null)"
# The flag stands at the left end of the toolbar.
xdotool mousemove 1252 30 click 1
attendre 10 langue 1 || echec "the flag did not switch to English: $(cat "$preference")"
sleep 0.5
import -window root "$shots/wine_flag_english.png"
# "Quit Quorva", the menu's last entry (the click on the flag may have
# opened the menu as well: closed first).
xdotool key Escape
attendre 10 menu_ferme || echec "Escape left the menu open"
ouvrir_menu_barre "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
xdotool key Up Return
attendre 20 fini "$QUORVA" || echec "Quit Quorva did not end the program"
demarrer_quorva_exe "$quorva"
langue 1 || echec "the second start did not keep English: $(cat "$preference")"

echo "== chart by the keyboard"
ouvrir_menu_barre "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
xdotool key Down Down Down Down Down Down Return
choisir_enregistrement "$travail/rec/essai.wav"
attendre 30 graphique || echec "no chart"
graphique
repondre_aide_chart "$QUORVA" "$chart" "$barre" "" || echec "the chart's help box did not close"
sleep 0.5
# The mouse stays away from the curve: only the keyboard acts.
xdotool mousemove 5 760
xdotool windowactivate --sync "$chart" >/dev/null 2>&1 || true
for touche in Tab Right; do
    xdotool key "$touche"
    sleep 0.3
done
import -window root "$shots/wine_chart_keyboard.png"
for touche in ctrl+z ctrl+y Return; do
    xdotool key "$touche"
    sleep 0.3
done

attendre 30 test -s "$travail/rec/essai.wav.slk.ouvert" || echec "the shell was not asked to open the workbook"
[ -s "$travail/rec/essai.wav.txt" ] || echec "OK did not save the marks"
mapfile -t sauvees < <(positions "$travail/rec/essai.wav.txt")
attendu=("${detectees[@]}")
attendu[0]=$((detectees[0] + 1))
[ "${sauvees[*]}" = "${attendu[*]}" ] || echec "saved marks ${sauvees[*]:0:5}... expected ${attendu[*]:0:5}..."
grep -a -q '^C;Y1;X1;K"Stick-slip' "$travail/rec/essai.wav.slk" || echec "the workbook is not the English one"
vivant "$QUORVA" || echec "quorva.exe ended"
echo "keyboard and language ok: first mark ${detectees[0]} -> ${sauvees[0]}, ${#sauvees[@]} marks"
