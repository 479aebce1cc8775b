#!/usr/bin/env bash
# Every window of the real program whole on the screen at a display scaling
# (QT_SCALE_FACTOR: at 1.5 a 1920 x 1080 screen is 1280 x 720 of the
# program's pixels; at 2, 960 x 540, narrower than the chart), frame
# included, clear of a task bar: a section window, a message box over the
# progress window, the size dialog, the chart and its help box; OK and
# Cancel reachable, OK closes the chart (tests/e2e/ecran.sh).
# Usage: fenetres_ecran.sh QUORVA RECORDING.wav SCREENSHOT_FOLDER SCREEN SCALE
set -u
. "$(dirname "$0")/bureau.sh"
. "$(dirname "$0")/ecran.sh"
quorva=$1 enregistrement=$2 captures=$3 ecran=$4 echelle=$5
prefixe=ecran_$(awk -v e="$echelle" 'BEGIN { print e * 100 }')
# (the screen in the name too, but for the usual 1920 x 1080)
[ "${ecran%x*}" = 1920x1080 ] || prefixe=${prefixe}_${ecran%x*}
debut_essai "$captures" "${prefixe}_echec.png"
export TMPDIR="$travail/tmp" HOME=$travail
preferer_anglais "$TMPDIR"
wav_long "$enregistrement" "$travail/long.wav" 2
wav_stereo "$enregistrement" "$travail/stereo.wav"

demarrer_xvfb "$ecran"
demarrer_openbox
# Windows' task bar: 40 of the program's pixels.
barre_des_taches "$(awk -v e="$echelle" 'BEGIN { print 40 * e }')"
installer_xdg_open
export QT_SCALE_FACTOR=$echelle
lancer QUORVA "$quorva"
attendre_fenetre Quorva 10 >/dev/null || echec "no toolbar"
# The conversion entry is the sixth; the seventh where the system has its
# own Audacity ("Audacity for stick-slip ... Local" before it).
bas=6
command -v audacity >/dev/null 2>&1 && bas=7
parcourir_fenetres "$QUORVA" "$echelle" "$bas" "$travail/long.wav" "$travail/stereo.wav" "$captures" "$prefixe"
vivant "$QUORVA" || echec "quorva ended"
echo "ok"
