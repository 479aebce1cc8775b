#!/usr/bin/env bash
# synthese.sh QUORVA_CONVERT GENERER_WAV PROGRAM_FOLDER WORK_FOLDER [RUNS]
# The class summary of 40 recordings of 32,000 samples (8 machines' folders
# of 5, half of them with a validated marks file) against converting those
# 40 recordings in the same run: quorva-convert on the folder, then
# quorva-convert --class-report on it (quorva-rapport draws the page),
# RUNS alternating runs each (default 5). Prints the medians, the ratio of
# the summary to the conversion and the peak memory of each
# (/usr/bin/time -v).
set -euo pipefail
convert=$(realpath "$1") generer=$(realpath "$2") programme=$(realpath "$3") travail=$4 runs=${5:-5}
rm -rf "$travail/classe"
mkdir -p "$travail/classe"
cd "$travail"
for poste in 1 2 3 4 5 6 7 8; do
    mkdir -p "classe/poste$poste"
    for groupe in 1 2 3 4 5; do
        wav="classe/poste$poste/groupe$groupe.wav"
        "$generer" "$wav" 32000 $((poste * 10 + groupe))
        ((groupe % 2 == 0)) || "$convert" --program-folder "$programme" --accept "$wav" >/dev/null
    done
done

chrono() {
    local debut=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    local fin=$EPOCHREALTIME
    awk -v a="$debut" -v b="$fin" 'BEGIN{printf "%.4f\n", b - a}'
}
mediane() { sort -g | awk '{v[NR]=$1} END{printf "%.4f\n", NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
pic() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/{print $2}'; }

conversion=(--program-folder "$programme" classe)
synthese=(--program-folder "$programme" --class-report classe)
"$convert" "${synthese[@]}" >/dev/null 2>&1  # warm-up
: >conversion.txt
: >synthese.txt
for ((r = 0; r < runs; r++)); do
    chrono "$convert" "${conversion[@]}" >>conversion.txt
    chrono "$convert" "${synthese[@]}" >>synthese.txt
done
base=$(mediane <conversion.txt)
printf '%-12s %9s %7s %9s\n' what median_s ratio peak_kB
for quoi in conversion synthese; do
    m=$(mediane <"$quoi.txt")
    declare -n args=$quoi
    printf '%-12s %9s %7s %9s\n' "$quoi" "$m" "$(awk -v a="$m" -v b="$base" 'BEGIN{printf "%.2f", a/b}')" \
        "$(pic "$convert" "${args[@]}")"
    unset -n args
done
