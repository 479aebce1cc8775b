#!/usr/bin/env bash
# The X11 window layer on an X server of its own: first with no window
# manager at all, then under openbox.
# Usage: fenetres_x11.sh <quorva_x11_tests>
set -euo pipefail
. "$(dirname "$0")/bureau.sh"
tests=$1

demarrer_xvfb
echo "== sans gestionnaire de fenetres ($DISPLAY)"
"$tests"
demarrer_openbox
echo "== avec openbox"
QUORVA_TEST_WM=openbox "$tests"
