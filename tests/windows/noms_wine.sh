#!/usr/bin/env bash
# Names beyond Western European letters under Wine, never turned into
# another name: each of the table as a recording's folder and name given to
# quorva-convert.exe (the workbook beside it, its title cell in
# Windows-1252 with "?", a look-alike folder's recording left alone), then
# as the program folder, the user's %TEMP% and an export's name on the
# Audacity road (tests/windows/audacity_wine.sh: the full menu, the
# watcher's conversion, byte for byte the Linux quorva-convert's).
# Usage: noms_wine.sh QUORVA-CONVERT.EXE LINUX_QUORVA-CONVERT PORTABLE_FOLDER STAND-IN.EXE
#        RECORDER.EXE RECORDING.wav SCREENSHOT_FOLDER
# Environment: as tests/windows/bureau_wine.sh.
set -u
exe=$1 convert_linux=$2 paquet=$3 remplacant=$4 enregistreur=$5 demo=$6 shots=$7
# Wine reads the command lines of this script as UTF-8.
export LC_ALL=C.UTF-8
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
echec() { echo "ECHEC: $*"; exit 1; }

# name | a look-alike the 8-bit calls made of it | the title cell's name
while IFS='|' read -r nom voisin titre; do
    echo "== $nom: quorva-convert.exe"
    mkdir -p "$travail/$nom"
    cp "$demo" "$travail/$nom/$nom.wav"
    if [ -n "$voisin" ]; then
        mkdir -p "$travail/$voisin"
        cp "$demo" "$travail/$voisin/$voisin.wav"
    fi
    chemin="Z:${travail//\//\\}\\$nom\\$nom.wav"
    sortie=$("$QUORVA_WINE" "$exe" --lang en "$chemin" 2>&1) || echec "exit status $? for $chemin: $sortie"
    [[ $sortie == *"$chemin: "*" events"* ]] || echec "quorva-convert.exe said: $sortie"
    [ -s "$travail/$nom/$nom.wav.slk" ] || echec "no workbook beside $nom/$nom.wav"
    LC_ALL=C grep -a -q "^C;Y1;X1;K.*: $titre\.wav\.slk\"" \
        "$travail/$nom/$nom.wav.slk" || echec "the title cell of $nom.wav.slk: $(grep -a '^C;Y1;X1' "$travail/$nom/$nom.wav.slk")"
    [ -z "$voisin" ] || [ -z "$(ls "$travail/$voisin" | grep -v '\.wav$')" ] || echec "$voisin was written: $(ls "$travail/$voisin")"
    echo "== $nom: the program folder, %TEMP% and an export"
    "$(dirname "$0")/audacity_wine.sh" patin "$paquet" "$remplacant" "$enregistreur" "$convert_linux" "$demo" "$shots" "$nom" ||
        echec "the Audacity road with $nom"
done <<'TABLE'
Łukasz|Lukasz|?ukasz
Nguyễn|Nguyen|Nguy?n
学生||??
TABLE
echo "ok"
