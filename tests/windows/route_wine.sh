#!/usr/bin/env bash
# The whole road of a recording through quorva.exe under Wine, as a pupil
# takes it: the menu entry "Read convert .wav ( 1 channel; 16 bits) Excel",
# Windows' open dialog, the chart with its help, OK; the workbook and the
# marks file end beside the recording and the shell is asked to open the
# workbook. The shell's answer is observed through a file type of the
# test's own: .slk opened by RECORDER --document "%1", which writes
# FILE.ouvert (tests/windows/platform_win32_test.cpp).
# Usage: route_wine.sh QUORVA.EXE RECORDER.EXE RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau_wine.sh"
quorva=$1 enregistreur=$2 enregistrement=$3 shots=$4
debut_essai "$shots" wine_route_failure.png
mkdir "$travail/rec"
cp "$enregistrement" "$travail/rec/essai.wav"

# English, through the language preference in the prefix's temporary folder.
temp_du_prefixe
preferer_anglais "$temp"
associer_enregistreur .slk "$enregistreur"

demarrer_xvfb 1366x768x24
demarrer_openbox
demarrer_quorva_exe "$quorva"

# A click on the label opens the menu; the entry is the sixth one.
xdotool mousemove 1307 30 click 1
attendre 10 menu_ouvert "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
sleep 0.5
import -window root "$shots/wine_menu.png"
xdotool key Down Down Down Down Down Down Return

# Windows' open dialog (Wine's): the recording's path, then Return.
choisir_enregistrement "$travail/rec/essai.wav"

# The chart: the program's window 1130 pixels wide.
attendre 30 graphique || echec "no chart"
graphique
# One second after it opens the chart shows its help in a message box: its
# six lines one per line, not run together.
aide=""
boite_aide() {
    local id
    for id in $(fenetres_de "$QUORVA"); do
        [ "$id" = "$chart" ] || [ "$id" = "$barre" ] && continue
        [ "$(xdotool getwindowname "$id")" = Quorva ] && { aide=$id; return 0; }
    done
    return 1
}
attendre 10 boite_aide || echec "no help box over the chart"
boite_aide
sleep 1
import -window root "$shots/wine_chart_help.png"
eval "$(xdotool getwindowgeometry --shell "$aide")"
echo "help box ${WIDTH}x${HEIGHT}"
[ "$HEIGHT" -ge 150 ] || echec "the help box is ${WIDTH}x${HEIGHT}: its lines run together"
xdotool windowactivate --sync "$aide" >/dev/null 2>&1 || true
xdotool key Return
sleep 1
import -window root "$shots/wine_chart.png"
# OK stands at (1000, 208), 75 x 25, in the chart.
xdotool mousemove --window "$chart" 1037 220 click 1

attendre 30 test -s "$travail/rec/essai.wav.slk.ouvert" || echec "the shell was not asked to open the workbook"
grep -qi 'essai.wav.slk' "$travail/rec/essai.wav.slk.ouvert" || echec "the shell opened $(cat "$travail/rec/essai.wav.slk.ouvert")"
head -c 4 "$travail/rec/essai.wav.slk" | grep -q "ID;P" || echec "no SYLK workbook beside the recording"
[ -s "$travail/rec/essai.wav.txt" ] || echec "OK did not save the marks"
vivant "$QUORVA" || echec "quorva.exe ended"
echo "road ok"
