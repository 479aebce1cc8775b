#!/usr/bin/env bash
# A disk that fills while the workbook is written, then a file system where
# nothing may be written: quorva-convert fails with the cause ("le disque est
# plein", "n'est pas permise"), the old workbook stays whole and nothing is
# left beside it. The disk is a small tmpfs in a mount namespace of the
# test's own; where the system refuses one (some containers) the test is
# skipped, and the fake's injected failures (PiloteConversion.*) prove the
# texts.
# Usage: disque_plein.sh QUORVA_CONVERT FIC_QUORVA RECORDING.wav
set -euo pipefail
if [ "${1:-}" != --dedans ]; then
    for espace in "unshare -m" "unshare -rm"; do
        $espace true 2>/dev/null && exec $espace "$0" --dedans "$@"
    done
    echo "no mount namespace here: skipped"; exit 77
fi
convertir=$2 fic_quorva=$3 enregistrement=$4
travail=$(mktemp -d)
trap 'cd /; umount "$travail/disque" 2>/dev/null; rm -rf "$travail"' EXIT
mount --make-rprivate / 2>/dev/null || true
cp -r "$fic_quorva" "$travail/prog"
mkdir "$travail/disque"
mount -t tmpfs -o size=$(($(stat -c %s "$enregistrement") + 16384)) none "$travail/disque" ||
    { echo "no tmpfs here: skipped"; exit 77; }
cd "$travail/disque"
cp "$enregistrement" essai.wav
printf 'ID;ANCIEN\r\nE\r\n' | tee essai.wav.slk > "$travail/attendu"
for cas in "le disque est plein" "n'est pas permise"; do
    [ "$cas" = "le disque est plein" ] || mount -o remount,ro "$travail/disque"
    code=0
    # (without --accept, the marks file is not written: the workbook alone)
    "$convertir" --program-folder "$travail/prog" essai.wav > "$travail/sortie" 2>&1 || code=$?
    [ "$code" -eq 1 ] && grep -q "$cas" "$travail/sortie" || { echo "FAIL $cas: $code $(cat "$travail/sortie")"; exit 1; }
    cmp -s essai.wav.slk "$travail/attendu" && [ "$(ls -A)" = $'essai.wav\nessai.wav.slk' ] ||
        { echo "FAIL $cas: the old workbook changed or something was left: $(ls -A)"; exit 1; }
    echo "ok $cas"
done
