#!/bin/sh
# Placed where Quorva looks for its Audacity (as audacity.exe or audacity):
# starts the copy of the real Audacity beside it ("audacity-reelle"), whose
# "Portable Settings" are the preferences Quorva has just written. Before
# that, it enables there Audacity's scripting module (mod-script-pipe, which
# Audacity loads only when its recorded file time matches) and gives Audacity
# a temporary folder of the test's own, so that no other run's unsaved
# project brings up the crash-recovery box.
# $E2E_AUDACITY_LOG records each start with the sample rate Quorva set;
# $E2E_TAUX_VOULU, when set, is the only rate for which Audacity starts, and
# only without a project to open (the test walks the menu and may meet
# another Audacity entry first; the shake tables' one has the same rate):
# started for another, the launcher removes the preferences, so that the
# entry looked for still meets a copy whose preferences were never written.
ici=$(cd "$(dirname "$0")" && pwd)
cfg="$ici/Portable Settings/audacity.cfg"
module="$ici/modules/mod-script-pipe.so"
taux=$(grep -a '^DefaultProjectSampleRate=' "$cfg" | head -n 1 | tr -d '\r')
printf 'start %s\n' "${taux#*=}" >> "${E2E_AUDACITY_LOG:-/dev/null}"
if [ -n "${E2E_TAUX_VOULU:-}" ] && { [ "${taux#*=}" != "$E2E_TAUX_VOULU" ] || [ $# -gt 0 ]; }; then
    rm -f "$cfg"
    exit 0
fi
grep -a -q '^\[Module\]' "$cfg" || printf '[Module]\r\nmod-script-pipe=1\r\n[ModulePath]\r\nmod-script-pipe=%s\r\n[ModuleDateTime]\r\nmod-script-pipe=%s\r\n' \
    "$module" "$(date -r "$module" +%Y-%m-%dT%H:%M:%S)" >> "$cfg"
sed -i "s|^TempDir=\r\$|TempDir=$E2E_AUDACITY_TEMP\r|" "$cfg"
printf 'audacity %s\n' "$$" >> "${E2E_AUDACITY_LOG:-/dev/null}"
LD_LIBRARY_PATH=/usr/lib/audacity exec "$ici/audacity-reelle" "$@"
