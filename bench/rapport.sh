#!/usr/bin/env bash
# rapport.sh QUORVA_CONVERT GENERER_WAV PROGRAM_FOLDER WORK_FOLDER [RUNS]
# The pupil's report against the conversion of the same recording, in this
# one run: quorva-convert alone, then with --report FILE.pdf and with
# --report FILE.png (quorva-rapport draws them), on generated recordings of
# 32,000 and 1,000,000 samples; RUNS alternating runs each (default 5).
# Prints the medians, the ratio to the conversion alone, the report's own
# time (with report - alone), the peak memory of each (/usr/bin/time -v) and
# the sizes of the PDF and the PNG.
set -euo pipefail
convert=$(realpath "$1") generer=$(realpath "$2") programme=$(realpath "$3") travail=$4 runs=${5:-5}
mkdir -p "$travail"
cd "$travail"

chrono() {
    local debut=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    local fin=$EPOCHREALTIME
    awk -v a="$debut" -v b="$fin" 'BEGIN{printf "%.4f\n", b - a}'
}
mediane() { sort -g | awk '{v[NR]=$1} END{printf "%.4f\n", NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
pic() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/{print $2}'; }

printf '%-9s %-6s %9s %7s %10s %9s %11s\n' samples what median_s ratio report_s peak_kB file_bytes
for n in 32000 1000000; do
    wav="rec_$n.wav"
    "$generer" "$wav" "$n" 7
    declare -A temps=()
    seul=(--program-folder "$programme" "$wav")
    pdf=(--program-folder "$programme" --report "rec_$n.pdf" "$wav")
    png=(--program-folder "$programme" --report "rec_$n.png" "$wav")
    "$convert" "${png[@]}" >/dev/null 2>&1  # warm-up
    for quoi in seul pdf png; do : >"$quoi.txt"; done
    for ((r = 0; r < runs; r++)); do
        chrono "$convert" "${seul[@]}" >>seul.txt
        chrono "$convert" "${pdf[@]}" >>pdf.txt
        chrono "$convert" "${png[@]}" >>png.txt
    done
    base=$(mediane <seul.txt)
    for quoi in seul pdf png; do
        m=$(mediane <"$quoi.txt")
        declare -n args=$quoi
        octets=-
        [ "$quoi" = seul ] || octets=$(stat -c %s "rec_$n.$quoi")
        printf '%-9s %-6s %9s %7s %10s %9s %11s\n' "$n" "$quoi" "$m" "$(awk -v a="$m" -v b="$base" 'BEGIN{printf "%.2f", a/b}')" \
            "$(awk -v a="$m" -v b="$base" 'BEGIN{printf "%.4f", a-b}')" "$(pic "$convert" "${args[@]}")" "$octets"
        unset -n args
    done
done
