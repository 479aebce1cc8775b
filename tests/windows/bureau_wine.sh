# The test desktop of the whole-program tests under Wine: tests/e2e/bureau.sh
# (a private Xvfb with openbox, every process stopped by pid) with Wine's X11
# driver on it, in the Wine prefix $WINEPREFIX made for these tests
# (wine.sh demarrer-x11). At the end the prefix's wineserver is stopped, and
# with it every Windows program the test started, pass or fail.
#
#   . "$(dirname "$0")/bureau_wine.sh"
#   demarrer_xvfb; demarrer_openbox
#   lancer_windows NOM programme.exe args...   # pid in $NOM (the Unix process)
#   menu_ouvert PID BARRE                      # the toolbar's menu is showing
#   chemin_windows /chemin/unix                # Z:\chemin\unix
#   dossier_temp_windows                       # the prefix's %TEMP%, as a Unix path
#   associer_enregistreur .ext RECORDER.exe    # the file type opens with the recorder
#   demarrer_quorva_exe quorva.exe             # started and arrived: $QUORVA, $barre
#   autre_fenetre                              # a window other than the toolbar in $fenetre
#   choisir_enregistrement /chemin/essai.wav   # answers the open dialog
#   graphique                                  # the chart window in $chart
# Environment (tests/windows/CMakeLists.txt): QUORVA_WINE, QUORVA_WINESERVER,
# WINEPREFIX.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/bureau.sh"
: "${QUORVA_WINE:?}" "${QUORVA_WINESERVER:?}" "${WINEPREFIX:?}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko, and no menu entries or file types written into the
# user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

_arreter_wine_et_tout() {
    # The test has said its word: bash would only report each Wine process
    # that -k killed.
    exec 2>/dev/null
    "$QUORVA_WINESERVER" -k || true
    arreter_tout
}
trap _arreter_wine_et_tout EXIT

# A Windows program in the background: the Unix process Wine runs it in
# (its windows carry that pid).
lancer_windows() {
    local _nom=$1
    shift
    lancer "$_nom" "$QUORVA_WINE" "$@"
}

# True when the process $1 shows its menu: a window other than the toolbar
# $2, over 100 pixels tall, hanging 20 pixels below the toolbar's top.
menu_ouvert() {
    local id haut
    eval "$(xdotool getwindowgeometry --shell "$2")"
    haut=$((Y + 20))
    for id in $(fenetres_de "$1"); do
        [ "$id" = "$2" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$Y" = "$haut" ] && [ "$HEIGHT" -gt 100 ] && return 0
    done
    return 1
}

# The Windows path of a Unix one, through Wine's drive Z:.
chemin_windows() {
    printf 'Z:%s' "${1//\//\\}"
}

# The Unix folder behind the prefix's %TEMP%.
dossier_temp_windows() {
    local temp
    temp=$("$QUORVA_WINE" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
    "$QUORVA_WINE" winepath -u "$temp" 2>/dev/null | tr -d '\r'
}

# Opens the menu of the toolbar $2 (process $1), closed, with a click on its
# label: a click that comes while a menu just chosen from is still closing
# is taken by it, so the click is made again, at most three times, as long
# as no menu shows.
ouvrir_menu_barre() {
    local _essai
    for _essai in 1 2 3; do
        eval "$(xdotool getwindowgeometry --shell "$2")"
        xdotool mousemove $((X + 70)) $((Y + 12)) click 1
        attendre 3 menu_ouvert "$1" "$2" && { sleep 0.5; return 0; }
    done
    return 1
}

# Files of the extension $1 (".slk") open, in the prefix, with the test's
# recorder $2 (RECORDER --document "%1", which writes FILE.ouvert).
associer_enregistreur() {
    local type=Quorva.Essai${1#.}
    "$QUORVA_WINE" reg add "HKCR\\$1" /ve /d "$type" /f >/dev/null 2>&1 &&
        "$QUORVA_WINE" reg add "HKCR\\$type\\shell\\open\\command" /ve \
            /d "\"$(chemin_windows "$2")\" --document \"%1\"" /f >/dev/null 2>&1 ||
        echec "the file type $1 could not be registered"
}

# Sets temp: the prefix's %TEMP%, as a Unix folder.
temp_du_prefixe() {
    temp=$(dossier_temp_windows)
    [ -d "$temp" ] || echec "no temporary folder in the Wine prefix: '$temp'"
}

# Starts quorva.exe $1 on the 1366 x 768 test screen (its process in
# $QUORVA, its toolbar in $barre) and lets its arrival end: the toolbar in
# the top-right corner, the menu it opens there closed again.
demarrer_quorva_exe() {
    lancer_windows QUORVA "$1"
    barre=$(attendre_fenetre Quorva 60) || echec "no toolbar"
    attendre 15 _barre_arrivee || echec "the toolbar did not reach the top-right corner"
    attendre 10 menu_ouvert "$QUORVA" "$barre" || echec "no menu after the arrival"
    xdotool key Escape
    attendre 10 menu_ferme || echec "Escape left the menu open"
}
_barre_arrivee() {
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    [ "$X" = 1237 ] && [ "$Y" = 18 ]
}
menu_ferme() { ! menu_ouvert "$QUORVA" "$barre"; }

# Sets fenetre to a window of quorva.exe other than its toolbar (an open
# dialog, a section window), when there is one.
autre_fenetre() {
    local id
    fenetre=""
    for id in $(fenetres_de "$QUORVA"); do
        [ "$id" != "$barre" ] && { fenetre=$id; return 0; }
    done
    return 1
}

# The open dialog of the menu's conversion entry: the path $1 typed, then
# Return.
choisir_enregistrement() {
    attendre 20 autre_fenetre || echec "no open dialog"
    autre_fenetre
    sleep 1
    xdotool windowactivate --sync "$fenetre" >/dev/null 2>&1 || true
    xdotool type --delay 20 "$(chemin_windows "$1")"
    xdotool key Return
}

# Sets chart to the chart window (quorva.exe's window 1130 pixels wide), when
# there is one.
graphique() {
    local id
    chart=""
    for id in $(fenetres_de "$QUORVA"); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" = 1130 ] && { chart=$id; return 0; }
    done
    return 1
}
