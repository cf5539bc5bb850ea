#!/usr/bin/env bash
# The portable zip as a person uses it: unpacked, orvSafe.exe started in its
# folder writes its settings there, and F1 in the main window opens the help
# file in the help viewer, whose window carries the help's title.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
dir="$ORV_E2E_OUT/pkg_zip"
rm -rf "$dir"; mkdir -p "$dir" "$shots"
zip=$(ls "$ORV_TOP"/build/package/orvSafe-*-win64.zip)
unzip -q "$zip" -d "$dir"
prog=$(ls -d "$dir"/orvSafe-*-win64)

cd "$prog"
wine orvSafe.exe &
finish() { wine taskkill /im hh.exe >/dev/null 2>&1 || true; wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true; }
trap finish EXIT
main=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
[ -s "$prog/orvsafe.ini" ] || { echo "no settings file beside the program"; ls "$prog"; exit 1; }

sleep 1
xdotool windowfocus "$main" 2>/dev/null || true
xdotool windowactivate "$main" 2>/dev/null || true
sleep 0.3
xdotool key F1
orv_wait_window 'orvSafe Help' 60 >/dev/null || { echo "the help viewer did not appear"; exit 1; }
sleep 2
import -window root "$shots/help_viewer.png"
