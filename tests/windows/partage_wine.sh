#!/usr/bin/env bash
# Two machines running one copy of Quorva from a network share, under Wine:
# two prefixes (copies of the fixture's, files linked) standing for two
# machines, each on a screen of its own and with a computer name of its own
# (the volatile ActiveComputerName key, which Wine fills from the host name
# whenever the prefix's server starts: set while the server is kept up).
# POSTE-A starts \\serveur\partage\Quorva\quorva.exe (dosdevices/unc),
# POSTE-B the same copy through drive P:, which its prefix reports as a
# network drive. Both pick the stick-slip entry at the same moment: each
# stand-in Audacity reads preferences naming its own machine's folder and
# exports there, each chart opens on its own machine, once, and each
# workbook is written beside its own recording and opened by its machine.
# Usage: partage_wine.sh PORTABLE_FOLDER STAND-IN.EXE RECORDER.EXE RECORDING.wav SCREENSHOT_FOLDER
set -u
. "$(dirname "$0")/bureau_wine.sh"
paquet=$1 remplacant=$2 enregistreur=$3 demo=$4 shots=$5
debut_essai "$shots" wine_partage_failure.png

partage=$travail/partage
aud=$partage/Quorva/fic_quorva/audacity
mkdir -p "$partage"
cp -r "$paquet" "$partage/Quorva"
mkdir -p "$aud"
cp "$remplacant" "$aud/audacity.exe"
printf 'frequence=1000\r\ncanaux=1\r\nformat=131073\r\nsource=%s\r\n' "$(chemin_windows "$demo")" > "$aud/remplacant.txt"

# The prefixes beside the fixture's (same file system, so linked, not
# copied), each with its own registry and user folders.
dossier_temporaire machines "$(dirname "$WINEPREFIX")"
fixture=$WINEPREFIX
_fin_partage() {
    for p in "$machines"/POSTE-*; do WINEPREFIX=$p "$QUORVA_WINESERVER" -k 2>/dev/null; done
    arreter_tout
}
trap _fin_partage EXIT

# machine X NAME PROGRAM: its prefix, server, name and screen; quorva.exe
# started there (its process in Q_X, its toolbar in B_X, its screen in D_X).
machine() {
    local nom=$2 pfx=$machines/$2
    cp -al "$fixture" "$pfx" 2>/dev/null || cp -a "$fixture" "$pfx"
    for f in system.reg user.reg userdef.reg; do cp --remove-destination "$fixture/$f" "$pfx/$f"; done
    rm -rf "$pfx/drive_c/users" && cp -a "$fixture/drive_c/users" "$pfx/drive_c/"
    mkdir -p "$pfx/dosdevices/unc/serveur"
    ln -s "$partage" "$pfx/dosdevices/unc/serveur/partage"
    ln -s "$partage" "$pfx/dosdevices/p:"
    export WINEPREFIX=$pfx REMPLACANT_JOURNAL=remplacant-$nom.log
    "$QUORVA_WINE" reg add 'HKLM\Software\Wine\Drives' /v p: /d network /f >/dev/null 2>&1 &&
        "$QUORVA_WINESERVER" -k && "$QUORVA_WINESERVER" -p &&
        "$QUORVA_WINE" reg add 'HKLM\System\CurrentControlSet\Control\ComputerName\ActiveComputerName' \
            /v ComputerName /d "$nom" /f >/dev/null 2>&1 || echec "$nom: no prefix"
    temp_du_prefixe
    preferer_anglais "$temp"
    associer_enregistreur .slk "$enregistreur"
    demarrer_xvfb 1366x768x24
    demarrer_openbox
    demarrer_quorva_exe "$3"
    printf -v "Q_$1" %s "$QUORVA"
    printf -v "B_$1" %s "$barre"
    printf -v "D_$1" %s "$DISPLAY"
}
# The machine X's program, toolbar and screen.
sur() {
    local q=Q_$1 b=B_$1 d=D_$1
    QUORVA=${!q} barre=${!b} DISPLAY=${!d}
}

debut=$SECONDS
machine A POSTE-A '\\serveur\partage\Quorva\quorva.exe'
machine B POSTE-B 'P:\Quorva\quorva.exe'

echo "== the stick-slip entry on both machines at once"
for m in A B; do
    sur $m
    ouvrir_menu_barre "$QUORVA" "$barre" || echec "POSTE-$m: no menu"
    for _ in 1 2 3 4 5; do xdotool key Down; done
done
DISPLAY=$D_A xdotool key Return
DISPLAY=$D_B xdotool key Return

for m in A B; do
    sur $m
    journal=$aud/remplacant-POSTE-$m.log
    attendre 40 grep -q '^exported' "$journal" || echec "POSTE-$m: no export: $(cat "$journal" 2>/dev/null)"
    grep -qi "^export=.*\\\\patin_tracte\\\\POSTE-$m\$" "$journal" || echec "POSTE-$m: $(grep '^export=' "$journal")"
    attendre 30 graphique || echec "POSTE-$m: no chart"
    repondre_aide_chart "$QUORVA" "$chart" "$barre" "" || echec "POSTE-$m: the chart's help box did not close"
    import -window root "$shots/wine_partage_POSTE-$m.png"
    xdotool mousemove --window "$chart" 1037 220 click 1
done
for m in A B; do
    ouvert=$aud/patin_tracte/POSTE-$m/essai.wav.slk.ouvert
    attendre 30 test -s "$ouvert" || echec "POSTE-$m: its workbook was not opened"
    grep -qi "POSTE-$m\\\\essai.wav.slk" "$ouvert" || echec "POSTE-$m opened $(cat "$ouvert")"
done
[ -e "$aud/Portable Settings/quorva_audacity.verrou" ] && echec "the lock was left behind"
ls "$aud/patin_tracte"/*.wav 2>/dev/null && echec "a recording went into the shared folder"
# No chart of the other machine's recording comes after: one more look each.
sleep 5
for m in A B; do
    sur $m
    graphique && echec "POSTE-$m: a second chart"
    vivant "$QUORVA" || echec "POSTE-$m: quorva.exe ended"
done
echo "partage ok ($((SECONDS - debut)) s)"
