#!/usr/bin/env bash
# A teacher's end of the practical on a collected folder, one subfolder per
# machine: a reduced recording and a recording named in another alphabet
# validated in French, one without marks, one whose marks file is damaged,
# a file that is no recording. The guide's old command (--accept --report)
# and --report-only leave every pupil's file byte for byte as it was (the
# pages only are new), and the toolbar's "Synthèse de la classe..." writes
# the summary into the folder and opens it: its text read back with
# pdftotext. An empty folder's summary says so.
# Usage: ramassage.sh QUORVA_BINARY QUORVA_CONVERT_BINARY RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau.sh"
quorva=$1 convert=$2 recording=$3 shots=$4
debut_essai "$shots" ramassage_failure.png

export TMPDIR="$travail/tmp"
mkdir -p "$TMPDIR/quorva"
printf 'langue=2\r\n' > "$TMPDIR/quorva/langue_quorva.txt"
classe=$travail/Ramassage
mkdir -p "$classe/poste1" "$classe/poste2" "$classe/poste3" "$travail/vide"
sox "$recording" "$recording" "$classe/poste1/groupe1.wav"
sox "$recording" "$classe/poste2/Łukasz.wav" reverse
cp "$recording" "$classe/poste3/groupe3.wav"
cp "$recording" "$classe/poste3/groupe4.wav"
echo "pas un enregistrement" > "$classe/poste3/faux.wav"
# The pupils' OK (in the toolbar's language, French), then a damaged file.
"$convert" --factor auto --accept "$classe/poste1/groupe1.wav" "$classe/poste2/Łukasz.wav" >/dev/null ||
    echec "the pupils' conversion failed"
printf 'abîmé\r\n' > "$classe/poste3/groupe4.wav.txt"
empreintes() { (cd "$classe" && find . -type f ! -name '*.pdf' | sort | xargs -d '\n' md5sum); }
empreintes > "$travail/avant"
validees=$(grep -E 'groupe1|Łukasz' "$travail/avant")
cp "$classe/poste1/groupe1.wav.slk" "$travail/"

# The guide's old command: the validated workbooks and marks files stay;
# the damaged file stays, and the command says it failed.
"$convert" --accept --report "$classe"/*/*.wav >"$travail/sortie" 2>&1 && echec "--accept --report said it succeeded"
grep -q "kept as it is" "$travail/sortie" || echec "the damaged marks file was not said kept: $(cat "$travail/sortie")"
diff <(echo "$validees") <(empreintes | grep -E 'groupe1|Łukasz') || echec "--accept changed a validated pupil's files"
grep -q "groupe4.wav.txt" <(empreintes | grep -Fx -f "$travail/avant") || echec "--accept replaced the damaged marks file"

# Pages only: nothing else written, the undetected marks said.
rm -f "$classe"/*/*.slk "$classe"/*/*.pdf "$classe/poste3/groupe3.wav.txt"
(cd "$classe" && find . -type f | sort | xargs -d '\n' md5sum) > "$travail/avant_pages"
"$convert" --report-only "$classe" >"$travail/sortie" 2>&1 && echec "--report-only hid the damaged marks file"
(cd "$classe" && find . -type f ! -name '*.pdf' | sort | xargs -d '\n' md5sum) | diff "$travail/avant_pages" - ||
    echec "--report-only wrote something else than pages"
for page in poste1/groupe1.wav poste2/Łukasz.wav poste3/groupe3.wav poste3/groupe4.wav; do
    [ -s "$classe/$page.pdf" ] || echec "no page for $page: $(cat "$travail/sortie")"
done
pdftotext "$classe/poste3/groupe3.wav.pdf" - | grep -q "non vérifiées" || echec "a page of detected marks does not say so"
pdftotext "$classe/poste1/groupe1.wav.pdf" - | grep -q "non vérifiées" && echec "a validated page says its marks were not checked"

# The summary from the toolbar: the entry after "Lire convertir", the
# folder typed into its dialog; the page opened through the shell.
demarrer_barre "$quorva"
xdotool key Escape
sleep 0.3
bas=7
command -v audacity >/dev/null 2>&1 && bas=8
xdotool mousemove $((X + 70)) $((Y + 12)) click 1
sleep 0.5
for _ in $(seq "$bas"); do xdotool key Down; done
xdotool key Return
sleep 1
import -window root "$shots/ramassage_dossier.png"
xdotool type --delay 20 "$classe"
xdotool key Return
attendre_ouverture "synthese_classe.pdf" 30 || echec "the summary was not opened"
texte=$(pdftotext -raw "$classe/synthese_classe.pdf" -)
for attendu in "synthèse de la classe" "poste1 groupe1.wav" "Łukasz.wav" "validées" "détectées" "abîmé" \
    "faux.wav" "Toute la classe : r ="; do
    [[ $texte == *"$attendu"* ]] || echec "the summary lacks \"$attendu\": $texte"
done
[ -s "$classe/synthese_classe.slk" ] || echec "no summary workbook"
# The row's coefficients are the pupil's workbook's cached CORREL values.
correl=$(grep -a ';ECORREL' "$travail/groupe1.wav.slk" | sed 's/.*;K\([^;]*\);E.*/\1/' | xargs printf '%.3f ')
[[ $texte == *"poste1 groupe1.wav "*" ${correl% } validées"* ]] || echec "groupe1's coefficients are not its workbook's ($correl)"
(cd "$classe" && find . -type f ! -name '*.pdf' ! -name 'synthese_classe.slk' | sort | xargs -d '\n' md5sum) |
    diff "$travail/avant_pages" - || echec "the summary changed a pupil's file"
vivant "$QUORVA" || echec "quorva ended"

# An empty folder: a page that says so.
"$convert" --class-report "$travail/vide" >/dev/null 2>&1 || echec "the summary of an empty folder failed"
pdftotext "$travail/vide/synthese_classe.pdf" - | grep -q "Aucun enregistrement" || echec "the empty summary says nothing"
echo "ramassage ok"
