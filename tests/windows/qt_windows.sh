#!/usr/bin/env bash
# scripts/qt-windows on its cache folder, with a small stand-in archive: a
# half-made folder (no completeness marker) is made again, never used; a
# complete one is left as it is, a folder it did not start is not touched; an archive without Qt, or a source that
# cannot be had, stops the script with one line saying what is missing,
# and leaves no folder that looks complete.
# Usage: qt_windows.sh SCRIPT
set -euo pipefail
script=$(realpath "$1")
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
echec() { echo "ECHEC: $*"; exit 1; }

mkdir -p "$travail/faux/qt6-mingw-static/lib/cmake/Qt6Widgets"
echo "# stand-in" > "$travail/faux/qt6-mingw-static/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake"
tar -cJf "$travail/qt.tar.xz" -C "$travail/faux" qt6-mingw-static
export QUORVA_QT_WINDOWS=$travail/cache/qt6-mingw-static
qt=$QUORVA_QT_WINDOWS

echo "== a folder of something else is left alone"
mkdir -p "$qt"
echo "a teacher's file" > "$qt/autre"
if QUORVA_QT_WINDOWS_ARCHIVE=$travail/qt.tar.xz "$script" >/dev/null 2>"$travail/erreurs"; then
    echec "a folder the script did not start was replaced"
fi
[ -f "$qt/autre" ] && [ "$(wc -l < "$travail/erreurs")" -eq 1 ] || echec "the folder was touched: $(cat "$travail/erreurs")"

echo "== a half-made folder is made again"
touch "$qt/.quorva-started"
mkdir -p "$qt/lib"
echo reste > "$qt/lib/reste_d_un_build"
QUORVA_QT_WINDOWS_ARCHIVE=$travail/qt.tar.xz "$script" >/dev/null
[ ! -e "$qt/lib/reste_d_un_build" ] || echec "the half-made folder was used"
[ "$(cat "$qt/.quorva-complete")" = "qt 6.4.2" ] || echec "no completeness marker"
[ -f "$qt/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake" ] || echec "the archive was not unpacked"
[ "$("$script" --prefix)" = "$qt" ] || echec "--prefix: $("$script" --prefix)"

echo "== a complete folder is kept"
touch "$qt/garde"
QUORVA_QT_WINDOWS_ARCHIVE=$travail/qt.tar.xz "$script" | grep -q complete || echec "the complete folder was not recognised"
[ -e "$qt/garde" ] || echec "the complete folder was made again"

une_ligne_et_rien() {
    local erreurs=$1
    [ "$(wc -l < "$erreurs")" -eq 1 ] && grep -q '^qt-windows: ' "$erreurs" ||
        echec "not one line saying what is missing: $(cat "$erreurs")"
    [ ! -e "$qt/.quorva-complete" ] || echec "a folder marked complete after a failure"
}

echo "== an archive without Qt"
rm -rf "$qt"
mkdir -p "$travail/vide/autre"
tar -cJf "$travail/vide.tar.xz" -C "$travail/vide" autre
if QUORVA_QT_WINDOWS_ARCHIVE=$travail/vide.tar.xz "$script" >/dev/null 2>"$travail/erreurs"; then
    echec "an archive without Qt was accepted"
fi
une_ligne_et_rien "$travail/erreurs"

echo "== no source to be had"
# apt-get finds nothing (no deb-src entry, no network), and the script may
# not add an entry (not root here): nothing is written into /etc/apt.
mkdir "$travail/bin"
printf '#!/bin/sh\nexit 100\n' > "$travail/bin/apt-get"
printf '#!/bin/sh\necho 1000\n' > "$travail/bin/id"
chmod +x "$travail/bin/apt-get" "$travail/bin/id"
if PATH=$travail/bin:$PATH QUORVA_QT_WINDOWS_ARCHIVE=$travail/absente.tar.xz \
    QUORVA_QT_WINDOWS_SOURCES=$travail/sources "$script" >/dev/null 2>"$travail/erreurs"; then
    echec "the script succeeded without any source"
fi
une_ligne_et_rien "$travail/erreurs"
cat "$travail/erreurs"
echo "ok"
