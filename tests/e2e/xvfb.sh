# Shared by the whole-program tests (source it): an X server of the test's
# own on a free display, openbox on it, and the stop of every process the
# test started, by its pid, whatever happens (trap).
#
#   . tests/e2e/xvfb.sh
#   demarrer_xvfb            # exports DISPLAY
#   demarrer_openbox
#   lancer NOM commande...   # background process, pid in $NOM, stopped at the end
#
# Every wait is bounded; a test that fails says what it waited for.

_pids_a_arreter=()
_dossiers_a_effacer=()

arreter_tout() {
    local i pid
    for ((i = ${#_pids_a_arreter[@]} - 1; i >= 0; i--)); do
        pid=${_pids_a_arreter[i]}
        if kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null || true
        fi
        wait "$pid" 2>/dev/null || true
    done
    _pids_a_arreter=()
    for d in "${_dossiers_a_effacer[@]}"; do rm -rf -- "$d"; done
}
trap arreter_tout EXIT
trap 'exit 130' INT TERM

echec() {
    echo "ECHEC: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command to succeed.
attendre() {
    local limite=$1
    shift
    local fin=$((SECONDS + limite))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < fin)) || return 1
        sleep 0.1
    done
}

dossier_temporaire() {
    local d
    d=$(mktemp -d "${TMPDIR:-/tmp}/quorva-e2e-XXXXXX")
    _dossiers_a_effacer+=("$d")
    echo "$d"
}

# Starts a background command; its pid goes into the variable named $1 and
# into the list of processes stopped at the end.
lancer() {
    local nom=$1
    shift
    "$@" &
    local pid=$!
    _pids_a_arreter+=("$pid")
    printf -v "$nom" '%s' "$pid"
}

demarrer_xvfb() {
    local fichier
    fichier=$(dossier_temporaire)/display
    # -displayfd: the server itself takes the first free display number and
    # writes it once it accepts connections; no race with other tests.
    lancer XVFB_PID Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$fichier" 2>/dev/null
    attendre 20 grep -q '[0-9]' "$fichier" || echec "Xvfb ne demarre pas"
    export DISPLAY=":$(head -n1 "$fichier" | tr -dc 0-9)"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    attendre 10 xdpyinfo || echec "Xvfb $DISPLAY ne repond pas"
}

_wm_present() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

demarrer_openbox() {
    local journal essai
    journal=$(dossier_temporaire)/openbox.log
    for essai in 1 2; do
        lancer OPENBOX_PID openbox --sm-disable >"$journal" 2>&1
        attendre 20 _wm_present && return 0
        kill "$OPENBOX_PID" 2>/dev/null || true
    done
    echec "openbox ne demarre pas sur $DISPLAY: $(cat "$journal")"
}
