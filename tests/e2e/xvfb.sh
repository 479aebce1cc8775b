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

# Xvfb on a free display :N, N drawn in 100..899 so that no other test
# (nor a script that takes :0 or :99 for granted) meets ours; the next
# number when that one is taken or the server does not come up.
demarrer_xvfb() {
    local essai n fin
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    for essai in $(seq 30); do
        n=$((100 + (RANDOM + $$ + essai) % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        lancer XVFB_PID Xvfb ":$n" -noreset -nolisten tcp -screen 0 1280x1024x24 2>/dev/null
        export DISPLAY=":$n"
        fin=$((SECONDS + 20))
        while kill -0 "$XVFB_PID" 2>/dev/null && ((SECONDS < fin)); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    echec "Xvfb ne demarre sur aucun affichage libre"
}

# Openbox is ready once it has announced itself and set up its desktops
# (done at the end of its start, after the theme and the configuration).
_wm_present() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' &&
        xprop -root _NET_NUMBER_OF_DESKTOPS | grep -q '= [0-9]'
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
