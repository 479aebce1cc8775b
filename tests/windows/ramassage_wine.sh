#!/usr/bin/env bash
# quorva-convert.exe under Wine on a collected folder: "*.wav" expanded by
# the program itself (Windows' command prompt hands it over as it is) gives
# a page beside each recording and nothing else; --class-report on the
# folder of the machines' folders writes the summary, read back with
# pdftotext.
# Usage: ramassage_wine.sh QUORVA-CONVERT.EXE RECORDING.wav
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") enregistrement=$(realpath "$2")
lanceur=$(realpath "$(dirname "$0")/wine.sh")
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
echec() { echo "ECHEC: $*"; exit 1; }
mkdir -p "$travail/classe/poste1" "$travail/classe/poste2"
cp "$enregistrement" "$travail/classe/poste1/groupe1.wav"
cp "$enregistrement" "$travail/classe/poste1/Łukasz.wav"
sox "$enregistrement" "$travail/classe/poste2/groupe2.wav" reverse

cd "$travail/classe/poste1"
"$lanceur" lancer "$exe" --lang fr --report-only '*.wav' > "$travail/sortie" 2>&1 ||
    echec "--report-only *.wav failed: $(cat "$travail/sortie")"
[ "$(ls | sort | tr '\n' ' ')" = "groupe1.wav groupe1.wav.pdf Łukasz.wav Łukasz.wav.pdf " ] ||
    echec "*.wav gave: $(ls | tr '\n' ' ') ($(cat "$travail/sortie"))"

cd "$travail"
"$lanceur" lancer "$exe" --lang fr --class-report classe > "$travail/sortie" 2>&1 ||
    echec "--class-report failed: $(cat "$travail/sortie")"
grep -q "3/3" "$travail/sortie" || echec "no line per recording: $(cat "$travail/sortie")"
texte=$(pdftotext -raw classe/synthese_classe.pdf -)
for attendu in "poste1 groupe1.wav" "poste1 Łukasz.wav" "poste2 groupe2.wav" "Toute la classe : r ="; do
    [[ $texte == *"$attendu"* ]] || echec "the summary lacks \"$attendu\": $texte"
done
[ -s classe/synthese_classe.slk ] || echec "no summary workbook"
echo "ok"
