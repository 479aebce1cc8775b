# Every window of the program on the screen at a display scaling: sourced
# by tests/e2e/fenetres_ecran.sh (Linux, QT_SCALE_FACTOR) and
# tests/windows/fenetres_ecran_wine.sh (Wine, LogPixels), after bureau.sh.
#
#   wav_long SOURCE.wav DESTINATION.wav N   # N times the samples: the size dialog asks
#   wav_stereo SOURCE.wav DESTINATION.wav   # two channels: refused with a message
#   barre_des_taches HAUTEUR                # a task bar at the bottom of the screen
#   parcourir_fenetres PID ECHELLE BAS LONG STEREO CAPTURES PREFIXE
# The program PID is running, its toolbar
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

# The window $1 with its frame (the window manager's _NET_FRAME_EXTENTS):
# sets G_X G_Y G_L G_H (client) and C_X C_Y C_L C_H (whole), screen pixels.
_rectangles() {
    local g d h b
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "G_X=" $NF } /Absolute upper-left Y/ { print "G_Y=" $NF }
                                   /Width:/ { print "G_L=" $NF } /Height:/ { print "G_H=" $NF }')"
    IFS=, read -r g d h b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
    C_X=$((G_X - ${g:-0})) C_Y=$((G_Y - ${h:-0})) C_L=$((G_L + ${g:-0} + ${d:-0})) C_H=$((G_H + ${h:-0} + ${b:-0}))
}

# A task bar $1 screen pixels tall at the bottom of the screen: a window
# whose strut openbox takes off the work area (_NET_WORKAREA).
barre_des_taches() {
    local _l _h _w
    IFS=x read -r _l _h <<<"$(xdpyinfo | awk '/dimensions:/ { print $2 }')"
    lancer BARRE_DES_TACHES xmessage -title barre-des-taches -geometry "${_l}x$1+0+$((_h - $1))" " "
    _w=$(attendre_fenetre barre-des-taches 10) || echec "no task bar"
    xprop -id "$_w" -f _NET_WM_STRUT 32c -set _NET_WM_STRUT "0,0,0,$1"
    attendre 5 bash -c "xprop -root _NET_WORKAREA | grep -q '= 0, 0, $_l, $((_h - $1)),'" || echec "no work area"
}

# Fails unless the window $1, named $2, frame included, lies whole in the
# work area (the screen without its task bar). The program places a window
# when it shows and again once it is framed, which on a loaded machine may
# come a moment after the window appears: up to 10 seconds.
fenetre_sur_ecran() {
    local _x _y _l _h _fin=$((SECONDS + 10))
    IFS=', ' read -r _x _y _l _h _ <<<"$(xprop -root _NET_WORKAREA | sed 's/.*= *//')"
    while _rectangles "$1"; ! ((C_X >= _x && C_Y >= _y && C_X + C_L <= _x + _l && C_Y + C_H <= _y + _h)); do
        ((SECONDS < _fin)) || break
        sleep 0.2
    done
    echo "$2: ${C_L}x${C_H} at $C_X,$C_Y with its frame (client ${G_L}x${G_H} at $G_X,$G_Y) in ${_l}x${_h} at $_x,$_y"
    ((C_X >= _x && C_Y >= _y && C_X + C_L <= _x + _l && C_Y + C_H <= _y + _h)) || echec "$2 is not whole on the screen"
}

# Waits up to $3 seconds for a visible window of the process $1 not among
# the ids $2, titled $4 (any title when empty), wider than $5 (0); prints
# its id.
_attendre_nouvelle() {
    local _fin=$((SECONDS + $3)) _w
    while ((SECONDS < _fin)); do
        for _w in $(fenetres_de "$1"); do
            case " $2 " in *" $_w "*) continue ;; esac
            [ -z "$4" ] || [ "$(xdotool getwindowname "$_w" 2>/dev/null)" = "$4" ] || continue
            eval "$(xdotool getwindowgeometry --shell "$_w")"
            ((WIDTH > ${5:-0})) && { echo "$_w"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# The menu of the toolbar $2 of the process $1 (ouvrir_menu), then $3 Down
# presses and Return in it.
_entree_menu() {
    ouvrir_menu "$1" "$2" || echec "a click on the toolbar opens no menu"
    for _ in $(seq "$3"); do xdotool key Down; done
    xdotool key Return
}

# The menu's conversion entry ($3 Down presses from the toolbar $2 of the
# process $1), the recording $4 typed into the open dialog; prints the
# dialog's id.
_convertir() {
    local _dialogue
    _entree_menu "$1" "$2" "$3"
    _dialogue=$(_attendre_nouvelle "$1" "$2" 20 "") || echec "no open dialog"
    sleep 1
    timeout 5 xdotool windowactivate --sync "$_dialogue" >/dev/null 2>&1 || true
    xdotool type --delay 20 "$4"
    xdotool key Return
    echo "$_dialogue"
}

# Return on the box $1; fails if it stays.
_fermer_boite() {
    timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key Return
    attendre 10 termine_fenetre "$1" || echec "the box $1 stays open"
}

# Screen pixels of the program's pixels $1 at the scaling $2.
_pixels() { awk -v v="$1" -v e="$2" 'BEGIN { printf "%d", v * e + 0.5 }'; }

parcourir_fenetres() {
    local pid=$1 echelle=$2 bas=$3 wav=$4 stereo=$5 captures=$6 prefixe=$7
    local barre section dialogue boite patience taille chart aide droite nom x y ok
    barre=$(fenetres_titre Quorva | head -n1)
    attendre 20 menu_de "$pid" "$barre" || echec "no menu after the arrival"
    xdotool key Escape

    # A stereo recording: refused with a message box, the progress window
    # under it until the box is closed.
    dialogue=$(_convertir "$pid" "$barre" "$bas" "$stereo")
    boite=$(_attendre_nouvelle "$pid" "$barre $dialogue" 20 Quorva) || echec "no refusal box"
    patience=$(_attendre_nouvelle "$pid" "$barre $boite" 5 "Conversion Excel") || echec "no progress window"
    sleep 0.5
    import -window root "$captures/${prefixe}_message.png"
    fenetre_sur_ecran "$boite" "message box"
    fenetre_sur_ecran "$patience" "progress window"
    _fermer_boite "$boite"

    # The long recording: the size dialog, "Poursuivre" (Return), the chart
    # and, one second later, its help box.
    dialogue=$(_convertir "$pid" "$barre" "$bas" "$wav")
    taille=$(_attendre_nouvelle "$pid" "$barre $dialogue" 20 Quorva) || echec "no size dialog"
    sleep 0.5
    fenetre_sur_ecran "$taille" "size dialog"
    import -window root "$captures/${prefixe}_taille.png"
    _fermer_boite "$taille"
    chart=$(_attendre_nouvelle "$pid" "$barre $taille $dialogue" 30 "" "$(_pixels 430 "$echelle")") || echec "no chart"
    aide=$(_attendre_nouvelle "$pid" "$barre $chart" 10 Quorva) || echec "no help box over the chart"
    sleep 0.5
    import -window root "$captures/${prefixe}_aide.png"
    fenetre_sur_ecran "$aide" "help box"
    _fermer_boite "$aide"
    fenetre_sur_ecran "$chart" "chart"

    # OK and Cancel keep their distance to the chart's right edge (1000 and
    # 1003 in 1130, 208 and 239 down, 75 x 25): the pointer over each finds
    # the chart, nothing above it; then OK closes it.
    droite=$(awk -v l="$G_L" -v e="$echelle" 'BEGIN { printf "%d", l / e + 0.5 }')
    for bouton in "OK $((droite - 93)) 220" "Cancel $((droite - 90)) 251"; do
        read -r nom x y <<<"$bouton"
        x=$((G_X + $(_pixels "$x" "$echelle"))) y=$((G_Y + $(_pixels "$y" "$echelle")))
        pointeur_sur "$chart" "$x" "$y" || echec "$nom of the chart at $x,$y: under the pointer, $SOUS_LE_POINTEUR"
        [ "$nom" = OK ] && ok="$x $y"
    done
    import -window root "$captures/${prefixe}_chart.png"
    xdotool mousemove $ok click 1
    attendre 10 termine_fenetre "$chart" || echec "OK does not close the chart"

    # Last (on a narrow screen it may cover the toolbar): the first section
    # heading, the menu's second entry.
    sleep 1
    _entree_menu "$pid" "$barre" 2
    section=$(_attendre_nouvelle "$pid" "$barre" 10 form_TP) || echec "no section window"
    sleep 0.3
    fenetre_sur_ecran "$section" "section window"
    import -window root "$captures/${prefixe}_section.png"
}

# The window $1 is no longer shown.
termine_fenetre() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
