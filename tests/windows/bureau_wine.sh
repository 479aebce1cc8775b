# The test desktop of the whole-program tests under Wine: tests/e2e/bureau.sh
# (a private Xvfb with openbox, every process stopped by pid) with Wine's X11
# driver on it, in the Wine prefix $WINEPREFIX made for these tests
# (wine.sh demarrer-x11). At the end the prefix's wineserver is stopped, and
# with it every Windows program the test started, pass or fail.
#
#   . "$(dirname "$0")/bureau_wine.sh"
#   demarrer_xvfb; demarrer_openbox
#   lancer_windows NOM programme.exe args...   # pid in $NOM (the Unix process)
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
    "$QUORVA_WINESERVER" -k 2>/dev/null || true
    # (bash would report each Wine process that -k killed.)
    arreter_tout 2>/dev/null
}
trap _arreter_wine_et_tout EXIT

# A Windows program in the background: the Unix process Wine runs it in
# (its windows carry that pid).
lancer_windows() {
    local _nom=$1
    shift
    lancer "$_nom" "$QUORVA_WINE" "$@"
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
