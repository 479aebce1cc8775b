#!/usr/bin/env bash
# Whole-program test of the launcher: the real quorva in a program folder of
# its own, under a private Xvfb with openbox. A document dropped into the
# data folder's "doc_word_ajoutes" gets a menu entry; choosing it asks the
# shell to open it (a stub xdg-open first on PATH records what it is given).
# The same document, double-clicked in the "other documents" section window,
# is opened again. Every process started here is stopped by its id.
#
# Use: lanceur.sh /path/to/quorva
set -u
quorva_bin=$1

. "$(dirname "$0")/bureau.sh"
dossier_temporaire travail
CAPTURE_ECHEC=${CTEST_ARTEFACT:-/tmp}/quorva-lanceur-echec.png

# The program folder: the program, and a data folder with one added document.
prog="$travail/prog"
mkdir -p "$prog/fic_quorva/doc_word_ajoutes" "$travail/home" "$travail/tmp"
cp "$quorva_bin" "$prog/quorva"
printf 'Le\xe7on de sismologie\r\n' > "$prog/fic_quorva/doc_word_ajoutes/Lecon sismique.doc"
export HOME="$travail/home" TMPDIR="$travail/tmp" XDG_CONFIG_HOME="$travail/home/.config"

installer_xdg_open
demarrer_xvfb 1366x768x24
demarrer_openbox

# Opens the toolbar's menu with a click on its label, from a closed menu.
ouvrir_menu() {
    xdotool key Escape key Escape
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    xdotool mousemove $((X + 64)) $((Y + 13)) click 1
    sleep 0.5
}

lancer QUORVA env -C "$prog" ./quorva
barre=$(attendre_fenetre Quorva) || echec "the toolbar did not appear"
# The start-up sequence, then the arrival animation (which opens the menu).
sleep 3
grep -q "langue=2" "$travail/tmp/quorva/langue_quorva.txt" 2>/dev/null || echec "the language preference was not written"
[ -d "$prog/fic_quorva/films_ajoutes" ] || echec "the added-films folder was not made ready"

# Last entry "Quitter Quorva", then, above the separator line, the added
# documents' submenu (every other entry of the bottom of the menu is hidden
# with this data folder): open it and choose its one document.
ouvrir_menu
xdotool key Up Up Right
sleep 0.3
xdotool key Return
attendre_ouverture "doc_word_ajoutes/Lecon sismique.doc" || echec "the added document was not opened"
[ "$(grep -c . "$OUVERTURES")" -eq 1 ] || echec "one open expected"
grep -qx "$prog/fic_quorva/doc_word_ajoutes/Lecon sismique.doc" "$OUVERTURES" ||
    echec "the shell was not given the document's whole path as one argument"

# The heading above: the "other documents" section window lists it; a
# double-click on its row opens it again.
ouvrir_menu
xdotool key Up Up Up Return
section=$(attendre_fenetre form_TP) || echec "the section window did not appear"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$section")"
xdotool mousemove $((X + 20)) $((Y + 24)) click --repeat 2 --delay 80 1
deux_ouvertures() { [ "$(grep -c . "$OUVERTURES")" -ge 2 ]; }
attendre 10 deux_ouvertures
[ "$(grep -c "Lecon sismique.doc" "$OUVERTURES")" -eq 2 ] || echec "the section row did not open the document"

vivant "$XVFB_PID" || echec "Xvfb stopped"
echo "launcher e2e: ok"
