# The test desktop every whole-program test sources: an X server of the
# test's own on a free display, openbox on it, a stub xdg-open that records
# what the program hands to the shell, waits for windows and opens, and the
# end of everything the test started, by pid, pass or fail (trap).
#
#   . "$(dirname "$0")/bureau.sh"
#   demarrer_xvfb [1366x768x24]   # exports DISPLAY; screen 1280x1024x24 by default
#   demarrer_openbox
#   installer_xdg_open            # exports OUVERTURES, the file it records into
#   lancer NOM commande...        # in the background, pid in $NOM, stopped at the end
#   dossier_temporaire NOM        # folder in $NOM, removed at the end
#   id=$(attendre_fenetre "Titre exact" 10) || echec "..."
#   attendre_ouverture MOTIF 10 || echec "..."
#   fermer_message BOITE PID || echec "..."   # Return on a message box
#   CAPTURE_ECHEC=fichier.png     # echec keeps a screenshot there
#   debut_essai DOSSIER capture.png   # screenshots in DOSSIER, a folder in $travail
#   preferer_anglais DOSSIER          # the program's language preference under DOSSIER
#   attendre_arrivee "$toolbar" || echec "..."   # toolbar in its corner, at X,Y
#   demarrer_barre QUORVA_BINARY  # the desktop, the program, its toolbar arrived at X,Y
#   convertir_par_menu X Y FICHIER.wav   # toolbar at X,Y: the menu's conversion
#   chart=$(attendre_chart "$QUORVA") || echec "..."
#   pointeur_sur FENETRE X Y || echec "... $SOUS_LE_POINTEUR"   # nothing covers X,Y
#   seul_le_message PID BOITE || echec "... $SOUS_LE_POINTEUR"  # a refused copy shows its box only
#   convertir_jusqu_au_chart FICHIER.wav [aide.png]   # menu open at X,Y: to the chart, in $chart
#
# lancer and dossier_temporaire remember what they made in this shell: call
# them directly, never inside $(...); their locals begin with "_" so that the
# variable a caller names is never one of them. Every wait is bounded.

_pids_a_arreter=()
_dossiers_a_effacer=()
# Where the test's folders go, whatever TMPDIR the test gives its program.
_dossier_temporaire_parent=${TMPDIR:-/tmp}

# Only a child of this shell is stopped: a pid the test has already waited
# for may since belong to someone else.
_enfant() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    set -- $stat
    [ "$2" = "$$" ]
}

arreter_tout() {
    local i pid dossier
    for ((i = ${#_pids_a_arreter[@]} - 1; i >= 0; i--)); do
        pid=${_pids_a_arreter[i]}
        _enfant "$pid" || continue
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    _pids_a_arreter=()
    for dossier in "${_dossiers_a_effacer[@]}"; do rm -rf -- "$dossier"; done
    _dossiers_a_effacer=()
}
trap arreter_tout EXIT
trap 'exit 130' INT TERM

# Says what failed, with what the stub xdg-open recorded, keeps a picture of
# the screen when $CAPTURE_ECHEC names a file, and ends the test.
echec() {
    echo "ECHEC: $*" >&2
    if [ -s "${OUVERTURES:-}" ]; then
        echo "--- ouvertures:" >&2
        cat "$OUVERTURES" >&2
    fi
    if [ -n "${CAPTURE_ECHEC:-}" ] && [ -n "${DISPLAY:-}" ]; then
        import -window root "$CAPTURE_ECHEC" 2>/dev/null || true
    fi
    exit 1
}

vivant() { kill -0 "$1" 2>/dev/null; }
termine() { ! vivant "$1"; }

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

# A new folder (mode 700), in the variable named $1, removed at the end; in
# the TMPDIR of the test's start (/tmp by default) or the folder $2. Its own
# name has no capital letter.
dossier_temporaire() {
    local _nom=$1 _parent=${2:-$_dossier_temporaire_parent} _dossier
    for _ in $(seq 100); do
        _dossier=$_parent/quorva-e2e-$$-$RANDOM
        if mkdir -m 700 -- "$_dossier" 2>/dev/null; then
            _dossiers_a_effacer+=("$_dossier")
            printf -v "$_nom" '%s' "$_dossier"
            return 0
        fi
    done
    echec "pas de dossier temporaire dans $_parent"
}

# The start of a test that keeps screenshots: the folder $1 for them (made
# here), $1/$2 the one echec takes, and a temporary folder in $travail.
debut_essai() {
    mkdir -p "$1"
    CAPTURE_ECHEC="$1/$2"
    dossier_temporaire travail
}

# The program's language set to English through its preference file in the
# temporary folder $1 (where the program looks for it).
preferer_anglais() {
    mkdir -p "$1/quorva"
    printf 'langue=1\r\n' > "$1/quorva/langue_quorva.txt"
}

# Starts a background command; its pid goes into the variable named $1 and
# into the list of processes stopped at the end.
lancer() {
    local _nom=$1
    shift
    "$@" &
    _pids_a_arreter+=("$!")
    printf -v "$_nom" '%s' "$!"
}

# Xvfb on a free display :N, N drawn in 100..899 so that no other test (nor
# a script that takes :0 or :99 for granted) meets ours; another number when
# that one is taken or the server does not answer. The server is ours once
# the display's lock names its pid.
demarrer_xvfb() {
    local ecran=${1:-1280x1024x24} n fin
    unset WAYLAND_DISPLAY XDG_SESSION_TYPE
    export QT_QPA_PLATFORM=xcb
    for _ in $(seq 30); do
        n=$((100 + RANDOM % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        lancer XVFB_PID Xvfb ":$n" -noreset -nolisten tcp -screen 0 "$ecran" 2>/dev/null
        fin=$((SECONDS + 20))
        while vivant "$XVFB_PID" && ((SECONDS < fin)); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                if [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$XVFB_PID" ]; then
                    export DISPLAY=":$n"
                    return 0
                fi
                break
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    echec "Xvfb ne demarre sur aucun affichage libre"
}

# Openbox is ready once it has announced itself and set up its desktops
# (done at the end of its start, after the theme and the configuration).
_openbox_pret() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' &&
        xprop -root _NET_NUMBER_OF_DESKTOPS | grep -q '= [0-9]'
}

demarrer_openbox() {
    local dossier journal
    dossier_temporaire dossier
    journal=$dossier/openbox.log
    for _ in 1 2; do
        lancer OPENBOX_PID openbox --sm-disable >"$journal" 2>&1
        attendre 20 _openbox_pret && return 0
        kill "$OPENBOX_PID" 2>/dev/null || true
    done
    echec "openbox ne demarre pas sur $DISPLAY: $(cat "$journal")"
}

# A stub xdg-open first on PATH: each call adds its arguments, as one line,
# to the file $OUVERTURES.
installer_xdg_open() {
    local dossier
    dossier_temporaire dossier
    mkdir "$dossier/bin"
    export OUVERTURES=$dossier/ouvertures.txt
    : >"$OUVERTURES"
    cat >"$dossier/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$*" >> "$OUVERTURES"
STUB
    chmod +x "$dossier/bin/xdg-open"
    export PATH="$dossier/bin:$PATH"
}

# Waits until a line matching the pattern was recorded by the stub xdg-open.
attendre_ouverture() {
    attendre "${2:-10}" grep -q -- "$1" "$OUVERTURES"
}

# The visible windows titled exactly $1 (xdotool's search ignores case and
# reads a pattern: each title found is compared as it is); fails if none.
fenetres_titre() {
    local motif id trouve=1
    motif=$(printf '%s' "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
    for id in $(xdotool search --onlyvisible --name "^$motif\$" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            echo "$id"
            trouve=0
        fi
    done
    return $trouve
}

# Waits up to $2 seconds (10) for a visible window titled exactly $1; prints
# its id.
attendre_fenetre() {
    local fin=$((SECONDS + ${2:-10})) ids
    until ids=$(fenetres_titre "$1"); do
        ((SECONDS < fin)) || return 1
        sleep 0.1
    done
    echo "${ids%%$'\n'*}"
}

# The visible windows of the process $1; fails if none.
fenetres_de() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null
}

# Dismisses the message box $1 of the process $2 as a user would: Return on
# the box once it has the focus, again if the first press came before the
# focus did (the box may vanish between the key's press and its release:
# that error of xdotool's is no failure). Fails if the process still runs.
fermer_message() {
    local boite=$1 pid=$2
    for _ in 1 2 3 4 5; do
        xdotool windowactivate --sync "$boite" >/dev/null 2>&1 || true
        attendre 5 bash -c "[ \"\$(xdotool getwindowfocus -f)\" = $boite ]" || true
        xdotool key --clearmodifiers Return 2>/dev/null || true
        attendre 4 termine "$pid" && return 0
    done
    return 1
}

# Waits up to 5 seconds for the toolbar $1 to settle in the top-right
# corner of the screen at the end of its arrival; X and Y are then its
# position (call it directly, never inside $(...)).
attendre_arrivee() {
    local _largeur
    _largeur=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
    for _ in $(seq 50); do
        eval "$(xdotool getwindowgeometry --shell "$1")"
        [ "$X" = $((_largeur - 129)) ] && [ "$Y" = 18 ] && return 0
        sleep 0.1
    done
    return 1
}

# The menu of the process $1 shows: a visible window over 100 pixels tall
# that is neither among $2 nor a section window.
menu_de() {
    local _w
    for _w in $(fenetres_de "$1"); do
        case " $2 " in *" $_w "*) continue ;; esac
        eval "$(xdotool getwindowgeometry --shell "$_w")"
        [ "$HEIGHT" -gt 100 ] && [ "$(xdotool getwindowname "$_w")" != form_TP ] && return 0
    done
    return 1
}
sans_menu() { ! menu_de "$@"; }

# Opens the menu of the toolbar $2 of the process $1 with a click, as a user
# would on a loaded machine: a menu still open is closed first (the click
# would only close it), and a click after which no menu shows is made again.
# Fails after three clicks.
ouvrir_menu() {
    local _x _y _essai
    eval "$(xdotool getwindowgeometry --shell "$2")"
    _x=$((X + WIDTH / 2)) _y=$((Y + HEIGHT / 2))
    for _essai in 1 2 3; do
        if menu_de "$1" "$2"; then
            xdotool key Escape
            attendre 5 sans_menu "$1" "$2" || continue
        fi
        xdotool mousemove "$_x" "$_y" click 1
        attendre 10 menu_de "$1" "$2" && { sleep 0.3; return 0; }
    done
    return 1
}

# The desktop (1366 x 768, openbox, the stub xdg-open) and the program $1
# started on it, pid in $QUORVA; returns once its toolbar (id in $toolbar)
# has glided to the top-right corner, at $X,$Y, and opened its menu.
demarrer_barre() {
    demarrer_xvfb 1366x768x24
    demarrer_openbox
    installer_xdg_open
    lancer QUORVA "$1"
    toolbar=$(attendre_fenetre Quorva 10) || echec "no toolbar"
    attendre_arrivee "$toolbar" || echec "toolbar at $X,$Y after its arrival"
}

# The program's chart (the visible window 1130 pixels wide of the process
# $1), waited for up to 10 seconds; prints its id.
attendre_chart() {
    local id
    for _ in $(seq 100); do
        for id in $(fenetres_de "$1"); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            [ "$WIDTH" = 1130 ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# From the toolbar at $1,$2 (its menu closed): "Read convert .wav ( 1
# channel; 16 bits) Excel" (the sixth entry; the seventh where the system
# has its own Audacity, which shows "Audacity for stick-slip ... Local"
# before it), then the recording $3 typed into the open dialog.
convertir_par_menu() {
    local _bas=6
    command -v audacity >/dev/null 2>&1 && _bas=7
    xdotool mousemove $(($1 + 70)) $(($2 + 12)) click 1
    sleep 0.5
    for _ in $(seq "$_bas"); do xdotool key Down; done
    xdotool key Return
    sleep 1
    xdotool type --delay 20 "$3"
    xdotool key Return
}

# From the toolbar of $QUORVA at $X,$Y with its menu open: Escape closes
# the menu, then the conversion through it of the recording $1 (a click on
# the label opens the menu again, the entry is picked, the open dialog takes
# the path) up to the chart, whose id goes into $chart. One second after it
# opens, the chart shows its help in a message box above it: $2, when given,
# is a screenshot taken with the box up; Return closes it.
convertir_jusqu_au_chart() {
    xdotool key Escape
    sleep 0.3
    convertir_par_menu "$X" "$Y" "$1"
    chart=$(attendre_chart "$QUORVA")
    [ -n "$chart" ] || echec "no chart"
    sleep 2
    [ -z "${2:-}" ] || import -window root "$2"
    xdotool key Return
    sleep 0.5
}

# One second after it shows, the chart of the process $1 shows its help
# text in a message box: answers it with Return. $2 is the chart, $3 the
# toolbar, $4 the windows of the process open before the chart (section
# windows), which are not the box. Fails when no box shows within 10 s or it
# stays open.
repondre_aide_chart() {
    local _pid=$1 _chart=$2 _barre=$3 _deja=" $4 " _boite="" _w
    for _ in $(seq 100); do
        for _w in $(fenetres_de "$_pid"); do
            [ "$_w" = "$_barre" ] || [ "$_w" = "$_chart" ] && continue
            case "$_deja" in *" $_w "*) continue ;; esac
            [ "$(xdotool getwindowname "$_w" 2>/dev/null)" = "Conversion Excel" ] && continue
            _boite=$_w
            break 2
        done
        sleep 0.1
    done
    [ -n "$_boite" ] || return 1
    xdotool windowactivate --sync "$_boite" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 50); do
        grep -qx "$_boite" <<<"$(fenetres_de "$_pid")" || return 0
        sleep 0.1
    done
    return 1
}

# True when the refused copy $1 shows nothing but its message box $2 for two
# seconds and nothing covers the box's OK (its toolbar, centred and always
# on top, would). Otherwise SOUS_LE_POINTEUR says what went wrong.
seul_le_message() {
    local _n bx by bl bh
    for _n in $(seq 10); do
        [ "$(fenetres_de "$1" | wc -l)" -eq 1 ] || { SOUS_LE_POINTEUR="$(fenetres_de "$1" | wc -l) windows"; return 1; }
        sleep 0.2
    done
    eval "$(xwininfo -id "$2" | awk '/Absolute upper-left X/ { print "bx=" $NF } /Absolute upper-left Y/ { print "by=" $NF }
                                  /Width:/ { print "bl=" $NF } /Height:/ { print "bh=" $NF }')"
    pointeur_sur "$2" $((bx + bl - 50)) $((by + bh - 22))
}

# Moves the pointer to the screen point $2,$3; true when the window under it
# is $1 or the frame around it (nothing else covers that point, and it lies
# on the screen). Otherwise SOUS_LE_POINTEUR says what is there.
pointeur_sur() {
    local _w=$1 _racine WINDOW X Y SCREEN
    xdotool mousemove "$2" "$3"
    sleep 0.2
    eval "$(xdotool getmouselocation --shell)"
    SOUS_LE_POINTEUR="window $WINDOW ($(xdotool getwindowname "$WINDOW" 2>/dev/null)) at $X,$Y"
    [ "$X,$Y" = "$2,$3" ] || return 1
    _racine=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    while [ -n "$_w" ] && [ "$((_w))" != "$((_racine))" ]; do
        [ "$((_w))" = "$((WINDOW))" ] && return 0
        _w=$(xwininfo -id "$_w" -tree 2>/dev/null | awk '/Parent window id:/ { print $4 }')
    done
    return 1
}
