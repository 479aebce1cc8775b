#!/usr/bin/env bash
# Every window of quorva.exe under Wine whole on the screen at a Windows
# display scaling (the registry's LogPixels: 144 for 150 %, 168 for 175 %),
# frame included, clear of a task bar: a section window, a message box over the progress window,
# the size dialog, the chart and its help box; OK and Cancel reachable, OK
# closes the chart (tests/e2e/ecran.sh). The scaling is set back to 100 %
# at the end, for the other tests of the prefix.
# Usage: fenetres_ecran_wine.sh QUORVA.EXE RECORDING.wav SCREENSHOT_FOLDER SCREEN LOGPIXELS
set -u
. "$(dirname "$0")/bureau_wine.sh"
. "$(dirname "$0")/../e2e/ecran.sh"
quorva=$1 enregistrement=$2 captures=$3 ecran=$4 dpi=$5
prefixe=wine_ecran_$((dpi * 100 / 96))
debut_essai "$captures" "${prefixe}_echec.png"

echelle_windows() {
    "$QUORVA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
_fin_ecran() {
    exec 2>/dev/null
    "$QUORVA_WINESERVER" -k || true
    echelle_windows 96
    "$QUORVA_WINESERVER" -k || true
    arreter_tout
}
trap _fin_ecran EXIT
echelle_windows "$dpi" || echec "LogPixels not set"
# The wineserver that reg started has no display of ours: quorva.exe must
# start with a new one, once the registry is saved.
"$QUORVA_WINESERVER" -w

temp=$(dossier_temp_windows)
[ -d "$temp" ] || echec "no temporary folder in the Wine prefix: '$temp'"
preferer_anglais "$temp"
wav_long "$enregistrement" "$travail/long.wav" 2
wav_stereo "$enregistrement" "$travail/stereo.wav"

demarrer_xvfb "$ecran"
demarrer_openbox
barre_des_taches $((40 * dpi / 96))
lancer_windows QUORVA "$quorva"
attendre_fenetre Quorva 120 >/dev/null || echec "no toolbar"
parcourir_fenetres "$QUORVA" "$(awk -v d="$dpi" 'BEGIN { print d / 96 }')" 6 \
    "$(chemin_windows "$travail/long.wav")" "$(chemin_windows "$travail/stereo.wav")" "$captures" "$prefixe"
vivant "$QUORVA" || echec "quorva.exe ended"
echo "ok"
