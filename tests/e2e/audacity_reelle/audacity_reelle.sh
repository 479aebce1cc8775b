#!/usr/bin/env bash
# The real Audacity in the loop, under the test's own Xvfb and openbox. The
# program folder holds, where Quorva looks for Audacity, a launcher
# (lanceur_audacity.sh) that starts a copy of the installed Audacity placed
# beside it, so that the "Portable Settings" Quorva writes are the ones it
# reads. The menu entry is chosen with xdotool; through Audacity's scripting
# pipes the test asks Audacity what it read (GetPreference), imports a
# recording and exports it into the recording folder (Import2, Export2).
#   patin:   "Audacity for stick-slip(1ch;16 bits;1000 hz) Local", launcher
#            named audacity.exe; the export watcher opens the chart, OK
#            writes the workbook and the marks file, the workbook is opened.
#   vitesse: "Audacity for speed wave (2ch;22 KHz) Local" on a fresh copy in
#            a folder named Łukasz, launcher named audacity (the Linux name
#            Quorva looks for first).
# Audacity's pipes have fixed names (/tmp/audacity_script_pipe.*.<uid>): the
# two runs hold one ctest resource lock.
# Usage: audacity_reelle.sh <quorva> <demo data folder fic_quorva> patin|vitesse [artefacts folder]
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
. "$ici/../bureau.sh"
quorva=$1
donnees=$2
entree=$3
artefacts=${4:-}

module_installe=/usr/lib/audacity/modules/mod-script-pipe.so
if [ ! -x /usr/bin/audacity ] || [ ! -f "$module_installe" ]; then
    echo "SKIP: the audacity package (with mod-script-pipe) is not installed: apt-get install audacity"
    exit 77
fi

demarrer_xvfb
demarrer_openbox

# The program folder; its path has no capital letter of A to Z (chemin_appli
# is the program folder with those in lower case). For the wave speed it is
# named with a letter outside Windows-1252: Audacity must read its folders
# whole from the UTF-8 preferences. (Audacity's own files are reached
# through a link from a plain name: this Audacity finds neither its
# portable settings nor its module under such a name.)
dossier_temporaire racine /tmp
prog=$racine/prog
[ "$entree" = vitesse ] && prog=$racine/Łukasz
aud=$prog/fic_quorva/audacity
mkdir -p "$prog"
cp "$quorva" "$prog/quorva"
cp -r "$donnees" "$prog/fic_quorva"
mkdir -p "$aud" "$racine/audacity-temp"
mv "$aud" "$racine/audacity"
ln -s "$racine/audacity" "$aud"
cp /usr/bin/audacity "$aud/audacity-reelle"
ln -s "$(dirname "$module_installe")" "$aud/modules"
case $entree in
    patin) lanceur=audacity.exe taux=1000 canaux=1 dossier=patin_tracte ;;
    vitesse) lanceur=audacity taux=22050 canaux=2 dossier=vitesse_ondes ;;
    *) echec "entree inconnue: $entree" ;;
esac
cp "$ici/lanceur_audacity.sh" "$aud/$lanceur"
chmod +x "$aud/$lanceur"
cfg="$aud/Portable Settings/audacity.cfg"
enreg=$aud/$dossier
export E2E_AUDACITY_LOG=$racine/audacity.log E2E_AUDACITY_TEMP=$racine/audacity-temp E2E_TAUX_VOULU=$taux
: >"$E2E_AUDACITY_LOG"

# The recording Audacity imports: the demo stick-slip recording (mono,
# 16-bit, 1000 Hz), two channels at 22050 Hz for the wave speed.
source_wav=$racine/source.wav
if [ "$entree" = patin ]; then
    cp "$donnees/TP/TP_patin_tracte/patin_tracte_demo.wav" "$source_wav"
else
    sox -n -r 22050 -b 16 -c 2 -e signed-integer "$source_wav" synth 2 sine 300 sine 500 vol 0.5 ||
        echec "sox ne produit pas l'enregistrement"
fi

maison=$racine/maison
mkdir -p "$maison"
export HOME=$maison TMPDIR=$maison XDG_CONFIG_HOME=$maison/.config XDG_RUNTIME_DIR=$maison/run LC_ALL=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
installer_xdg_open
cd "$maison"
if [ -n "$artefacts" ]; then
    mkdir -p "$artefacts"
    CAPTURE_ECHEC=$artefacts/audacity_reelle_$entree.png
fi

# Audacity is no child of ours (Quorva starts it): stopped by its id, which
# the launcher recorded, at the end whatever happens.
pid_audacity() { sed -n 's/^audacity \([0-9]*\)$/\1/p' "$E2E_AUDACITY_LOG" | tail -n 1; }
arreter_audacity() {
    local pid
    pid=$(pid_audacity)
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
}
fin() {
    exec 3>&- 4<&- || true
    arreter_audacity
    arreter_tout
}
trap fin EXIT

echo "== Audacity une premiere fois"
# Its first start looks for plugins in processes of its own ("--host"),
# which load the scripting module too and make its pipes anew, while
# Audacity waits on the ones it made: never connected. A first start with
# the same module (through the launcher) does that search once for all; the
# preferences then go: Quorva finds a copy whose preferences were never
# written. The search runs before Audacity shows its window, and on a loaded
# machine its file may be written before it starts: it is over once the
# window shows and no process of Audacity's own has run for two seconds.
reglages="$aud/Portable Settings"
mkdir -p "$reglages"
printf '[Directories]\r\nTempDir=\r\n' >"$reglages/audacity.cfg"
E2E_TAUX_VOULU='' lancer PREMIER "$aud/$lanceur"
scanne() {
    [ -s "$reglages/pluginregistry.cfg" ] && fenetres_titre Audacity >/dev/null && [ -z "$(pgrep -P "$PREMIER")" ]
}
attendre 180 scanne || echec "Audacity ne termine pas sa recherche de greffons"
sleep 2
attendre 60 scanne || echec "Audacity ne termine pas sa recherche de greffons"
kill "$PREMIER"
attendre 20 termine "$PREMIER" || kill -9 "$PREMIER"
wait "$PREMIER" 2>/dev/null || true
rm -f "$reglages/audacity.cfg"
rm -rf "$E2E_AUDACITY_TEMP"/*
: >"$E2E_AUDACITY_LOG"

echo "== Quorva"
lancer QUORVA "$prog/quorva"
id_barre=$(attendre_fenetre Quorva 30) || echec "pas de barre Quorva"
# The arrival glides the toolbar to the top-right corner and opens the menu
# once: let it end, then close that menu.
attendre_arrivee "$id_barre" || echec "la barre ne s'installe pas dans le coin"
sleep 1
xdotool key Escape
sleep 0.5
vivant "$QUORVA" || echec "Quorva s'est arrete au demarrage"

echo "== menu: l'entree Audacity ($entree)"
# The entries before it depend on the data folder: try the entries in turn
# (documents go to the stub xdg-open) until the launcher says that Audacity
# starts with this practical's rate and no project (not the shake tables).
# Each time the menu is seen open before the keys are pressed.
demarre() { grep -q '^audacity ' "$E2E_AUDACITY_LOG"; }
# Pipes left by an Audacity of before are not this one's: it makes its own.
depart=$(date +%s)
for k in $(seq 1 30); do
    ouvrir_menu "$QUORVA" "$id_barre" || echec "un clic sur la barre n'ouvre pas le menu (entree $k)"
    for _ in $(seq "$k"); do xdotool key Down; done
    xdotool key Return
    attendre 3 demarre && break
    xdotool key Escape Escape Escape
    sleep 0.3
    vivant "$QUORVA" || echec "Quorva s'est arrete sur l'entree $k du menu: $(cat "$E2E_AUDACITY_LOG")"
done
demarre || echec "aucune entree n'a lance Audacity a $taux Hz: $(cat "$E2E_AUDACITY_LOG")"
echo "   entree $k, Audacity $(pid_audacity)"

echo "== Audacity et ses tuyaux"
vers=/tmp/audacity_script_pipe.to.$(id -u)
depuis=/tmp/audacity_script_pipe.from.$(id -u)
tuyaux() {
    [ -p "$vers" ] && [ -p "$depuis" ] &&
        [ "$(stat -c %Z "$vers")" -ge "$depart" ] && [ "$(stat -c %Z "$depuis")" -ge "$depart" ]
}
attendre 90 tuyaux || echec "Audacity n'ouvre pas ses tuyaux de script"
# The first-run welcome box: closed when it shows.
if id=$(attendre_fenetre "Welcome to Audacity!" 20); then
    xdotool windowactivate --sync "$id" key --clearmodifiers Return 2>/dev/null || true
fi
# Read-write, so that neither open waits for Audacity. The plugin scanner
# Audacity starts (a second process of its own, "--host") loads the module
# too and makes the pipes anew: they are ours once Audacity itself holds
# them open under their names. A command without an answer opens them again.
connecte() { ls -l "/proc/$(pid_audacity)/fd" 2>/dev/null | grep -q -- "-> $vers\$"; }
ouvrir_tuyaux() {
    local essai
    for essai in $(seq 20); do
        exec 3>&- 4<&- || true
        attendre 30 tuyaux || echec "les tuyaux de script ont disparu"
        exec 3<>"$vers" 4<>"$depuis"
        attendre 3 connecte && return 0
    done
    echec "Audacity ne se relie pas a ses tuyaux de script"
}
ouvrir_tuyaux

# Sends one command; its answer goes to $reponse, read up to the line that
# ends it ("BatchCommand finished: ..."; an answer may hold empty lines
# before it), then the empty line that follows. Fails when that line has
# not come within $2 seconds (10) of the sending.
commande() {
    local ligne fin=$((SECONDS + ${2:-10}))
    reponse=""
    printf '%s\n' "$1" >&3
    while [ "$SECONDS" -lt "$fin" ] && IFS= read -r -t "$((fin - SECONDS))" ligne <&4; do
        reponse+="$ligne"$'\n'
        if [[ $ligne == "BatchCommand finished: "* ]]; then
            IFS= read -r -t 1 ligne <&4 || true
            return 0
        fi
    done
    return 1
}
# A command whose answer must end with "finished: OK"; sent again, on
# pipes opened again, while Audacity does not answer.
commande_ok() {
    local essai
    for essai in $(seq 8); do
        if commande "$1" "${2:-10}"; then
            grep -q 'finished: OK' <<<"$reponse" && return 0
            echec "Audacity repond a \"$1\": $reponse"
        fi
        ouvrir_tuyaux
    done
    echec "pas de reponse d'Audacity a: $1"
}
preference() {
    commande_ok "GetPreference: Name=\"$1\"" 5
    awk '!/^BatchCommand finished: / && $0 != "" { print; exit }' <<<"$reponse"
}
attendu() {
    local valeur
    valeur=$(preference "$1")
    [ "$valeur" = "$2" ] || echec "Audacity lit $1=\"$valeur\", \"$2\" attendu"
}

echo "== ce que Quorva a ecrit et qu'Audacity a lu"
attendu SamplingRate/DefaultProjectSampleRate "$taux"
attendu AudioIO/RecordChannels "$canaux"
if [ "$entree" = patin ]; then
    attendu SamplingRate/DefaultProjectSampleFormat 131073
    # Audacity 3's open and export folders, and Audacity 2's.
    attendu Directories/Open/Default "$enreg/"
    attendu Directories/Export/Default "$enreg/"
    attendu Directories/DefaultOpenPath "$enreg/"
    attendu Export/DefaultExportPath "$enreg/"
else
    attendu Directories/Open/Default "$enreg"
    attendu Directories/Export/Default "$enreg"
    attendu Directories/DefaultOpenPath "$enreg"
fi

echo "== importation et exportation"
deja_la=$(fenetres_de "$QUORVA" | tr '\n' ' ' || true)
commande_ok "Import2: Filename=\"$source_wav\"" 60
exporte=$enreg/essai.wav
commande_ok "Export2: Filename=\"$exporte\" NumChannels=$canaux" 60
[ -s "$exporte" ] || echec "pas de fichier exporte $exporte"
[ "$(soxi -c "$exporte")" = "$canaux" ] || echec "exporte avec $(soxi -c "$exporte") canaux"
[ "$(soxi -r "$exporte")" = "$taux" ] || echec "exporte a $(soxi -r "$exporte") Hz"
[ "$(soxi -b "$exporte")" = 16 ] || echec "exporte en $(soxi -b "$exporte") bits"

if [ "$entree" = patin ]; then
    echo "== graphique, classeur"
    chart=$(attendre_fenetre essai.wav 30) || echec "le graphique de essai.wav ne s'ouvre pas"
    repondre_aide_chart "$QUORVA" "$chart" "$id_barre" "$deja_la" || echec "l'aide du graphique ne se ferme pas"
    graphique_ferme() { ! grep -qx "$chart" <<<"$(fenetres_titre essai.wav)"; }
    xdotool mousemove --window "$chart" 1037 220 click 1
    attendre 5 graphique_ferme || echec "OK ne ferme pas le graphique"
    attendre 30 test -s "$enreg/essai.wav.slk" || echec "pas de classeur $enreg/essai.wav.slk"
    head -c 3 "$enreg/essai.wav.slk" | grep -q '^ID;' || echec "le classeur ne commence pas par ID;"
    [ -s "$enreg/essai.wav.txt" ] || echec "pas de fichier de marques $enreg/essai.wav.txt"
    attendre_ouverture "^$enreg/essai\.wav\.slk\$" 10 || echec "le classeur n'a pas ete ouvert"
fi
vivant "$QUORVA" || echec "Quorva s'est arrete"
echo "OK"
