#!/usr/bin/env bash
# The Audacity road of quorva.exe under Wine, with a stand-in audacity.exe
# of the tests' own (tests/windows/audacity_remplacant.cpp) in a copy of the
# portable folder, at fic_quorva\audacity\audacity.exe:
#   patin:   "Audacity for stick-slip(1ch;16 bits;1000 hz) Local" writes
#            Portable Settings\audacity.cfg and starts the stand-in, which
#            checks 1000 Hz, one channel, 16-bit and exports the demo
#            recording into the export folder named there; the export
#            watcher opens the chart, OK writes the workbook and the marks
#            file, byte for byte those of the Linux quorva-convert --accept
#            (English both), and the shell is asked to open the workbook
#            (a file type of the test's own: RECORDER --document "%1").
#   vitesse: "Audacity for speed wave (2ch;22 KHz) Local": 22050 Hz, two
#            channels, 32-bit float; the stand-in exports into the
#            wave-speed folder, which no watcher converts.
#   long:    the stick-slip road from a program folder whose Windows path
#            has 300 characters, beyond what the shell takes: the stand-in
#            starts, the workbook is opened (by its short name).
# With NAME (tests/windows/noms_wine.sh), the portable folder is copied as a
# folder of that name, the user's %TEMP% is a folder of that name (the
# language preference there is kept) and the export is NAME.wav.
# Usage: audacity_wine.sh patin|vitesse|long PORTABLE_FOLDER STAND-IN.EXE RECORDER.EXE
#        LINUX_QUORVA-CONVERT RECORDING.wav SCREENSHOT_FOLDER [NAME]
set -u
. "$(dirname "$0")/bureau_wine.sh"
route=$1 paquet=$2 remplacant=$3 enregistreur=$4 convert_linux=$5 demo=$6 shots=$7 nom=${8:-}
entree=${route/long/patin}
exporte=${nom:-essai}.wav
if [ "$entree" = patin ] && [ ! -x "$convert_linux" ]; then
    echo "the Linux quorva-convert is not built ($convert_linux): build the Linux side first"
    exit 77
fi
debut_essai "$shots" "wine_audacity_${route}_failure.png"

# The portable folder copied, the stand-in where the local Audacity lives.
prog=$travail/${nom:-Quorva}
if [ "$route" = long ]; then
    # Folders of at most 150 characters, then Quorva (xQuorva to make up
    # the last one).
    prog=$travail reste=$((300 - ${#travail} - 2 - 7))
    while [ "$reste" -gt 1 ]; do
        n=$((reste > 151 ? 150 : reste - 1))
        prog=$prog/$(printf 'd%.0s' $(seq "$n")) reste=$((reste - n - 1))
    done
    prog=$prog/$([ "$reste" -eq 1 ] && echo x)Quorva
    [ "$(chemin_windows "$prog" | wc -m)" -eq 300 ] || echec "the program folder is not 300 characters"
    mkdir -p "$(dirname "$prog")"
fi
cp -r "$paquet" "$prog"
aud=$prog/fic_quorva/audacity
mkdir -p "$aud"
cp "$remplacant" "$aud/audacity.exe"
case $entree in
    # Down presses from the top of the menu (English, the portable folder's
    # data): About, PLINKA's section and document, STICK SLIP, then this.
    patin) bas=5 taux=1000 canaux=1 format=131073 dossier=patin_tracte
        cp "$demo" "$travail/source.wav" ;;
    # ... the stick-slip help, the conversion, the class summary, WAVES SPEED,
    # then this.
    vitesse) bas=10 taux=22050 canaux=2 format=262159 dossier=vitesse_ondes
        sox -n -r 22050 -b 16 -c 2 -e signed-integer "$travail/source.wav" synth 2 sine 300 sine 500 vol 0.5 ||
            echec "sox made no recording" ;;
    *) echec "unknown entry $entree" ;;
esac
printf 'frequence=%s\r\ncanaux=%s\r\nformat=%s\r\nsource=%s\r\nnom=%s\r\n' "$taux" "$canaux" "$format" \
    "$(chemin_windows "$travail/source.wav")" "$exporte" > "$aud/remplacant.txt"
cfg="$aud/Portable Settings/audacity.cfg"
journal=$aud/remplacant.log
enreg=$aud/$dossier

# English, through the language preference in the prefix's temporary folder;
# workbooks opened by the test's recorder.
if [ -n "$nom" ]; then
    # The prefix's %TEMP% for this start only (Wine takes it from the
    # registry, not from the Unix environment).
    temp=$travail/temp/$nom
    mkdir -p "$temp"
    temp_de_l_utilisateur() { "$QUORVA_WINE" reg add 'HKCU\Environment' /v "$1" /t REG_EXPAND_SZ /d "$2" /f >/dev/null 2>&1; }
    remettre_temp() { temp_de_l_utilisateur TEMP '%USERPROFILE%\Temp' && temp_de_l_utilisateur TMP '%USERPROFILE%\Temp'; }
    trap 'remettre_temp; _arreter_wine_et_tout' EXIT
    temp_de_l_utilisateur TEMP "$(chemin_windows "$temp")" && temp_de_l_utilisateur TMP "$(chemin_windows "$temp")" ||
        echec "the prefix's %TEMP% could not be set"
else
    temp_du_prefixe
fi
preferer_anglais "$temp"
associer_enregistreur .slk "$enregistreur"

demarrer_xvfb 1366x768x24
demarrer_openbox
demarrer_quorva_exe "$prog/quorva.exe"

echo "== menu entry $bas"
ouvrir_menu_barre "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
for _ in $(seq "$bas"); do xdotool key Down; done
sleep 0.3
import -window root "$shots/wine_audacity_${route}_menu.png"
xdotool key Return

echo "== preferences and the stand-in"
attendre 20 grep -q '^export=' "$journal" 2>/dev/null ||
    echec "the stand-in was not started or refused: $(cat "$journal" 2>/dev/null)"
[ -f "$cfg" ] || echec "no $cfg"
grep -a -q $'^DefaultProjectSampleRate='"$taux"$'\r$' "$cfg" || echec "DefaultProjectSampleRate=$taux missing"
grep -a -q $'^RecordChannels='"$canaux"$'\r$' "$cfg" || echec "RecordChannels=$canaux missing"
grep -qi "^export=$(chemin_windows "$enreg" | sed 's/\\/\\\\/g')\$" "$journal" ||
    echec "exported into $(grep '^export=' "$journal"), $(chemin_windows "$enreg") expected"
attendre 20 grep -q '^exported' "$journal" || echec "no export: $(cat "$journal")"
cmp -s "$travail/source.wav" "$enreg/$exporte" || echec "the export is not the recording"

if [ "$entree" = vitesse ]; then
    # The wave-speed recordings are the pupils' own to study: no chart.
    sleep 9
    for id in $(fenetres_de "$QUORVA"); do
        [ "$id" = "$barre" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" = 1130 ] && echec "a chart opened for the wave-speed recording"
    done
    vivant "$QUORVA" || echec "quorva.exe ended"
    echo "vitesse ok"
    exit 0
fi

echo "== chart"
attendre 30 graphique || echec "the watcher opened no chart"
graphique
repondre_aide_chart "$QUORVA" "$chart" "$barre" "" || echec "the chart's help box did not close"
sleep 1
import -window root "$shots/wine_audacity_chart.png"
# OK stands at (1000, 208), 75 x 25, in the chart.
xdotool mousemove --window "$chart" 1037 220 click 1

echo "== workbook"
# From the long folder the shell is given the workbook's short name.
ouvert=$enreg/$exporte.slk.ouvert motif=$exporte.slk
if [ "$route" = long ]; then
    un_ouvert() { ls "$enreg" | grep -qi '\.ouvert$'; }
    attendre 30 un_ouvert || echec "the shell was not asked to open the workbook: $(ls "$enreg")"
    ouvert=$enreg/$(ls "$enreg" | grep -i '\.ouvert$' | head -n 1) motif=.slk
fi
attendre 30 test -s "$ouvert" || echec "the shell was not asked to open the workbook"
grep -qi "$motif" "$ouvert" || echec "the shell opened $(cat "$ouvert")"
mkdir "$travail/linux"
cp "$travail/source.wav" "$travail/linux/$exporte"
(cd "$travail/linux" && LC_ALL=C.UTF-8 "$convert_linux" --lang en --accept "$exporte" >/dev/null) ||
    echec "the Linux quorva-convert failed"
# The workbook's texts are UTF-8 on Linux, Windows-1252 on Windows ("?" for
# a letter it lacks): the Linux one is compared in Windows' code page.
python3 -c 'import sys; t = open(sys.argv[1], encoding="utf-8", newline="").read()
open(sys.argv[1], "wb").write(t.encode("cp1252", "replace"))' "$travail/linux/$exporte.slk" ||
    echec "the Linux workbook is not UTF-8"
for fichier in "$exporte.slk" "$exporte.txt"; do
    [ -s "$enreg/$fichier" ] || echec "quorva.exe wrote no $fichier"
    cmp "$travail/linux/$fichier" "$enreg/$fichier" || echec "$fichier differs from the Linux quorva-convert's"
done
vivant "$QUORVA" || echec "quorva.exe ended"
echo "$route ok"
