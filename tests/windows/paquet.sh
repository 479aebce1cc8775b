#!/usr/bin/env bash
# The portable folder a teacher copies: the target `package` makes Quorva/
# (quorva.exe, quorva-convert.exe, quorva-rapport.exe, the teacher's guides LISEZMOI.txt and
# README.txt, the demo fic_quorva/) and its zip, named with the version,
# which holds the same folder. The whole-program tests under Wine then run
# the quorva.exe of that folder.
# Usage: paquet.sh BUILD_FOLDER CONFIG VERSION
set -euo pipefail
build=$1 config=$2 version=$3
echec() { echo "ECHEC: $*"; exit 1; }
cmake --build "$build" --target package --config "$config" >/dev/null
cd "$build"
zip=Quorva-$version-windows.zip
[ -f "$zip" ] || echec "no $zip: $(ls Quorva-*.zip 2>/dev/null)"
contenu=$(cmake -E tar tf "$zip")
for f in quorva.exe quorva-convert.exe quorva-rapport.exe LISEZMOI.txt README.txt \
         fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav fic_quorva/patin_tracte_base.slk; do
    [ -s "Quorva/$f" ] || echec "Quorva/$f missing"
    grep -qx "Quorva/$f" <<<"$contenu" || echec "$zip lacks Quorva/$f"
done
# The folders the guides name for the teachers' own files.
for d in doc_word_ajoutes pdf_ajoutes films_ajoutes; do
    [ -d "Quorva/fic_quorva/$d" ] || echec "Quorva/fic_quorva/$d missing"
    grep -q "^Quorva/fic_quorva/$d/\?\$" <<<"$contenu" || echec "$zip lacks Quorva/fic_quorva/$d"
done
# Nothing else at the top of the folder: the programs stand alone, and an
# update replaces what is there and keeps fic_quorva.
autres=$(ls Quorva | grep -vx -e quorva.exe -e quorva-convert.exe -e quorva-rapport.exe -e LISEZMOI.txt -e README.txt -e fic_quorva || true)
[ -z "$autres" ] || echec "unexpected files in Quorva/: $autres"
# The guides, for Notepad: every line ends in CR LF, the version named,
# the French one in Windows-1252 (an accent is one byte, never UTF-8).
for guide in LISEZMOI.txt README.txt; do
    [ "$(grep -c $'\r$' "Quorva/$guide")" -eq "$(wc -l < "Quorva/$guide")" ] || echec "$guide: not CR LF throughout"
    grep -q "QUORVA $version " "Quorva/$guide" && grep -q "Quorva-$version-windows.zip" "Quorva/$guide" ||
        echec "$guide does not name version $version"
done
LC_ALL=C grep -q $'fran\xe7ais' Quorva/LISEZMOI.txt || echec "LISEZMOI.txt: no Windows-1252 accent"
# Every title's underline (a line of "=" or "-") as long as its title.
for guide in LISEZMOI.txt README.txt; do
    LC_ALL=C awk '/^(=+|-+)\r$/ && length($0) != length(titre) { print; e = 1 } { titre = $0 } END { exit e }' \
        "Quorva/$guide" >/dev/null || echec "$guide: a title underline that is not as long as its title"
done
# The text quorva-convert.exe --version prints.
LC_ALL=C grep -aq "quorva-convert $version" Quorva/quorva-convert.exe || echec "quorva-convert.exe does not hold version $version"
echo "ok: $build/Quorva/ and $zip ($(stat -c %s "$zip") bytes)"
