#!/usr/bin/env bash
# The pupil's report from the real program: quorva-convert --report, with
# and without --accept, and with the pupil's marks file (its last mark
# deleted), gives each coefficient of the workbook written beside it, to
# the digits shown; a recording read through the menu; in the
# chart, Ctrl+C puts the page's figure of the view on the clipboard (a PNG
# whose mark columns are red where the detected marks are), and "Save the
# report..." (the popup's last entry, the proposed name accepted) writes
# <recording>.pdf, whose text is the one quorva-convert --report gives for
# the same recording (but for the date and the line saying the marks are
# not yet written), while the marks file is not written.
# Usage: rapport.sh QUORVA_BINARY QUORVA_CONVERT_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 convert=$2 recording=$3 shots=$4
debut_essai "$shots" rapport_failure.png

export TMPDIR="$travail/tmp"
preferer_anglais "$TMPDIR"
mkdir -p "$travail/rec" "$travail/ref" "$travail/det"
cp "$recording" "$travail/rec/essai.wav"
cp "$recording" "$travail/ref/essai.wav"
cp "$recording" "$travail/det/essai.wav"
"$convert" --report "$travail/det/essai.wav" >"$travail/det/sortie" 2>&1 || echec "quorva-convert --report failed"
grep -q XDG_RUNTIME_DIR "$travail/det/sortie" && echec "quorva-convert --report printed Qt's XDG_RUNTIME_DIR line"
"$convert" --accept --report "$travail/ref/essai.wav" >/dev/null 2>&1 || echec "quorva-convert --accept --report failed"
mkdir -p "$travail/mar"
cp "$recording" "$travail/mar/essai.wav"
awk '/^Pointes\r?$/ { p = NR } p && NR == p + 1 { n = $1 - 1; printf "%d\r\n", n; next } p && NR > p + 1 + 2 * n { exit } { print }' \
    "$travail/ref/essai.wav.txt" >"$travail/mar/essai.wav.txt"
"$convert" --report "$travail/mar/essai.wav" >/dev/null 2>&1 || echec "quorva-convert --report with a marks file failed"
# The page's r values are the workbook's cached CORREL values, rounded.
for d in det ref mar; do
    attendus=$(grep -a ';ECORREL' "$travail/$d/essai.wav.slk" | sed 's/.*;K\([^;]*\);ECORREL.*/\1/' |
        while read -r v; do LC_ALL=C printf '%.3f\n' "$v"; done | sort)
    obtenus=$(pdftotext "$travail/$d/essai.wav.pdf" - | sed -n 's/.*r = \(-\?[0-9.]*\).*/\1/p' | sort)
    [ -n "$attendus" ] && [ "$attendus" = "$obtenus" ] || echec "$d: the page's r ($obtenus) is not the workbook's ($attendus)"
done
pdftotext "$travail/det/essai.wav.pdf" - | grep -q "Detected marks, not checked" || echec "the page without --accept does not say its marks are unchecked"
lignes=$(head -1 "$travail/ref/essai.wav.txt" | tr -d '\r')
positions() { awk 'p == 1 { n = $1 + 0; p = 2; next } p == 2 && n > 0 { if (k++ % 2 == 0) printf "%d\n", $1 + 0; if (k == 2 * n) exit } /^Pointes\r?$/ { p = 1 }' "$1"; }
mapfile -t marques < <(positions "$travail/ref/essai.wav.txt")
((${#marques[@]} >= 1)) || echec "no mark detected in the recording"

demarrer_barre "$quorva"
sleep 1
convertir_jusqu_au_chart "$travail/rec/essai.wav"

# The clipboard: the full view, the curve from x = 70, y = 48, under the
# marks' numbers, with its captions.
xdotool key ctrl+c
sleep 0.5
xclip -selection clipboard -t image/png -o >"$travail/vue.png" 2>/dev/null || echec "no image on the clipboard"
for x in "${marques[@]}"; do
    c=$(awk -v x="$x" -v n="$lignes" 'BEGIN { v = (x - 1) * 1081 / n; r = int(v); d = v - r; if (d > 0.5 || (d == 0.5 && r % 2)) r++; print 70 + r }')
    couleur=$(convert "$travail/vue.png" -format "%[pixel:p{$c,56}]" info:)
    case "$couleur" in srgb\(255,0,0\) | red) ;; *) echec "mark $x: column $c is $couleur, not red" ;; esac
done

# "Save the report...": right click on the curve, the last entry, Return in
# the save dialog.
fenetre=$(attendre_fenetre essai.wav 5) || echec "no chart titled essai.wav"
eval "$(xdotool getwindowgeometry --shell "$fenetre")"
xdotool mousemove $((X + 24 + 3)) $((Y + 32 + 60)) click 3
sleep 0.5
import -window root "$shots/rapport_menu.png"
xdotool key Up Return
dialogue=$(attendre_fenetre "Save the report" 10) || echec "no save dialog"
import -window root "$shots/rapport_dialogue.png"
xdotool windowactivate --sync "$dialogue" 2>/dev/null || true
xdotool key Return
attendre 20 test -s "$travail/rec/essai.wav.pdf" || echec "no report written"
[ -e "$travail/rec/essai.wav.txt" ] && echec "saving the report wrote the marks file"
# The chart's page says its marks are before OK; --accept's are OK's.
pdftotext -raw "$travail/rec/essai.wav.pdf" - | grep -q "before OK" || echec "the chart's report does not say its marks are before OK"
sans_date() { pdftotext -raw "$1" - | sed -E 's/[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}//; /before OK/d' | tr -s '[:space:]' '\n'; }
diff <(sans_date "$travail/ref/essai.wav.pdf") <(sans_date "$travail/rec/essai.wav.pdf") >&2 ||
    echec "the chart's report and quorva-convert's differ"
pdftotext "$travail/rec/essai.wav.pdf" - | grep -q "${#marques[@]} marks" || echec "the report does not count the marks"
xdotool key Return  # OK
attendre_ouverture "essai.wav.slk" 20 || echec "the workbook was not handed to the shell"
vivant "$QUORVA" || echec "quorva ended"
echo "rapport ok: ${#marques[@]} marks red on the clipboard, report as quorva-convert's"
