#!/usr/bin/env bash
# A workbook held open without sharing by another Windows program, as the
# spreadsheet program holds the workbook it shows: quorva-convert.exe under
# Wine fails saying that it is open in another program, the workbook stays as
# it was with nothing left beside it; released, the conversion replaces it.
# Usage: classeur_tenu_wine.sh QUORVA-CONVERT.EXE TENIR_FICHIER.EXE RECORDING.wav
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") tenir=$(realpath "$2") lanceur=$(realpath "$(dirname "$0")/wine.sh")
travail=$(mktemp -d)
trap 'rm -f "$travail/pret"; wait; rm -rf -- "$travail"' EXIT
cd "$travail"
echec() { echo "ECHEC: $*"; exit 1; }
cp "$3" essai.wav
printf 'ID;ANCIEN\r\nE\r\n' | tee essai.wav.slk > attendu
"$lanceur" lancer "$tenir" essai.wav.slk pret 120 &
for _ in $(seq 600); do [ -e pret ] && break; sleep 0.1; done
[ -e pret ] || echec "the holder did not start"
code=0
"$lanceur" lancer "$exe" --accept essai.wav > sortie 2>&1 || code=$?
rm -f pret
wait
[ "$code" -ne 0 ] && grep -q "ouvert dans un autre programme" sortie || echec "code $code: $(cat sortie)"
cmp -s essai.wav.slk attendu && [ -z "$(ls -A | grep quorva-)" ] || echec "workbook changed or left: $(ls -A)"
"$lanceur" lancer "$exe" --accept essai.wav > sortie 2>&1 || echec "released, the conversion failed: $(cat sortie)"
! cmp -s essai.wav.slk attendu || echec "released, the workbook was not replaced"
echo "ok"
