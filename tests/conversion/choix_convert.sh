#!/usr/bin/env bash
# quorva-convert's choices, one row each: the language (the toolbar's saved
# one, --lang over it), the reduction (the marks file's), what becomes of a
# marks file it cannot read, the tables of one it can, patterns, and the
# refusals of the command line, each with its exit status.
# Usage: choix_convert.sh QUORVA_CONVERT FIC_QUORVA RECORDING.wav
set -uo pipefail
convertir=$(realpath "$1") fic_quorva=$(realpath "$2") demo=$(realpath "$3")
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
export TMPDIR=$travail/tmp LC_ALL=C.UTF-8
mkdir -p "$TMPDIR/quorva" "$travail/prog" "$travail/d"
cp -r "$fic_quorva" "$travail/prog/"
cd "$travail/d"
echecs=0

# Before each row: the toolbar saved French; a.wav (20,000 samples) and
# long.wav (40,000: "Diminuer" reduces it by 2) without any file beside them.
preparer() {
    printf 'langue=2\r\n' > "$TMPDIR/quorva/langue_quorva.txt"
    rm -f ./*
    cp "$demo" a.wav
    sox "$demo" "$demo" long.wav
    sox "$demo" autre.wav reverse
}
qc() { "$convertir" --program-folder "$travail/prog" "$@"; }
# A pupil's work: long.wav reduced and validated in French, kept aside.
eleve() { qc --lang fr --factor auto --accept long.wav > /dev/null && mkdir -p ../eleve && cp long.wav.* ../eleve/; }
inchange() { for f in "$@"; do cmp -s "$f" "../eleve/$f" || return 1; done; }

# name | setup | arguments | status | text expected in the output | check afterwards
cas=(
"toolbar's language|:|a.wav|0|a.wav: |grep -aq 'Patin tract' a.wav.slk"
"--lang over it|:|--lang en a.wav|0|a.wav: |grep -aq 'Stick-slip' a.wav.slk"
"no preference: English|rm \$TMPDIR/quorva/langue_quorva.txt|a.wav|0|a.wav: |grep -aq 'Stick-slip' a.wav.slk"
"reduction of the marks file|eleve|--accept long.wav|0|long.wav: |inchange long.wav.slk long.wav.txt"
"its workbook without --accept|eleve; rm long.wav.slk|long.wav|0|long.wav: |inchange long.wav.slk long.wav.txt"
"another recording's marks|eleve; cp long.wav.txt keep; cp autre.wav long.wav|--accept long.wav|1|another recording|cmp -s keep long.wav.txt"
"damaged marks|printf 'x\\r\\n' > a.wav.txt|--accept a.wav|1|kept as it is|[ \"\$(cat a.wav.txt)\" = \$'x\\r' ]"
"an explicit other factor|eleve|--factor 3 --accept long.wav|1|another reduction|inchange long.wav.txt"
"a pattern|:|*.wav|0|autre.wav: |[ -s a.wav.slk ] && [ -s long.wav.slk ]"
"a pattern matching nothing|:|*.WAVE|1|no recording|:"
"pages only|eleve|--report-only long.wav|0|report long.wav.pdf|inchange long.wav.slk long.wav.txt && [ ! -e a.wav.slk ]"
"a report value that is no page|:|--report page a.wav|2|ends in .pdf or .png|[ ! -e a.wav.slk ]"
"pages only accept nothing|:|--report-only --accept a.wav|2|usage:|[ ! -e a.wav.slk ]"
"one page file for a folder|:|--report-only p.pdf .|1|takes one recording|[ ! -e p.pdf ]"
"an unknown language|:|--lang de a.wav|2|usage:|:"
"a summary without its folder|:|--class-report|2|usage:|:"
)
for ligne in "${cas[@]}"; do
    IFS='|' read -r nom preparation arguments attendu texte verification <<< "$ligne"
    preparer
    eval "$preparation"
    read -r -a args <<< "$arguments"
    sortie=$(set -f; qc "${args[@]}" 2>&1)
    code=$?
    if [ "$code" != "$attendu" ] || [[ $sortie != *"$texte"* ]] || ! eval "$verification"; then
        echo "FAIL $nom: status $code (expected $attendu), output: $sortie"
        echecs=$((echecs + 1))
    else
        echo "ok $nom"
    fi
    rm -rf ../eleve
done
exit $((echecs > 0))
