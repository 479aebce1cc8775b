#!/usr/bin/env bash
# quorva-convert.exe --report under Wine (handing over to quorva-rapport.exe)
# writes the report whose text, read back with pdftotext, is the Linux
# quorva-convert's for the same recording and language (but for the date);
# a quorva-rapport.exe that crashes is said as such, and fails the command.
# Usage: rapport_wine.sh QUORVA-CONVERT.EXE LINUX_QUORVA-CONVERT RECORDING.wav FIN_ANORMALE.EXE
# Environment: as tests/windows/wine.sh.
set -euo pipefail
exe=$(realpath "$1") linux=$(realpath -m "$2") enregistrement=$(realpath "$3") plantage=$(realpath "$4")
lanceur=$(realpath "$(dirname "$0")/wine.sh")
if [ ! -x "$linux" ]; then
    echo "the Linux quorva-convert is not built ($linux): build the Linux side first"
    exit 77
fi
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
export LC_ALL=C.UTF-8
for systeme in linux windows; do
    mkdir -p "$travail/$systeme"
    cp "$enregistrement" "$travail/$systeme/essai.wav"
done
(cd "$travail/linux" && "$linux" --lang fr --accept --report essai.wav >/dev/null 2>&1) ||
    { echo "ECHEC: the Linux quorva-convert --report failed"; exit 1; }
(cd "$travail/windows" && "$lanceur" lancer "$exe" --lang fr --accept --report essai.wav) ||
    { echo "ECHEC: quorva-convert.exe --report failed"; exit 1; }
[ -s "$travail/windows/essai.wav.pdf" ] || { echo "ECHEC: no essai.wav.pdf from quorva-convert.exe"; exit 1; }
# Word by word in the order they are drawn: the fonts, and so the spacing, differ.
sans_date() { pdftotext -raw "$1" - | sed -E 's/[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}//' | tr -s '[:space:]' '\n'; }
diff <(sans_date "$travail/linux/essai.wav.pdf") <(sans_date "$travail/windows/essai.wav.pdf") ||
    { echo "ECHEC: the reports' texts differ between Linux and Windows"; exit 1; }
sans_date "$travail/windows/essai.wav.pdf" | grep -qx "corrélation" ||
    { echo "ECHEC: no coefficient in the report"; exit 1; }

# A report program that crashed: not one that "cannot be started".
mkdir -p "$travail/plante"
cp "$exe" "$travail/plante/quorva-convert.exe"
cp "$plantage" "$travail/plante/quorva-rapport.exe"
cp "$enregistrement" "$travail/plante/essai.wav"
if (cd "$travail/plante" && "$lanceur" lancer "$travail/plante/quorva-convert.exe" --report essai.wav) \
    >"$travail/plante/sortie" 2>&1; then
    echo "ECHEC: a crashed quorva-rapport.exe reported as a success"; exit 1
fi
grep -q "quorva-rapport ended abnormally (status 0xC0000005)" "$travail/plante/sortie" ||
    { echo "ECHEC: the crash is not said:"; cat "$travail/plante/sortie"; exit 1; }
echo "ok"
