#!/usr/bin/env bash
# A person starts orvSafe, starts it again by mistake, looks at the window and closes it.
set -euo pipefail
source "$ORV_TOP/scripts/lib.sh"
dir="$ORV_E2E_OUT/start_once"
rm -rf "$dir"; mkdir -p "$dir"
cp "$ORV_TOP/build/win64/orvSafe.exe" "$dir/"
windir=$(winepath -w "$dir")

wine "$dir/orvSafe.exe" "$windir" &
first=$!
id=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
echo "main window $id"

# The second start ends at once, without a window of its own.
timeout 30 wine "$dir/orvSafe.exe" "$windir"
[ "$(xdotool search --name '^orvSafe$' | wc -l)" -eq 1 ] || { echo "more than one main window"; exit 1; }
sleep 1
import -window root "$ORV_E2E_OUT/screenshots/start_once.png"

[ "$(grep -c '\*MAIN\* start pgm' "$dir/orvsafe.log")" -eq 1 ] || { cat "$dir/orvsafe.log"; exit 1; }

# Closing the window ends the program and logs its exit.
wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true
for _ in $(seq 1 100); do kill -0 "$first" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$first" 2>/dev/null; then echo "orvSafe did not end"; exit 1; fi
grep -q '\*MAIN\* exit pgm' "$dir/orvsafe.log" || { cat "$dir/orvsafe.log"; exit 1; }
echo ok
