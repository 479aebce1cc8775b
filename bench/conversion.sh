#!/usr/bin/env bash
# conversion.sh QUORVA_CONVERT GENERER_WAV PROGRAM_FOLDER WORK_FOLDER
# Times quorva-convert on generated recordings against dd writing as many
# bytes as the workbook has (conv=fsync: the workbook is synced too), and
# prints the ratios (wall-clock means, and processor time user + system)
# and the peak memory of each conversion.
set -euo pipefail
convert=$1 generer=$2 programme=$3 travail=$4
mkdir -p "$travail"
cd "$travail"
printf '%-10s %12s %10s %10s %8s %10s %12s\n' samples slk_bytes convert_s dd_s ratio cpu_ratio peak_rss_kB
for n in 32000 1000000; do
    wav="rec_$n.wav"
    "$generer" "$wav" "$n" 7
    "$convert" --program-folder "$programme" "$wav" >/dev/null
    octets=$(stat -c %s "$wav.slk")
    rss=$( { /usr/bin/time -f %M "$convert" --program-folder "$programme" "$wav" >/dev/null; } 2>&1 | tail -1)
    hyperfine --style none --warmup 2 --runs 15 --export-csv "times_$n.csv" \
        -n convert "$convert --program-folder $programme $wav" \
        -n dd "dd if=/dev/zero of=dd_$n.out bs=64K iflag=count_bytes count=$octets conv=fsync status=none" >/dev/null
    convert_s=$(awk -F, '$1=="convert"{print $2}' "times_$n.csv")
    dd_s=$(awk -F, '$1=="dd"{print $2}' "times_$n.csv")
    ratio=$(awk -v a="$convert_s" -v b="$dd_s" 'BEGIN{printf "%.2f", a/b}')
    # command,mean,stddev,median,user,system,min,max
    cpu_ratio=$(awk -F, '$1=="convert"{c=$5+$6} $1=="dd"{d=$5+$6} END{printf "%.2f", c/d}' "times_$n.csv")
    printf '%-10s %12s %10.4f %10.4f %8s %10s %12s\n' "$n" "$octets" "$convert_s" "$dd_s" "$ratio" "$cpu_ratio" "$rss"
    rm -f "dd_$n.out"
done
