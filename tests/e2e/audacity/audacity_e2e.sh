#!/usr/bin/env bash
# The road of one stick-slip recording through the real program, under its
# own Xvfb and openbox: the menu entry "Audacity for stick-slip ... Local"
# prepares the preferences of the local copy and starts it (a stand-in
# script in place of audacity.exe), the stand-in exports a recording into
# the folder the preferences name, the export watcher converts it, the chart
# is answered with xdotool, the workbook appears beside the recording and the
# stub xdg-open records that it was opened.
# Usage: audacity_e2e.sh <quorva> <demo data folder fic_quorva>
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
. "$ici/../bureau.sh"
quorva=$1
donnees=$2

demarrer_xvfb
demarrer_openbox

# The program folder: a copy of the program with the demo data folder and
# the stand-in where the local Audacity copy lives. chemin_appli is the
# program folder in lower case, so its path has no capital letter.
dossier_temporaire racine /tmp
prog=$racine/prog
mkdir -p "$prog"
cp "$quorva" "$prog/quorva"
cp -r "$donnees" "$prog/fic_quorva"
mkdir -p "$prog/fic_quorva/audacity"
cp "$ici/audacity.exe" "$prog/fic_quorva/audacity/audacity.exe"
chmod +x "$prog/fic_quorva/audacity/audacity.exe"
enreg=$prog/fic_quorva/audacity/patin_tracte
cfg="$prog/fic_quorva/audacity/Portable Settings/audacity.cfg"

# A 3-second mono 16-bit recording at 1000 Hz whose loudness swells and
# fades like the skid's vibrations.
export E2E_WAV=$racine/source.wav
sox -n -r 1000 -b 16 -c 1 -e signed-integer "$E2E_WAV" synth 3 sine 40 tremolo 1 100 vol 0.5 ||
    echec "sox ne produit pas l'enregistrement"
export E2E_AUDACITY_LOG=$racine/audacity.log

# Home, desktop and temporary folder of the test's own; xdg-open recorded.
maison=$racine/maison
mkdir -p "$maison"
export HOME=$maison TMPDIR=$maison XDG_CONFIG_HOME=$maison/.config LC_ALL=C.UTF-8
installer_xdg_open
cd "$maison"

echo "== Quorva"
lancer QUORVA "$prog/quorva"
id_barre=$(attendre_fenetre Quorva 30) || echec "pas de barre Quorva"
# The arrival animation glides the toolbar to the top-right corner and opens
# the menu once; let it end, then close that menu.
position() { xdotool getwindowgeometry "$id_barre" | sed -n 's/.*Position: \([0-9,]*\).*/\1/p'; }
p1=""
for _ in $(seq 60); do
    sleep 0.5
    p2=$(position)
    [ -n "$p2" ] && [ "$p2" = "$p1" ] && break
    p1=$p2
done
sleep 1
xdotool key Escape
sleep 0.5
vivant "$QUORVA" || echec "Quorva s'est arrete au demarrage"

echo "== menu: Audacity for stick-slip Local"
# The entries shown before it depend on the data folder; try the first
# entries of the menu in turn (documents go to the stub xdg-open) until the
# stick-slip launch has written the preferences. It comes before the
# conversion entry and "Quit Quorva".
lance=0
for k in $(seq 1 25); do
    xdotool mousemove --window "$id_barre" 60 13 click 1
    sleep 0.7
    for _ in $(seq "$k"); do xdotool key Down; done
    xdotool key Return
    if attendre 3 test -f "$cfg"; then
        lance=$k
        break
    fi
    # A submenu may have opened instead: close everything.
    xdotool key Escape Escape Escape
    sleep 0.3
    vivant "$QUORVA" || echec "Quorva s'est arrete sur l'entree $k du menu"
done
[ "$lance" -gt 0 ] || echec "l'entree Audacity pour patin-tracte n'a pas ecrit $cfg"
echo "   entree $lance du menu"

echo "== preferences et lancement"
# The preferences are written twice (the template, then the keys set): the
# stand-in starts after the second.
attendre 10 grep -q '^export=' "$E2E_AUDACITY_LOG" || echec "le remplacant d'Audacity n'a pas ete lance"
[ "$(tr -d '\r' < "$cfg" | wc -l)" -eq 110 ] || echec "audacity.cfg de $(wc -l < "$cfg") lignes, 110 attendues"
grep -a -q $'^RecordChannels=1\r$' "$cfg" || echec "RecordChannels=1 absent"
grep -a -q $'^DefaultProjectSampleRate=1000\r$' "$cfg" || echec "DefaultProjectSampleRate=1000 absent"
grep -a -q "^DefaultOpenPath=$enreg/"$'\r$' "$cfg" || echec "DefaultOpenPath n'est pas le dossier patin_tracte"
[ -d "$enreg" ] || echec "dossier $enreg absent"
grep -q "^export=$enreg\$" "$E2E_AUDACITY_LOG" || echec "export vers $(grep '^export=' "$E2E_AUDACITY_LOG")"

echo "== exportation et graphique"
# Windows already open (section windows the menu walk may have opened) are
# not the chart's help.
deja_la=$(fenetres_de "$QUORVA" | tr '\n' ' ' || true)
attendre 20 grep -q '^exported' "$E2E_AUDACITY_LOG" || echec "pas d'exportation: $(cat "$E2E_AUDACITY_LOG")"
chart=$(attendre_fenetre essai.wav 30) || echec "le graphique de essai.wav ne s'ouvre pas"
graphique_ferme() { ! grep -qx "$chart" <<<"$(fenetres_titre essai.wav)"; }
repondre_aide_chart "$QUORVA" "$chart" "$id_barre" "$deja_la" || echec "l'aide du graphique ne se ferme pas"
xdotool mousemove --window "$chart" 1037 220 click 1
attendre 5 graphique_ferme || echec "OK ne ferme pas le graphique"

echo "== classeur"
attendre 30 test -s "$enreg/essai.wav.slk" || echec "pas de classeur $enreg/essai.wav.slk"
head -c 3 "$enreg/essai.wav.slk" | grep -q '^ID;' || echec "le classeur ne commence pas par ID;"
attendre_ouverture 'essai\.wav\.slk' 10 || echec "le classeur n'a pas ete ouvert: $(cat "$OUVERTURES")"
grep 'essai\.wav\.slk' "$OUVERTURES" | grep -q "^$enreg/essai.wav.slk\$" ||
    echec "ouvert: $(grep 'essai\.wav\.slk' "$OUVERTURES")"
vivant "$QUORVA" || echec "Quorva s'est arrete"

# Known from now on: no second conversion at the following ticks.
sleep 9
[ -z "$(fenetres_titre essai.wav)" ] || echec "essai.wav converti une seconde fois"
[ "$(grep -c 'essai\.wav\.slk' "$OUVERTURES")" -eq 1 ] || echec "classeur ouvert plusieurs fois"
echo "OK"
