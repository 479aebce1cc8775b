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
