#!/usr/bin/env bash
# conversion.sh QUORVA_CONVERT GENERER_WAV PROGRAM_FOLDER WORK_FOLDER [RUNS]
# Whole-process quorva-convert (every sample kept) on generated recordings of
# 32,000 and 1,000,000 samples against dd writing as many bytes as the
# workbook has, with the same final fsync (dd if=/dev/zero bs=1M conv=fsync).
# The two alternate, RUNS times each (default 9), in this one run; prints the
# medians with their range, the ratio of the medians and the peak memory of
# each program (/usr/bin/time -v).
set -euo pipefail
convert=$(realpath "$1") generer=$(realpath "$2") programme=$(realpath "$3") travail=$4 runs=${5:-9}
mkdir -p "$travail"
cd "$travail"

# Seconds taken by a command (bash's microsecond clock).
chrono() {
    local debut=$EPOCHREALTIME
    "$@" >/dev/null
    local fin=$EPOCHREALTIME
    awk -v a="$debut" -v b="$fin" 'BEGIN{printf "%.4f\n", b - a}'
}
# Median, then min and max, of the numbers on standard input.
mediane() { sort -g | awk '{v[NR]=$1} END{m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2; printf "%.4f %.4f %.4f\n", m, v[1], v[NR]}'; }
pic() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/{print $2}'; }

printf '%-9s %11s  %-26s %-26s %6s %10s %10s\n' samples slk_bytes "convert_s median (range)" "dd_s median (range)" ratio conv_kB dd_kB
for n in 32000 1000000; do
    wav="rec_$n.wav"
    "$generer" "$wav" "$n" 7
    "$convert" --program-folder "$programme" "$wav" >/dev/null  # warm-up, and the size to match
    octets=$(stat -c %s "$wav.slk")
    dd_cmd=(dd if=/dev/zero of="dd_$n.out" bs=1M iflag=count_bytes count="$octets" conv=fsync status=none)
    : >"conv_$n.txt"
    : >"dd_$n.txt"
    for ((r = 0; r < runs; r++)); do
        if ((r % 2 == 0)); then
            chrono "$convert" --program-folder "$programme" "$wav" >>"conv_$n.txt"
            chrono "${dd_cmd[@]}" >>"dd_$n.txt"
        else
            chrono "${dd_cmd[@]}" >>"dd_$n.txt"
            chrono "$convert" --program-folder "$programme" "$wav" >>"conv_$n.txt"
        fi
    done
    read -r cm cmin cmax < <(mediane <"conv_$n.txt")
    read -r dm dmin dmax < <(mediane <"dd_$n.txt")
    ratio=$(awk -v a="$cm" -v b="$dm" 'BEGIN{printf "%.2f", a/b}')
    conv_kb=$(pic "$convert" --program-folder "$programme" "$wav")
    dd_kb=$(pic "${dd_cmd[@]}")
    printf '%-9s %11s  %-26s %-26s %6s %10s %10s\n' "$n" "$octets" "$cm ($cmin-$cmax)" "$dm ($dmin-$dmax)" \
        "$ratio" "$conv_kb" "$dd_kb"
    rm -f "dd_$n.out"
done
