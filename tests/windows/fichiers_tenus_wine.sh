#!/usr/bin/env bash
# Files held by another Windows program, and paths at Windows' length limit,
# with quorva-convert.exe under Wine. One row per case:
#   held: the recording or the workbook held without sharing (as a spreadsheet
#     or an antivirus holds it) for 1 s: the conversion waits and succeeds;
#     for 10 s: it says the file is open in another program, the old
#     workbook stays whole with nothing left beside it, the marks are saved;
#   path: recordings whose path has 259, 260 and 300 characters are
#     converted (the workbook beyond 260 through \\?\); a name of 256
#     characters is said too long.
# Prints the time of each case. Usage:
#   fichiers_tenus_wine.sh QUORVA-CONVERT.EXE TENIR_FICHIER.EXE RECORDING.wav
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") tenir=$(realpath "$2") wav=$(realpath "$3") lanceur=$(realpath "$(dirname "$0")/wine.sh")
travail=$(mktemp -d)
trap 'rm -f "$travail"/pret; wait; rm -rf -- "$travail"' EXIT
cd "$travail"
echec() { echo "ECHEC: $*"; exit 1; }
ms() { echo $(( $(date +%s%N) / 1000000 )); }
windows() { echo "Z:${1//\//\\}"; }

# held WHICH SECONDS EXPECTED: EXPECTED is "ok" or a text of the message.
tenu() {
    local quoi=$1 secondes=$2 attendu=$3 code=0 debut
    rm -rf tenu && mkdir tenu && cp "$wav" tenu/essai.wav
    printf 'ID;ANCIEN\r\nE\r\n' | tee tenu/essai.wav.slk > tenu/ancien
    "$lanceur" lancer "$tenir" "tenu\\$quoi" pret "$secondes" &
    for _ in $(seq 600); do [ -e pret ] && break; sleep 0.1; done
    [ -e pret ] || echec "the holder did not start"
    debut=$(ms)
    "$lanceur" lancer "$exe" --accept tenu\\essai.wav > sortie 2>&1 || code=$?
    echo "  $quoi held ${secondes}: exit $code after $(( $(ms) - debut )) ms"
    rm -f pret
    wait
    if [ "$attendu" = ok ]; then
        [ "$code" -eq 0 ] && ! cmp -s tenu/essai.wav.slk tenu/ancien || echec "$quoi $secondes: $(cat sortie)"
    else
        [ "$code" -ne 0 ] && grep -qF "$attendu" sortie || echec "$quoi $secondes, code $code: $(cat sortie)"
        cmp -s tenu/essai.wav.slk tenu/ancien && [ -z "$(ls -A tenu | grep quorva-)" ] ||
            echec "$quoi $secondes: workbook changed or left: $(ls -A tenu)"
        [ "$quoi" = essai.wav ] || [ -s tenu/essai.wav.txt ] || echec "$quoi $secondes: the marks were lost"
    fi
}

# path LENGTH EXPECTED: a recording whose Windows path has LENGTH characters.
chemin() {
    local longueur=$1 attendu=$2 code=0 debut dossier nom reste
    rm -rf long && mkdir long
    dossier=$travail/long nom=essai.wav
    reste=$(( longueur - ${#dossier} - 2 - 1 - ${#nom} ))  # "Z:", "\" before the name
    if [ "$attendu" = ok ]; then
        while [ "$reste" -gt 0 ]; do  # folders of at most 150 characters, each with its "\"
            if [ "$reste" -eq 1 ]; then nom=x$nom; break; fi
            local n=$(( reste > 151 ? 150 : reste - 1 ))
            dossier=$dossier/$(printf 'd%.0s' $(seq "$n"))
            reste=$(( reste - n - 1 ))
        done
        mkdir -p "$dossier" && cp "$wav" "$dossier/$nom"
    else
        nom=$(printf 'n%.0s' $(seq 252)).wav
    fi
    local cible; cible=$(windows "$dossier/$nom")
    [ "$attendu" != ok ] || [ ${#cible} -eq "$longueur" ] || echec "made a path of ${#cible}, not $longueur"
    debut=$(ms)
    "$lanceur" lancer "$exe" "$cible" > sortie 2>&1 || code=$?
    echo "  path of ${#cible} characters: exit $code after $(( $(ms) - debut )) ms"
    if [ "$attendu" = ok ]; then
        [ "$code" -eq 0 ] && [ -s "$dossier/$nom.slk" ] || echec "path ${#cible}: $(cat sortie)"
    else
        [ "$code" -ne 0 ] && grep -qF "$attendu (${#cible} caract" sortie || echec "name of 256: $(cat sortie)"
    fi
}

tenu essai.wav 1 ok
tenu essai.wav.slk 1 ok
tenu essai.wav 10 "ouvert par un autre programme"
tenu essai.wav.slk 10 "ouvert par un autre programme"
chemin 259 ok
chemin 260 ok
chemin 300 ok
chemin 0 "est trop long"
echo "ok"
