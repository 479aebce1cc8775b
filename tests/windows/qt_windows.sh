#!/usr/bin/env bash
# scripts/qt-windows on its cache folder, with a small stand-in archive and a
# small stand-in Debian source: a half-made folder (no completeness marker)
# is made again, never used; a complete one is left as it is, a folder it did
# not start is not touched; a folder or an archive without Debian's security
# patches (debian-patches.txt missing, or naming fewer than expected) is not
# used; the source road applies the series' cve-* patches, names them in
# debian-patches.txt, and stops at one that does not apply; an archive
# without Qt, or a source that cannot be had, stops the script with one line
# saying what is missing, and leaves no folder that looks complete.
# Usage: qt_windows.sh SCRIPT
set -euo pipefail
script=$(realpath "$1")
travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT
echec() { echo "ECHEC: $*"; exit 1; }

# Today's series of Debian's qt6-base, as the script expects it when no
# Debian source has been downloaded.
correctifs=$'qt6-base 6.4.2+dfsg-10\ncve-2023-32762.diff\ncve-2023-32763.diff\ncve-2023-33285.diff\ncve-2023-24607.patch'
mkdir -p "$travail/faux/qt6-mingw-static/lib/cmake/Qt6Widgets"
echo "# stand-in" > "$travail/faux/qt6-mingw-static/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake"
echo "$correctifs" > "$travail/faux/qt6-mingw-static/debian-patches.txt"
tar -cJf "$travail/qt.tar.xz" -C "$travail/faux" qt6-mingw-static
rm "$travail/faux/qt6-mingw-static/debian-patches.txt"
tar -cJf "$travail/qt_sans_correctifs.tar.xz" -C "$travail/faux" qt6-mingw-static
export QUORVA_QT_WINDOWS=$travail/cache/qt6-mingw-static
export QUORVA_QT_WINDOWS_SOURCES=$travail/aucune_source
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

echo "== a complete folder without all of Debian's patches is made again"
for liste in "" "$(head -n 4 <<<"$correctifs")" "$(grep -v 32763 <<<"$correctifs")"; do
    touch "$qt/garde"
    rm "$qt/debian-patches.txt" && { [ -z "$liste" ] || echo "$liste" > "$qt/debian-patches.txt"; }
    QUORVA_QT_WINDOWS_ARCHIVE=$travail/qt.tar.xz "$script" | grep -c "made again" >/dev/null ||
        echec "a folder with [$liste] was used"
    [ ! -e "$qt/garde" ] && [ "$(cat "$qt/debian-patches.txt")" = "$correctifs" ] || echec "not made again from the archive"
done

une_ligne_et_rien() {
    local erreurs=$1
    [ "$(wc -l < "$erreurs")" -eq 1 ] && grep -q '^qt-windows: ' "$erreurs" ||
        echec "not one line saying what is missing: $(cat "$erreurs")"
    [ ! -e "$qt/.quorva-complete" ] || echec "a folder marked complete after a failure"
}
# refuse WHAT COMMAND...: the command fails with one line on standard error.
refuse() {
    local quoi=$1
    shift
    if "$@" >/dev/null 2>"$travail/erreurs"; then echec "$quoi"; fi
    une_ligne_et_rien "$travail/erreurs"
    cat "$travail/erreurs"
}

echo "== an archive without Qt"
rm -rf "$qt"
mkdir -p "$travail/vide/autre"
tar -cJf "$travail/vide.tar.xz" -C "$travail/vide" autre
refuse "an archive without Qt was accepted" env QUORVA_QT_WINDOWS_ARCHIVE=$travail/vide.tar.xz "$script"

# A stand-in Debian source: the upstream tarball (its configure copies the
# patched file aside) and the debian/ tarball whose series holds two cve-*
# patches around one that is Debian's own (not a security patch: never
# applied, it would not apply).
source_factice() {
    local dossier=$1 second=$2 s=$travail/src
    rm -rf "$s" && mkdir -p "$s/qtbase-everywhere-src-6.4.2/src" "$s/debian/patches" "$dossier"
    printf 'ligne 1\nligne 2\n' > "$s/qtbase-everywhere-src-6.4.2/src/a.txt"
    printf '#!/bin/sh\ncp "$(dirname "$0")/src/a.txt" "%s"\n' "$travail/patche.txt" > "$s/qtbase-everywhere-src-6.4.2/configure"
    chmod +x "$s/qtbase-everywhere-src-6.4.2/configure"
    tar -cJf "$dossier/qt6-base_6.4.2+dfsg.orig.tar.xz" -C "$s" qtbase-everywhere-src-6.4.2
    echo "qt6-base (6.4.2+dfsg-99) unstable; urgency=medium" > "$s/debian/changelog"
    printf '# fixed upstream\ncve-a.diff\ndebian_seul.patch\n\ncve-b.diff\n' > "$s/debian/patches/series"
    printf -- '--- a/src/a.txt\n+++ b/src/a.txt\n@@ -1,2 +1,2 @@\n-ligne 1\n+ligne 1 a\n ligne 2\n' > "$s/debian/patches/cve-a.diff"
    printf -- '--- a/src/a.txt\n+++ b/src/a.txt\n@@ -1 +1 @@\n-absente\n+autre\n' > "$s/debian/patches/debian_seul.patch"
    printf -- '--- a/src/a.txt\n+++ b/src/a.txt\n@@ -1,2 +1,2 @@\n ligne 1 a\n-%s\n+ligne 2 b\n' "$second" > "$s/debian/patches/cve-b.diff"
    tar -cJf "$dossier/qt6-base_6.4.2+dfsg-99.debian.tar.xz" -C "$s" debian
}
# Stand-in tools: the build does nothing, the install puts a Qt6Widgets
# package into the prefix; apt-get finds nothing (no deb-src entry, no
# network), and the script may not add an entry (not root here): nothing is
# written into /etc/apt.
mkdir "$travail/bin"
printf '#!/bin/sh\n[ "$1" = --install ] && mkdir -p "$QUORVA_QT_WINDOWS/lib/cmake/Qt6Widgets" && touch "$QUORVA_QT_WINDOWS/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake"\nexit 0\n' > "$travail/bin/cmake"
printf '#!/bin/sh\nexit 0\n' | tee "$travail/bin/ninja" > "$travail/bin/x86_64-w64-mingw32-g++-posix"
printf '#!/bin/sh\nexit 100\n' > "$travail/bin/apt-get"
printf '#!/bin/sh\necho 1000\n' > "$travail/bin/id"
chmod +x "$travail/bin/"*
export PATH=$travail/bin:$PATH

echo "== an archive without Debian's patches is not used: built from source, patched"
rm -rf "$qt"
source_factice "$travail/source_bonne" "ligne 2"
QUORVA_QT_WINDOWS_SOURCES=$travail/source_bonne QUORVA_QT_WINDOWS_ARCHIVE=$travail/qt_sans_correctifs.tar.xz \
    "$script" | grep -c "not used" >/dev/null || echec "the archive without patches was not refused"
[ "$(cat "$travail/patche.txt")" = $'ligne 1 a\nligne 2 b' ] || echec "patched source: $(cat "$travail/patche.txt")"
[ "$(cat "$qt/debian-patches.txt")" = $'qt6-base 6.4.2+dfsg-99\ncve-a.diff\ncve-b.diff' ] ||
    echec "debian-patches.txt: $(cat "$qt/debian-patches.txt")"
# Judged against that source's series from now on.
QUORVA_QT_WINDOWS_SOURCES=$travail/source_bonne "$script" | grep -q complete || echec "the patched Qt was not kept"

echo "== a patch that does not apply"
rm -rf "$qt"
source_factice "$travail/source_casse" "ligne deux"
refuse "built with a patch that does not apply" env QUORVA_QT_WINDOWS_SOURCES=$travail/source_casse \
    QUORVA_QT_WINDOWS_ARCHIVE=$travail/absente.tar.xz "$script"
grep -q "cve-b.diff" "$travail/erreurs" && [ ! -e "$qt" ] || echec "the patch is not named, or a Qt folder is left"

echo "== no source to be had"
refuse "the script succeeded without any source" env QUORVA_QT_WINDOWS_ARCHIVE=$travail/absente.tar.xz \
    QUORVA_QT_WINDOWS_SOURCES=$travail/sources "$script"
echo "ok"
