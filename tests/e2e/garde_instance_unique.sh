#!/usr/bin/env bash
# The single-instance guard of the real program, under Xvfb and openbox: a
# copy started alone shows its 128 x 26 toolbar titled "Quorva"; a second copy
# shows the refusal message box and, once it is dismissed, ends with code 1
# while the first keeps running.
# Usage: garde_instance_unique.sh <quorva>
set -euo pipefail
. "$(dirname "$0")/bureau.sh"
quorva=$(realpath "$1")

demarrer_xvfb
demarrer_openbox
# Nothing of the user's is touched: home, desktop and temporary folder are
# the test's own.
dossier_temporaire maison
export HOME=$maison TMPDIR=$maison XDG_CONFIG_HOME=$maison/.config XDG_RUNTIME_DIR=$maison/run LC_ALL=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The first copy's arrival opens its menu: a key meant for the second's
# message may open an entry's document there, which the stub takes.
installer_xdg_open
cd "$maison"

fenetres_quorva() { fenetres_titre Quorva || true; }
une_fenetre_quorva() { [ "$(fenetres_quorva | wc -l)" -eq 1 ]; }

echo "== premier exemplaire"
lancer PREMIER "$quorva"
attendre 30 une_fenetre_quorva || echec "pas de fenetre Quorva visible: $(fenetres_quorva | wc -l)"
barre=$(fenetres_quorva)
eval "$(xdotool getwindowgeometry --shell "$barre")"
[ "$WIDTH" -eq 128 ] && [ "$HEIGHT" -eq 26 ] || echec "barre de ${WIDTH}x${HEIGHT}, 128x26 attendu"
titre=$(xdotool getwindowname "$barre")
[ "$titre" = "Quorva" ] || echec "titre \"$titre\""
# Alone, it is not refused: it keeps running.
sleep 1
vivant "$PREMIER" || echec "le premier exemplaire s'est arrete seul"

echo "== second exemplaire"
lancer SECOND "$quorva"
attendre 30 fenetres_de "$SECOND" || echec "le second exemplaire ne montre pas de message"
boite=$(fenetres_de "$SECOND" | head -n1)
# The message box is the second copy's only visible window: its toolbar
# never shows.
[ "$(fenetres_de "$SECOND" | wc -l)" -eq 1 ] || echec "le second montre plus qu'un message"
[ "$(fenetres_quorva | grep -cx "$barre")" -eq 1 ] || echec "la barre du premier a disparu"
vivant "$SECOND" || echec "le second s'est arrete sans attendre qu'on ferme le message"
seul_le_message "$SECOND" "$boite" || echec "le second montre plus que son message: $SOUS_LE_POINTEUR"

fermer_message "$boite" "$SECOND" || echec "le second ne se termine pas apres le message"
code=0
wait "$SECOND" || code=$?
[ "$code" -eq 1 ] || echec "code de sortie du second: $code, 1 attendu"

echo "== le premier continue"
vivant "$PREMIER" || echec "le premier exemplaire s'est arrete"
barre_visible() { fenetres_quorva | grep -qx "$barre"; }
# (xdotool's search may trip over the second's windows as they go: ask
# again rather than take one failed search for an answer.)
attendre 10 barre_visible || echec "la barre du premier n'est plus visible"
# The second's windows go with its connection, a moment after its end.
attendre 10 une_fenetre_quorva || echec "$(fenetres_quorva | wc -l) fenetres Quorva apres le refus"
kill "$PREMIER"
attendre 10 termine "$PREMIER" || echec "le premier ne s'arrete pas"

echo "== une fenetre d'un autre programme titree Quorva"
# A folder window named "Quorva", or any other program's window of that
# title, is no running copy: the program starts.
lancer AUTRE xmessage -title Quorva "Quorva"
attendre 10 une_fenetre_quorva || echec "la fenetre de xmessage n'apparait pas"
lancer TROISIEME "$quorva"
# Its toolbar (128 x 26) shows: a refused copy would show only its message.
barre_du_troisieme() {
    local w
    for w in $(fenetres_de "$TROISIEME"); do
        [ "$(xdotool getwindowname "$w")" = Quorva ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -eq 128 ] && [ "$HEIGHT" -eq 26 ] && return 0
    done
    return 1
}
attendre 30 barre_du_troisieme || echec "refuse a cause de la fenetre d'un autre programme"
kill "$TROISIEME" "$AUTRE"
attendre 10 termine "$TROISIEME" || echec "le troisieme ne s'arrete pas"
attendre 10 termine "$AUTRE" || echec "xmessage ne s'arrete pas"
aucune_fenetre_quorva() { [ -z "$(fenetres_quorva)" ]; }
attendre 10 aucune_fenetre_quorva || echec "des fenetres Quorva restent"

echo "== le fichier du programme remplace pendant qu'il tourne"
# An update puts a new program file in place of the running one: the copy
# that runs is still Quorva, and the next copy is refused.
mkdir "$maison/prog"
cp "$quorva" "$maison/prog/quorva"
lancer ANCIEN "$maison/prog/quorva"
attendre 30 une_fenetre_quorva || echec "la copie du programme ne montre pas sa barre"
cp "$quorva" "$maison/prog/neuf" && mv -f "$maison/prog/neuf" "$maison/prog/quorva"
lancer NOUVEAU "$maison/prog/quorva"
attendre 30 fenetres_de "$NOUVEAU" || echec "le nouveau ne montre rien"
fermer_message "$(fenetres_de "$NOUVEAU" | head -n1)" "$NOUVEAU" || echec "le nouveau n'est pas refuse"
code=0
wait "$NOUVEAU" || code=$?
[ "$code" -eq 1 ] && vivant "$ANCIEN" || echec "nouveau sorti avec $code, ou l'ancien arrete"
kill "$ANCIEN"

echo "== sans affichage X11, sans HOME ni dossier temporaire"
# Offscreen the search sees the program's own windows only: each copy
# starts, and none is refused.
sans_x11=(env -u HOME -u DISPLAY QT_QPA_PLATFORM=offscreen TMPDIR=/dossier/absent "$quorva")
lancer HORS_X11_1 "${sans_x11[@]}"
lancer HORS_X11_2 "${sans_x11[@]}"
sleep 3
vivant "$HORS_X11_1" || echec "hors X11, le premier ne demarre pas"
vivant "$HORS_X11_2" || echec "hors X11, le second est refuse ou s'arrete"
echo "ok"
