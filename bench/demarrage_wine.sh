#!/usr/bin/env bash
# demarrage_wine.sh QUORVA.EXE LINUX_QUORVA [RUNS]
# Times the start of quorva.exe under Wine (X11 driver) against the Linux
# quorva, both on the same private Xvfb with openbox: from starting the
# program to its toolbar window, titled "Quorva", being mapped. Prints each
# side's median over RUNS starts (5) after one start to warm the caches, the
# ratio Wine / Linux, and the first (cold) Wine start, whose wineserver and
# desktop process start with it. Wine runs in a prefix of its own, removed
# at the end.
set -u
exe=$(realpath "$1") linux=$(realpath "$2") essais=${3:-5}
export QUORVA_WINE=${QUORVA_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
export QUORVA_WINESERVER=${QUORVA_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver64)}
racine=$(cd "$(dirname "$0")/.." && pwd)
prefixe_parent=$(mktemp -d)
export WINEPREFIX=$prefixe_parent/wine-prefix-x11
. "$racine/tests/windows/bureau_wine.sh"
trap '_arreter_wine_et_tout; rm -rf -- "$prefixe_parent"' EXIT

echo "Wine prefix (first boot)..."
"$racine/tests/windows/wine.sh" demarrer-x11
demarrer_xvfb 1366x768x24
demarrer_openbox
# Each copy its own temporary folder, home and settings: no state of the
# user's.
dossier_temporaire maison
export HOME=$maison TMPDIR=$maison XDG_CONFIG_HOME=$maison/.config

barre_visible() { xdotool search --onlyvisible --name '^Quorva$' >/dev/null 2>&1; }
aucune_barre() { ! barre_visible; }
# Seconds from the start of the command to the toolbar mapped, into the
# variable named $1; the program is then stopped and its windows gone
# before the next start.
un_demarrage() {
    local _nom=$1 _debut _fin
    shift
    _debut=$(date +%s%N)
    lancer PROGRAMME "$@" >/dev/null 2>&1
    for _ in $(seq 6000); do barre_visible && break; sleep 0.005; done
    _fin=$(date +%s%N)
    barre_visible || { echo "no toolbar from $*" >&2; exit 1; }
    kill "$PROGRAMME" 2>/dev/null
    wait "$PROGRAMME" 2>/dev/null
    attendre 20 aucune_barre || { echo "the toolbar stays after its program ended" >&2; exit 1; }
    printf -v "$_nom" '%s' "$(awk -v d="$_debut" -v f="$_fin" 'BEGIN { printf "%.3f", (f - d) / 1e9 }')"
}
mediane() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

un_demarrage froid "$QUORVA_WINE" "$exe"
# The wineserver and the desktop process stay up between the measured
# starts, as on a session where Windows is already running.
"$QUORVA_WINESERVER" -p 300
un_demarrage t "$QUORVA_WINE" "$exe"
un_demarrage t "$linux"
wine_s=() linux_s=()
for _ in $(seq "$essais"); do
    un_demarrage t "$QUORVA_WINE" "$exe"
    wine_s+=("$t")
    un_demarrage t "$linux"
    linux_s+=("$t")
done
m_wine=$(printf '%s\n' "${wine_s[@]}" | mediane)
m_linux=$(printf '%s\n' "${linux_s[@]}" | mediane)
echo "start to toolbar mapped, median of $essais (seconds)"
echo "  quorva.exe under Wine: $m_wine   (${wine_s[*]})"
echo "  quorva on Linux:       $m_linux   (${linux_s[*]})"
echo "  ratio Wine / Linux:    $(awk -v a="$m_wine" -v b="$m_linux" 'BEGIN { printf "%.2f", a / b }')"
echo "  first Wine start (wineserver and desktop starting with it): $froid"
