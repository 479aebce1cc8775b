# Every window of the program on the screen at a display scaling: sourced
# by tests/e2e/fenetres_ecran.sh (Linux, QT_SCALE_FACTOR) and
# tests/windows/fenetres_ecran_wine.sh (Wine, LogPixels), after bureau.sh.
#
#   wav_long SOURCE.wav DESTINATION.wav N   # N times the samples: the size dialog asks
#   wav_stereo SOURCE.wav DESTINATION.wav   # two channels: refused with a message
#   parcourir_fenetres PID ECHELLE BAS LONG STEREO CAPTURES PREFIXE
# The program PID is running on a screen without panels, its toolbar
# arrived with its menu open; ECHELLE is the display scaling (1.5 for
# 150 %), BAS the number of Down presses to the menu's conversion entry,
# LONG and STEREO the two recordings as typed into the open dialog. It opens
# the refusal box over the progress window, the size dialog, the chart and
# its help box, then a section window, checks that each lies whole on the
# screen, frame included, that OK and Cancel are the chart's own pixels and
# that OK closes it; the screenshots go to CAPTURES/PREFIXE_*.png.

# A canonical 44-byte header, its sizes rewritten for N times the data.
wav_long() {
    local _donnees=$(($(stat -c %s "$1") - 44)) _i
    _le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }
    {
        head -c 4 "$1"
        printf "$(_le32 $((36 + $3 * _donnees)))"
        head -c 40 "$1" | tail -c 32
        printf "$(_le32 $(($3 * _donnees)))"
        for ((_i = 0; _i < $3; _i++)); do tail -c +45 "$1"; done
    } >"$2"
}

wav_stereo() {
    cp "$1" "$2"
    printf '\x02' | dd of="$2" bs=1 seek=22 conv=notrunc status=none
}

_largeur_ecran() { xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }'; }
_hauteur_ecran() { xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }'; }

# The window $1 with its frame (the window manager's _NET_FRAME_EXTENTS):
# sets G_X G_Y G_L G_H (client) and C_X C_Y C_L C_H (whole), screen pixels.
_rectangles() {
    local _infos _cadre g d h b
    _infos=$(xwininfo -id "$1") || return 1
    G_X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$_infos")
    G_Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$_infos")
    G_L=$(awk '/Width:/ { print $NF }' <<<"$_infos")
    G_H=$(awk '/Height:/ { print $NF }' <<<"$_infos")
    _cadre=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r g d h b <<<"${_cadre:-0,0,0,0}"
    C_X=$((G_X - g)) C_Y=$((G_Y - h)) C_L=$((G_L + g + d)) C_H=$((G_H + h + b))
}

# Fails (with the rectangles) unless the window $1, named $2, frame
# included, lies whole on the screen.
fenetre_sur_ecran() {
    local _l _h
    _l=$(_largeur_ecran) _h=$(_hauteur_ecran)
    _rectangles "$1" || echec "$2: no window $1"
    echo "$2: ${C_L}x${C_H} at $C_X,$C_Y with its frame (client ${G_L}x${G_H} at $G_X,$G_Y) on ${_l}x${_h}"
    ((C_X >= 0 && C_Y >= 0 && C_X + C_L <= _l && C_Y + C_H <= _h)) ||
        echec "$2 is not whole on the ${_l}x${_h} screen: ${C_L}x${C_H} at $C_X,$C_Y with its frame"
}

# The visible windows of the process $1 that are not among the ids $2.
_nouvelles_fenetres() {
    local _w
    for _w in $(fenetres_de "$1"); do
        case " $2 " in *" $_w "*) ;; *) echo "$_w" ;; esac
    done
}

# Waits up to $3 seconds for a new window of the process $1 (not among $2)
# whose title is $4 (any title when empty); prints its id.
_attendre_nouvelle() {
    local _fin=$((SECONDS + $3)) _w
    while ((SECONDS < _fin)); do
        for _w in $(_nouvelles_fenetres "$1" "$2"); do
            [ -z "$4" ] || [ "$(xdotool getwindowname "$_w" 2>/dev/null)" = "$4" ] || continue
            echo "$_w"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# Waits up to 30 seconds for a new window of the process $1 (not among $2)
# wider than $3: the chart.
_attendre_large() {
    local _fin=$((SECONDS + 30)) _w
    while ((SECONDS < _fin)); do
        for _w in $(_nouvelles_fenetres "$1" "$2"); do
            eval "$(xdotool getwindowgeometry --shell "$_w")"
            ((WIDTH > $3)) && { echo "$_w"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# The menu of the process $1 open (a window over 100 pixels tall, not $2).
_menu_de() {
    local _w
    for _w in $(_nouvelles_fenetres "$1" "$2"); do
        eval "$(xdotool getwindowgeometry --shell "$_w")"
        [ "$HEIGHT" -gt 100 ] && [ "$(xdotool getwindowname "$_w")" != form_TP ] && return 0
    done
    return 1
}

# From the toolbar $2 of the process $1, its menu closed: the menu's
# conversion entry ($3 Down presses), the open dialog, the recording $4.
# Prints the open dialog's id.
_convertir() {
    local _dialogue
    eval "$(xdotool getwindowgeometry --shell "$2")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    attendre 10 _menu_de "$1" "$5" || echec "a click on the toolbar opens no menu"
    sleep 0.3
    for _ in $(seq "$3"); do xdotool key Down; done
    xdotool key Return
    _dialogue=$(_attendre_nouvelle "$1" "$5" 20 "") || echec "no open dialog"
    sleep 1
    timeout 5 xdotool windowactivate --sync "$_dialogue" >/dev/null 2>&1 || true
    xdotool type --delay 20 "$4"
    xdotool key Return
    echo "$_dialogue"
}

# Return on the message box $1; fails if it stays.
_fermer_boite() {
    timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key Return
    attendre 10 termine_fenetre "$1" || echec "the message box $1 stays open"
}

# Screen pixels of the program's pixels $1 at the scaling $2.
_pixels() { awk -v v="$1" -v e="$2" 'BEGIN { printf "%d", v * e }'; }

parcourir_fenetres() {
    local pid=$1 echelle=$2 bas=$3 wav=$4 stereo=$5 captures=$6 prefixe=$7
    local barre connues section dialogue boite patience taille chart aide droite nom x y
    barre=$(fenetres_titre Quorva | head -n1)
    attendre 20 _menu_de "$pid" "$barre" || echec "no menu after the arrival"

    xdotool key Escape
    connues=$barre

    # A stereo recording: refused with a message box, the progress window
    # showing under it until the box is closed.
    dialogue=$(_convertir "$pid" "$barre" "$bas" "$stereo" "$connues")
    boite=$(_attendre_nouvelle "$pid" "$connues $dialogue" 20 Quorva) || echec "no refusal box"
    patience=$(_attendre_nouvelle "$pid" "$connues $dialogue $boite" 5 "Conversion Excel") || echec "no progress window"
    sleep 0.5
    import -window root "$captures/${prefixe}_message.png"
    fenetre_sur_ecran "$boite" "message box"
    fenetre_sur_ecran "$patience" "progress window"
    _fermer_boite "$boite"

    # The long recording: the size dialog, "Poursuivre" (Return), the chart
    # and, one second later, its help box.
    dialogue=$(_convertir "$pid" "$barre" "$bas" "$wav" "$connues")
    taille=$(_attendre_nouvelle "$pid" "$connues $dialogue" 20 Quorva) || echec "no size dialog"
    sleep 0.5
    fenetre_sur_ecran "$taille" "size dialog"
    import -window root "$captures/${prefixe}_taille.png"
    _fermer_boite "$taille"
    chart=$(_attendre_large "$pid" "$connues $taille $dialogue" "$(_pixels 430 "$echelle")") || echec "no chart"
    aide=$(_attendre_nouvelle "$pid" "$connues $chart" 10 Quorva) || echec "no help box over the chart"
    sleep 0.5
    import -window root "$captures/${prefixe}_aide.png"
    fenetre_sur_ecran "$aide" "help box"
    _fermer_boite "$aide"
    fenetre_sur_ecran "$chart" "chart"

    # OK and Cancel keep their distance to the chart's right edge (1000 and
    # 1003 in 1130, 208 and 239 down, 75 x 25): the pointer over each finds
    # the chart itself, nothing above it; then OK closes it.
    _rectangles "$chart"
    droite=$(awk -v l="$G_L" -v e="$echelle" 'BEGIN { printf "%d", l / e + 0.5 }')
    for bouton in "OK $((droite - 130 + 37)) 220" "Cancel $((droite - 127 + 37)) 251"; do
        read -r nom x y <<<"$bouton"
        x=$((G_X + $(_pixels "$x" "$echelle"))) y=$((G_Y + $(_pixels "$y" "$echelle")))
        pointeur_sur "$chart" "$x" "$y" || echec "$nom of the chart at $x,$y: under the pointer, $SOUS_LE_POINTEUR"
    done
    import -window root "$captures/${prefixe}_chart.png"
    xdotool mousemove $((G_X + $(_pixels $((droite - 93)) "$echelle"))) $((G_Y + $(_pixels 220 "$echelle"))) click 1
    attendre 10 termine_fenetre "$chart" || echec "OK does not close the chart"

    # Last (on a narrow screen it may cover the toolbar): the first section
    # heading, the menu's second entry.
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    attendre 10 _menu_de "$pid" "$barre" || echec "a click on the toolbar opens no menu"
    sleep 0.3
    xdotool key Down Down Return
    section=$(_attendre_nouvelle "$pid" "$barre" 10 form_TP) || echec "no section window"
    sleep 0.3
    fenetre_sur_ecran "$section" "section window"
    import -window root "$captures/${prefixe}_section.png"
}

# The window $1 is no longer shown.
termine_fenetre() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
