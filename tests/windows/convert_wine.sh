#!/usr/bin/env bash
# quorva-convert.exe under Wine writes the same workbooks and marks files,
# byte for byte, as the Linux quorva-convert: on the demo recording and on a
# recording over 32,000 samples (the demo twice over, with --factor auto).
# The workbook's texts are Windows-1252 on Windows and UTF-8 on Linux, each
# the spreadsheets' reading there: the Windows one is compared in UTF-8.
# Usage: convert_wine.sh QUORVA-CONVERT.EXE LINUX_QUORVA-CONVERT RECORDING.wav
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") linux=$2 enregistrement=$(realpath "$3")
lanceur=$(realpath "$(dirname "$0")/wine.sh")
if [ ! -x "$linux" ]; then
    echo "the Linux quorva-convert is not built ($linux): build the Linux side first"
    exit 77
fi
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
# Both programs with the same decimal separator, the point.
export LC_ALL=C.UTF-8

comparer() {
    local wav=$1 langue=$2 systeme fichier
    echo "== $(basename "$wav") ($(soxi -s "$wav") samples), --lang $langue"
    for systeme in linux windows; do
        mkdir -p "$travail/$systeme"
        cp "$wav" "$travail/$systeme/essai.wav"
        rm -f "$travail/$systeme/essai.wav."*
    done
    (cd "$travail/linux" && "$linux" --lang "$langue" --factor auto --accept essai.wav) ||
        { echo "ECHEC: the Linux quorva-convert failed"; exit 1; }
    (cd "$travail/windows" && "$lanceur" lancer "$exe" --lang "$langue" --factor auto --accept essai.wav) ||
        { echo "ECHEC: quorva-convert.exe failed"; exit 1; }
    iconv -f CP1252 -t UTF-8 "$travail/windows/essai.wav.slk" > "$travail/windows/essai.wav.slk.utf8" ||
        { echo "ECHEC: the Windows workbook is not Windows-1252"; exit 1; }
    for fichier in essai.wav.slk essai.wav.txt; do
        [ -s "$travail/linux/$fichier" ] || { echo "ECHEC: the Linux quorva-convert wrote no $fichier"; exit 1; }
        local windows=$travail/windows/$fichier
        [ "$fichier" = essai.wav.slk ] && windows=$windows.utf8
        cmp "$travail/linux/$fichier" "$windows" ||
            { echo "ECHEC: $fichier differs between Linux and Windows"; exit 1; }
    done
}
comparer "$enregistrement" en
sox "$enregistrement" "$enregistrement" "$travail/long.wav"
comparer "$travail/long.wav" fr
echo "ok"
