#!/usr/bin/env bash
# The portable folder a teacher copies: the target `package` makes Quorva/
# (quorva.exe, quorva-convert.exe, the demo fic_quorva/) and its zip, which
# holds the same folder. The whole-program tests under Wine then run the
# quorva.exe of that folder.
# Usage: paquet.sh BUILD_FOLDER CONFIG
set -euo pipefail
build=$1 config=$2
cmake --build "$build" --target package --config "$config" >/dev/null
cd "$build"
zip=$(ls Quorva-*-windows.zip)
contenu=$(cmake -E tar tf "$zip")
for f in quorva.exe quorva-convert.exe fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav fic_quorva/patin_tracte_base.slk; do
    [ -s "Quorva/$f" ] || { echo "ECHEC: Quorva/$f missing"; exit 1; }
    grep -qx "Quorva/$f" <<<"$contenu" || { echo "ECHEC: $zip lacks Quorva/$f"; exit 1; }
done
# Nothing else at the top of the folder: the programs stand alone.
autres=$(ls Quorva | grep -vx -e quorva.exe -e quorva-convert.exe -e fic_quorva || true)
[ -z "$autres" ] || { echo "ECHEC: unexpected files in Quorva/: $autres"; exit 1; }
echo "ok: $build/Quorva/ and $zip ($(stat -c %s "$zip") bytes)"
