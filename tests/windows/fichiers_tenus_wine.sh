#!/usr/bin/env bash
# quorva-convert.exe under Wine, one row per case, each timed: the recording
# or the workbook held without sharing (tenir_fichier.exe) until it was tried
# converts once let go; held for 10 s it says "ouvert par un autre
# programme", the old workbook stays
# whole with nothing beside it and the marks are saved; recordings whose path
# has 259, 260 and 300 characters convert (beyond 260 through \\?\); a name
# of 256 characters is said too long.
# Usage: fichiers_tenus_wine.sh QUORVA-CONVERT.EXE TENIR_FICHIER.EXE RECORDING.wav
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") tenir=$(realpath "$2") wav=$(realpath "$3") lanceur=$(realpath "$(dirname "$0")/wine.sh")
travail=$(mktemp -d)
trap 'rm -f "$travail"/pret; wait; rm -rf -- "$travail"' EXIT
cd "$travail"
echec() { echo "ECHEC: $*"; exit 1; }
command -v inotifywait > /dev/null || echec "inotifywait is missing (Debian package inotify-tools)"
# convertir CASE ARGS...: quorva-convert.exe, its output in "sortie", its status in $code.
convertir() {
    local cas=$1 debut; shift
    debut=$(date +%s%N) code=0
    "$lanceur" lancer "$exe" "$@" > sortie 2>&1 || code=$?
    echo "  $cas: exit $code after $(( ($(date +%s%N) - debut) / 1000000 )) ms"
}

# tenu FILE SECONDS EXPECTED ("ok", or a text of the message). For "ok" the
# holder lets go only once quorva-convert.exe has tried the file (its Wine
# server opened it: inotify) and half a second more, so that the conversion
# proves the retry; SECONDS only bound the hold.
tenu() {
    rm -rf tenu && mkdir tenu && cp "$wav" tenu/essai.wav
    printf 'ID;ANCIEN\r\nE\r\n' | tee tenu/essai.wav.slk > tenu/ancien
    "$lanceur" lancer "$tenir" "tenu\\$1" pret "$2" &
    local tenant=$!
    for _ in $(seq 600); do [ -e pret ] && break; sleep 0.1; done
    [ -e pret ] || echec "the holder did not start"
    if [ "$3" = ok ]; then
        inotifywait -t 60 -e open "tenu/$1" > /dev/null 2> guet &
        local guet=$!
        for _ in $(seq 200); do grep -q established guet && break; sleep 0.05; done
        ( convertir "$1 held until tried" --accept 'tenu\essai.wav'; echo "$code" > code ) &
        local conversion=$!
        wait "$guet" || echec "$1: not tried while held"
        sleep 0.5
        rm -f pret
        wait "$conversion"
        code=$(cat code)
    else
        convertir "$1 held $2 s" --accept 'tenu\essai.wav'
    fi
    rm -f pret
    wait "$tenant"
    if [ "$3" = ok ]; then
        [ "$code" -eq 0 ] && ! cmp -s tenu/essai.wav.slk tenu/ancien || echec "$1 $2: $(cat sortie)"
    else
        [ "$code" -ne 0 ] && grep -qF "$3" sortie || echec "$1 $2, code $code: $(cat sortie)"
        cmp -s tenu/essai.wav.slk tenu/ancien && [ -z "$(ls -A tenu | grep quorva-)" ] ||
            echec "$1 $2: workbook changed or left: $(ls -A tenu)"
        [ "$1" = essai.wav ] || [ -s tenu/essai.wav.txt ] || echec "$1 $2: the marks were lost"
    fi
}

# chemin LENGTH: a recording whose Windows path (Z:\...) has LENGTH
# characters, in folders of at most 150; 0: a name of 256 characters.
chemin() {
    rm -rf long && mkdir long
    local dossier=$travail/long nom=essai.wav n
    local reste=$(( $1 - ${#dossier} - 3 - ${#nom} ))
    while [ "$reste" -gt 0 ]; do
        if [ "$reste" -eq 1 ]; then nom=x$nom; break; fi
        n=$(( reste > 151 ? 150 : reste - 1 ))
        dossier=$dossier/$(printf 'd%.0s' $(seq "$n")) reste=$(( reste - n - 1 ))
    done
    [ "$1" -gt 0 ] || nom=$(printf 'n%.0s' $(seq 252)).wav
    mkdir -p "$dossier" && { [ "$1" -eq 0 ] || cp "$wav" "$dossier/$nom"; }
    local cible="Z:${dossier//\//\\}\\$nom"
    convertir "path of ${#cible} characters" "$cible"
    if [ "$1" -gt 0 ]; then
        [ ${#cible} -eq "$1" ] && [ "$code" -eq 0 ] && [ -s "$dossier/$nom.slk" ] || echec "path $1: $(cat sortie)"
    else
        [ "$code" -ne 0 ] && grep -qF "est trop long (${#cible} caract" sortie || echec "name of 256: $(cat sortie)"
    fi
}

tenu essai.wav 30 ok
tenu essai.wav.slk 30 ok
tenu essai.wav 10 "ouvert par un autre programme"
tenu essai.wav.slk 10 "ouvert par un autre programme"
for longueur in 259 260 300 0; do chemin "$longueur"; done
echo "ok"
