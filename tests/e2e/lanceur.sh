#!/usr/bin/env bash
# Whole-program test of the launcher: the real quorva in a program folder of
# its own, under a private Xvfb with openbox. A document dropped into the
# data folder's "doc_word_ajoutes" gets a menu entry; choosing it asks the
# shell to open it (a stub xdg-open first on PATH records what it is given).
# The same document, double-clicked in the "other documents" section window,
# is opened again. Every process started here is stopped by its id.
#
# Use: lanceur.sh /path/to/quorva
set -u
quorva_bin=$1

pids=()
travail=$(mktemp -d "${TMPDIR:-/tmp}/quorva-lanceur-XXXXXX")
arreter() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
    done
    rm -rf "$travail"
}
trap arreter EXIT
echec() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "${CTEST_ARTEFACT:-/tmp}/quorva-lanceur-echec.png" 2>/dev/null
    echo "--- opened:" >&2; cat "$ouverts" >&2 2>/dev/null
    exit 1
}
lance() {
    "$@" &
    pids+=($!)
}

# The program folder: the program, and a data folder with one added document.
prog="$travail/prog"
mkdir -p "$prog/fic_quorva/doc_word_ajoutes" "$travail/home" "$travail/tmp" "$travail/bin"
cp "$quorva_bin" "$prog/quorva"
printf 'Le\xe7on de sismologie\r\n' > "$prog/fic_quorva/doc_word_ajoutes/Lecon sismique.doc"
export HOME="$travail/home" TMPDIR="$travail/tmp" XDG_CONFIG_HOME="$travail/home/.config"

# Stub xdg-open: records its arguments, one call a line.
ouverts="$travail/ouverts.txt"
: > "$ouverts"
cat > "$travail/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$*" >> "$ouverts"
STUB
chmod +x "$travail/bin/xdg-open"
export PATH="$travail/bin:$PATH"

# A private X server on a free display, and a window manager.
for n in $(seq 120 220); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    lance Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp
    for _ in $(seq 50); do
        xdpyinfo -display ":$n" >/dev/null 2>&1 && break
        sleep 0.1
    done
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        break
    fi
done
[ -n "${DISPLAY:-}" ] || echec "no free X display"
export QT_QPA_PLATFORM=xcb
lance openbox
sleep 0.5

attendre_ouverture() {
    for _ in $(seq 100); do
        grep -q -- "$1" "$ouverts" && return 0
        sleep 0.1
    done
    return 1
}
fenetre() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
# Opens the toolbar's menu with a click on its label, from a closed menu.
ouvrir_menu() {
    xdotool key Escape key Escape
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$barre")"
    xdotool mousemove $((X + 64)) $((Y + 13)) click 1
    sleep 0.5
}

(cd "$prog" && exec ./quorva) &
pids+=($!)
barre=$(fenetre Quorva) || echec "the toolbar did not appear"
# The start-up sequence, then the arrival animation (which opens the menu).
sleep 3
grep -q "langue=2" "$travail/tmp/quorva/langue_quorva.txt" 2>/dev/null || echec "the language preference was not written"
[ -d "$prog/fic_quorva/films_ajoutes" ] || echec "the added-films folder was not made ready"

# Last entry "Quitter Quorva", then, above the separator line, the added
# documents' submenu (every other entry of the bottom of the menu is hidden
# with this data folder): open it and choose its one document.
ouvrir_menu
xdotool key Up Up Right
sleep 0.3
xdotool key Return
attendre_ouverture "doc_word_ajoutes/Lecon sismique.doc" || echec "the added document was not opened"
[ "$(grep -c . "$ouverts")" -eq 1 ] || echec "one open expected"
grep -qx "$prog/fic_quorva/doc_word_ajoutes/Lecon sismique.doc" "$ouverts" ||
    echec "the shell was not given the document's whole path as one argument"

# The heading above: the "other documents" section window lists it; a
# double-click on its row opens it again.
ouvrir_menu
xdotool key Up Up Up Return
section=$(fenetre form_TP) || echec "the section window did not appear"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$section")"
xdotool mousemove $((X + 20)) $((Y + 24)) click --repeat 2 --delay 80 1
for _ in $(seq 100); do
    [ "$(grep -c . "$ouverts")" -ge 2 ] && break
    sleep 0.1
done
[ "$(grep -c "Lecon sismique.doc" "$ouverts")" -eq 2 ] || echec "the section row did not open the document"

kill -0 "${pids[0]}" 2>/dev/null || echec "Xvfb stopped"
echo "launcher e2e: ok"
