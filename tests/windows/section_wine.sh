#!/usr/bin/env bash
# quorva.exe under Wine: an added document opens through the file type
# Windows knows for it, from its menu entry and from its section window's
# row. In a copy of the portable folder, the first entry of the submenu
# "WORD DOCUMENTS ADDED", then a double-click on the first row of the
# section window that the heading "OTHER DOCUMENTS" opens, ask the shell to
# open the first added document; .doc is a file type of the test's own
# here: RECORDER --document "%1", which writes FILE.ouvert.
# Usage: section_wine.sh PORTABLE_FOLDER RECORDER.EXE SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau_wine.sh"
paquet=$1 enregistreur=$2 shots=$3
debut_essai "$shots" wine_section_failure.png
prog=$travail/Quorva
cp -r "$paquet" "$prog"
documents=$prog/fic_quorva/doc_word_ajoutes
premier=$(cd "$documents" && ls ./*.doc | sort | head -n 1)
premier=${premier#./}
[ -n "$premier" ] || echec "no added document in $documents"

temp_du_prefixe
preferer_anglais "$temp"
associer_enregistreur .doc "$enregistreur"

demarrer_xvfb 1366x768x24
demarrer_openbox
demarrer_quorva_exe "$prog/quorva.exe"

ouvrir_menu() {
    ouvrir_menu_barre "$QUORVA" "$barre" || echec "a click on the toolbar opens no menu"
}
ouvert() {
    attendre 20 test -s "$documents/$premier.ouvert" ||
        echec "$1 did not open $premier: $(ls "$documents")"
    grep -qi "doc_word_ajoutes\\\\$premier" "$documents/$premier.ouvert" ||
        echec "$1: the shell opened $(cat "$documents/$premier.ouvert")"
    rm -f "$documents/$premier.ouvert"
}

# From the bottom: "Quit Quorva", the TP submenu, the added documents'
# submenu (its first entry first), then their heading.
ouvrir_menu
xdotool key Up Up Up Right
sleep 0.3
xdotool key Return
ouvert "the added documents' submenu"
attendre 10 menu_ferme || echec "the menu stayed open"
ouvrir_menu
xdotool key Up Up Up Up Return
attendre 20 autre_fenetre || echec "no section window"
autre_fenetre
sleep 1
import -window root "$shots/wine_section.png"
eval "$(xdotool getwindowgeometry --shell "$fenetre")"
xdotool mousemove $((X + 20)) $((Y + 24)) click --repeat 2 --delay 80 1
ouvert "the section row"
vivant "$QUORVA" || echec "quorva.exe ended"
echo "section ok: $premier"
