#!/usr/bin/env bash
# regard_tenu_wine.sh BENCH_REGARD_TENU.EXE [RUNS]
# Runs bench_regard_tenu.exe (bench/regard_tenu.cpp) under Wine, headless,
# in a prefix of its own removed at the end.
set -euo pipefail
exe=$(realpath "$1") runs=${2:-5}
racine=$(cd "$(dirname "$0")/.." && pwd)
export QUORVA_WINE=${QUORVA_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
export QUORVA_WINESERVER=${QUORVA_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver64)}
travail=$(mktemp -d)
export WINEPREFIX=$travail/wine-prefix
trap '"$racine/tests/windows/wine.sh" arreter; rm -rf -- "$travail"' EXIT
"$racine/tests/windows/wine.sh" demarrer
"$racine/tests/windows/wine.sh" lancer "$exe" "$runs"
