#!/usr/bin/env bash
# Runs the Windows tests under Wine, headless, in a Wine prefix of their own.
#   wine.sh demarrer          create the prefix (first boot, null display driver)
#   wine.sh demarrer-x11      create the prefix of the whole-program tests, which
#                             keeps Wine's X11 driver (tests/windows/bureau_wine.sh)
#   wine.sh lancer EXE ARGS   run a Windows program in it; its exit status
#   wine.sh arreter           stop the prefix's wineserver and remove the prefix
# Environment (set by tests/windows/CMakeLists.txt): QUORVA_WINE,
# QUORVA_WINESERVER, WINEPREFIX.
set -euo pipefail
: "${QUORVA_WINE:?}" "${QUORVA_WINESERVER:?}" "${WINEPREFIX:?}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers at the first boot, nothing here needs them; no
# menu entries or file types written into the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# The null display driver: windows exist, are enumerated and keep their
# titles without any X server, so nothing depends on the caller's DISPLAY.
unset DISPLAY WAYLAND_DISPLAY

prefixe_attendu() {
    case "$WINEPREFIX" in */wine-prefix | */wine-prefix-x11) ;; *) echo "unexpected WINEPREFIX $WINEPREFIX" >&2; exit 2 ;; esac
}

case "${1:-}" in
demarrer | demarrer-x11)
    prefixe_attendu
    "$QUORVA_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    if ! mkdir -p "$WINEPREFIX" 2>/dev/null || ! "$QUORVA_WINE" wineboot -i >/dev/null 2>&1; then
        echo "wine.sh: the Wine prefix $WINEPREFIX cannot be created (wineboot failed): no Windows test can run" >&2
        exit 1
    fi
    if [ "$1" = demarrer ]; then
        "$QUORVA_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
    fi
    # Let the server write the registry out and stop: the next program
    # starts with the null driver.
    "$QUORVA_WINESERVER" -w
    ;;
lancer)
    shift
    exec "$QUORVA_WINE" "$@"
    ;;
arreter)
    prefixe_attendu
    # -k waits until the prefix's server has ended (and with it every
    # program still running in the prefix).
    "$QUORVA_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    ;;
*)
    echo "usage: wine.sh demarrer | demarrer-x11 | lancer EXE [ARGS] | arreter" >&2
    exit 2
    ;;
esac
