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
temp=$(dossier_temp_windows)
[ -d "$temp" ] || echec "no temporary folder in the Wine prefix: '$temp'"
preferer_anglais "$temp"
reg() { "$QUORVA_WINE" reg add "$@" /f >/dev/null 2>&1 || echec "reg add $*"; }
reg 'HKCR\.slk' /ve /d Quorva.ClasseurEssai
reg 'HKCR\Quorva.ClasseurEssai\shell\open\command' /ve /d "\"$(chemin_windows "$enregistreur")\" --document \"%1\""

demarrer_xvfb 1366x768x24
demarrer_openbox
lancer_windows QUORVA "$quorva"
barre=$(attendre_fenetre Quorva 60) || echec "no toolbar"
arrivee() {
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    [ "$X" = 1237 ] && [ "$Y" = 18 ]
}
attendre 15 arrivee || echec "the toolbar did not reach the top-right corner"
attendre 10 menu_ouvert "$QUORVA" "$barre" || echec "no menu after the arrival"
xdotool key Escape
menu_ferme() { ! menu_ouvert "$QUORVA" "$barre"; }
attendre 10 menu_ferme || echec "Escape left the menu open"

# A click on the label opens the menu; the entry is the sixth one.
xdotool mousemove 1307 30 click 1
attendre 10 menu_ouvert "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
sleep 0.5
import -window root "$shots/wine_menu.png"
xdotool key Down Down Down Down Down Down Return

# Windows' open dialog (Wine's): the recording's path, then Return.
dialogue=""
dialogue_ouvert() {
    local id
    for id in $(fenetres_de "$QUORVA"); do
        [ "$id" != "$barre" ] && { dialogue=$id; return 0; }
    done
    return 1
}
attendre 20 dialogue_ouvert || echec "no open dialog"
dialogue_ouvert
sleep 1
xdotool windowactivate --sync "$dialogue" >/dev/null 2>&1 || true
xdotool type --delay 20 "$(chemin_windows "$travail/rec/essai.wav")"
xdotool key Return

# The chart: the program's window 1130 pixels wide.
chart=""
graphique() {
    local id
    for id in $(fenetres_de "$QUORVA"); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" = 1130 ] && { chart=$id; return 0; }
    done
    return 1
}
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
