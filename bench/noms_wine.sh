#!/usr/bin/env bash
# noms_wine.sh NEW_QUORVA-CONVERT.EXE OLD_QUORVA-CONVERT.EXE PROGRAM_FOLDER [RUNS]
# Whole-process quorva-convert.exe under Wine on a 32,000-sample recording:
# this build (wide Win32 calls, UTF-8 inside) against another one (main's,
# on the 8-bit calls), alternating, RUNS times each (default 9), in one
# run; prints the medians with their range and the ratio new / old. Then
# each once on Łukasz\Łukasz.wav beside a Lukasz\Lukasz.wav, to show which
# file each converts. Wine runs headless in a prefix of its own, removed at
# the end.
set -euo pipefail
nouveau=$(realpath "$1") ancien=$(realpath "$2") programme=$(realpath "$3") runs=${4:-9}
racine=$(cd "$(dirname "$0")/.." && pwd)
export QUORVA_WINE=${QUORVA_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
export QUORVA_WINESERVER=${QUORVA_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver64)}
travail=$(mktemp -d)
export WINEPREFIX=$travail/wine-prefix LC_ALL=C.UTF-8
trap '"$racine/tests/windows/wine.sh" arreter; rm -rf -- "$travail"' EXIT
"$racine/tests/windows/wine.sh" demarrer
"$QUORVA_WINESERVER" -p 300   # the server stays up between runs, as in a session
cd "$travail"
sox -n -r 1000 -b 16 -c 1 -e signed-integer rec.wav synth 32 sine 40 vol 0.3
[ "$(soxi -s rec.wav)" = 32000 ] || { echo "the recording is not 32,000 samples" >&2; exit 1; }
lancer() { "$racine/tests/windows/wine.sh" lancer "$1" --program-folder "Z:${programme//\//\\}" rec.wav; }

chrono() {
    local debut=$EPOCHREALTIME
    lancer "$1" >/dev/null
    awk -v a="$debut" -v b="$EPOCHREALTIME" 'BEGIN{printf "%.4f\n", b - a}'
}
mediane() { sort -g | awk '{v[NR]=$1} END{m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2; printf "%.4f %.4f %.4f\n", m, v[1], v[NR]}'; }
lancer "$nouveau" >/dev/null && lancer "$ancien" >/dev/null  # warm-up
: >nouveau.txt
: >ancien.txt
for ((r = 0; r < runs; r++)); do
    if ((r % 2 == 0)); then chrono "$nouveau" >>nouveau.txt; chrono "$ancien" >>ancien.txt
    else chrono "$ancien" >>ancien.txt; chrono "$nouveau" >>nouveau.txt; fi
done
read -r mn nmin nmax < <(mediane <nouveau.txt)
read -r ma amin amax < <(mediane <ancien.txt)
echo "32,000 samples, $runs runs each, seconds: median (range)"
echo "  wide calls (this build): $mn ($nmin-$nmax)"
echo "  8-bit calls (the other): $ma ($amin-$amax)"
echo "  ratio wide / 8-bit:      $(awk -v a="$mn" -v b="$ma" 'BEGIN{printf "%.3f", a / b}')"

for exe in "$nouveau" "$ancien"; do
    rm -rf Łukasz Lukasz && mkdir Łukasz Lukasz && cp rec.wav Łukasz/Łukasz.wav && cp rec.wav Lukasz/Lukasz.wav
    code=0
    sortie=$("$racine/tests/windows/wine.sh" lancer "$exe" --program-folder "Z:${programme//\//\\}" 'Łukasz\Łukasz.wav' 2>&1) ||
        code=$?
    echo "$exe on Łukasz\\Łukasz.wav: exit $code, workbooks: $(ls Łukasz/*.slk Lukasz/*.slk 2>/dev/null | tr '\n' ' ')"
    echo "  said: $sortie"
done
