#!/usr/bin/env bash
# quorva.exe under Wine, with windows: the toolbar titled "Quorva", 128 x 26,
# glides to the top-right corner and opens its menu; a second quorva.exe
# shows the refusal message box and nothing else (its toolbar never comes
# over the box's OK) and, once it is dismissed, ends with code 1 (the
# single-instance guard through the Win32 window enumeration) while the
# first keeps running.
# Usage: barre_wine.sh QUORVA.EXE SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau_wine.sh"
quorva=$1 shots=$2
mkdir -p "$shots"
CAPTURE_ECHEC="$shots/wine_barre_failure.png"

demarrer_xvfb 1366x768x24
demarrer_openbox
lancer_windows PREMIER "$quorva"
barre=$(attendre_fenetre Quorva 60) || echec "no toolbar"
eval "$(xdotool getwindowgeometry --shell "$barre")"
[ "$WIDTH" = 128 ] && [ "$HEIGHT" = 26 ] || echec "toolbar of ${WIDTH}x${HEIGHT}, 128x26 expected"
depart_x=$X depart_y=$Y

# The arrival: the top-right corner, the menu open 20 pixels below the
# toolbar's top.
largeur_ecran=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
arrivee() {
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    [ "$X" = $((largeur_ecran - 129)) ] && [ "$Y" = 18 ]
}
attendre 15 arrivee || { eval "$(xdotool getwindowgeometry --shell "$barre")"; echec "toolbar at $X,$Y after its arrival"; }
# It glided there: it showed first away from the corner.
[ "$depart_x,$depart_y" != "$X,$Y" ] || echec "the toolbar showed in the corner at once, no glide"
attendre 10 menu_ouvert "$PREMIER" "$barre" || echec "no menu open below the toolbar"
sleep 0.5
import -window root "$shots/wine_toolbar_menu.png"
xdotool key Escape
sleep 0.5
import -window root "$shots/wine_toolbar.png"

echo "== second copy"
lancer_windows SECOND "$quorva"
attendre 60 fenetres_de "$SECOND" || echec "the second copy shows no message"
boite=$(fenetres_de "$SECOND" | head -n1)
[ "$(fenetres_de "$SECOND" | wc -l)" -eq 1 ] || echec "the second copy shows more than its message"
vivant "$SECOND" || echec "the second copy ended before its message was dismissed"
seul_le_message "$SECOND" "$boite" || echec "the second copy shows more than its message: $SOUS_LE_POINTEUR"
sleep 1
import -window root "$shots/wine_refusal.png"
fermer_message "$boite" "$SECOND" || echec "the second copy does not end after its message"
code=0
wait "$SECOND" || code=$?
[ "$code" -eq 1 ] || echec "exit code of the second copy: $code, 1 expected"
vivant "$PREMIER" || echec "the first copy ended"
attendre 10 fenetres_titre Quorva || echec "the first copy's toolbar is gone"
echo "ok"
