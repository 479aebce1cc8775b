#!/usr/bin/env bash
# A rewrite killed midway leaves the old file whole: the real programs write
# the workbook and the marks file (quorva-convert --accept), the language
# preference and Audacity's preferences (pilote_ecritures, the core's own
# routines); each is stopped by the platform's test hook once its temporary
# file holds part of the new bytes, then killed with SIGKILL. The old file
# must be byte-identical, and the next write must remove the dead writer's
# temporary file (once it is older than any write takes: its time is set
# back) and put the new file in place.
# Usage: ecriture_interrompue.sh QUORVA_CONVERT PILOTE_ECRITURES FIC_QUORVA
set -euo pipefail
convertir=$1 pilote=$2 fic_quorva=$3
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
# Whatever a program falls back to (the user's settings) stays in here.
export HOME=$travail/maison XDG_CONFIG_HOME=$travail/maison/.config
mkdir -p "$HOME"
echecs=0
# This machine as the temporary names give it: host name, process namespace.
machine="$(uname -n)~$(stat -L -c %i /proc/self/ns/pid)"

# Waits until the process has stopped itself (state T), at most 30 s.
attendre_arret() {
    local pid=$1
    for _ in $(seq 300); do
        [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" = T ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# cas NAME FILE OLD_CONTENT COMMAND...: FILE (full path) holds OLD_CONTENT;
# COMMAND rewrites it.
cas() {
    local nom=$1 fichier=$2 ancien=$3
    shift 3
    local dossier base
    dossier=$(dirname "$fichier") base=$(basename "$fichier")
    mkdir -p "$dossier"
    printf '%s' "$ancien" > "$fichier"
    cp "$fichier" "$travail/attendu"

    QUORVA_PAUSE_ECRITURE=$base "$@" > /dev/null 2>&1 &
    local pid=$!
    if ! attendre_arret "$pid"; then
        echo "FAIL $nom: the write never reached its pause"; echecs=$((echecs + 1))
        kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
        return
    fi
    # The temporary name keeps as much of the target's name as its length allows.
    local restes=("$dossier/.${base:0:1}"*".quorva-$machine-$pid-"*)
    if [ ! -s "${restes[0]}" ]; then
        echo "FAIL $nom: no temporary file holding new bytes while paused"; echecs=$((echecs + 1))
    fi
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    touch -d '2 days ago' "${restes[@]}"
    if ! cmp -s "$fichier" "$travail/attendu"; then
        echo "FAIL $nom: the old file changed after the kill"; echecs=$((echecs + 1))
    fi

    # The next write cleans up after the dead one and succeeds.
    if ! "$@" > "$travail/sortie" 2>&1; then
        echo "FAIL $nom: the next write failed: $(cat "$travail/sortie")"; echecs=$((echecs + 1))
    fi
    if compgen -G "$dossier/.${base:0:1}*.quorva-*-[0-9]*-[0-9]*" > /dev/null; then
        echo "FAIL $nom: temporary files left: $(ls -a "$dossier" | grep quorva-)"; echecs=$((echecs + 1))
    fi
    if cmp -s "$fichier" "$travail/attendu"; then
        echo "FAIL $nom: the next write did not replace the file"; echecs=$((echecs + 1))
    fi
    echo "ok $nom"
}

# A user's file that merely looks like ours stays; the leftover of a dead
# write of another file in the same folder goes with the next write there.
mkdir -p "$travail/enreg"
touch "$travail/enreg/.essai.wav.slk.quorva-notes"
sleep 0 & mort=$!
wait "$mort"
touch -d '2 days ago' "$travail/enreg/.ancien.wav.slk.quorva-$machine-$mort-1"

cp -r "$fic_quorva" "$travail/prog"
sox -n -r 1000 -c 1 -b 16 "$travail/enreg/essai.wav" synth 40 sine 50 > /dev/null 2>&1
prog=$travail/prog
cas workbook "$travail/enreg/essai.wav.slk" $'ID;ANCIEN\r\nE\r\n' \
    "$convertir" --program-folder "$prog" --accept "$travail/enreg/essai.wav"
# The recording's own marks file with LF line ends (read back as the chart
# reads it, and saved again with CR LF).
"$convertir" --program-folder "$prog" --accept "$travail/enreg/essai.wav" > /dev/null
cas marks "$travail/enreg/essai.wav.txt" "$(tr -d '\r' < "$travail/enreg/essai.wav.txt")" \
    "$convertir" --program-folder "$prog" --accept "$travail/enreg/essai.wav"
# Quorva's own copy of Audacity (a stand-in that ends at once), so that the
# launch edits the preferences beside it.
mkdir -p "$prog/fic_quorva/audacity"
printf '#!/bin/sh\nexit 0\n' > "$prog/fic_quorva/audacity/audacity"
chmod +x "$prog/fic_quorva/audacity/audacity"
cas language "$travail/prog/quorva/langue_quorva.txt" $'langue=1\r\nancienne ligne\r\n' "$pilote" langue "$prog"
cas audacity "$travail/prog/fic_quorva/audacity/Portable Settings/audacity.cfg" \
    $'[Directories]\r\nTempDir=\r\n[Export]\r\nFormat=WAV\r\n' "$pilote" audacity "$prog"

if [ -e "$travail/enreg/.ancien.wav.slk.quorva-$machine-$mort-1" ]; then
    echo "FAIL a dead write's leftover of another file stayed"; echecs=$((echecs + 1))
fi
if [ ! -e "$travail/enreg/.essai.wav.slk.quorva-notes" ]; then
    echo "FAIL a user's file named like a temporary file was removed"; echecs=$((echecs + 1))
fi
[ "$echecs" -eq 0 ] && echo "all rewrites survived" || exit 1
