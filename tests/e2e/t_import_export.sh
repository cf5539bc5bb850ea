#!/usr/bin/env bash
# "Import..." from the File menu: a Bitwarden export chosen in the file dialog
# goes into the open safe, and the report names what it changed; the safe
# written back at the end holds the imported folders.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Import-7 safe'
e2e_folder import_export
e2e_sample_safe "$dir/safes/day.saf"
cp "$ORV_TOP/tests/data/exchange/bitwarden.json" "$dir/vault.json"
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
AutoBackup=no
[Settings]
LastSafe=$(w "$dir/safes/day.saf")
INI
e2e_start
e2e_password
main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
sleep 1

# "Import..." is the third item above the bottom of the File menu (Up wraps to "Exit").
xdotool mousemove --window "$main" 400 10 click 1
sleep 0.5
xdotool key alt+f; sleep 0.5
for _ in 1 2 3; do xdotool key Up; sleep 0.1; done
import -window root "$shots/import_menu.png"
xdotool key Return
chooser=$(orv_wait_window Import 30) || { echo "no file dialog"; exit 1; }
sleep 1
xdotool windowfocus "$chooser" 2>/dev/null || true
xdotool type --delay 40 "$(w "$dir/vault.json")"
xdotool key Return
# The report comes under the same caption once the chooser is gone.
for _ in $(seq 1 50); do xdotool search --name '^Import$' 2>/dev/null | grep -qx "$chooser" || break; sleep 0.2; done
report=$(orv_wait_window Import 30) || { echo "no report"; exit 1; }
sleep 1
import -window root "$shots/import_report.png"
xdotool windowfocus "$report" 2>/dev/null || true
xdotool key Return
sleep 1
import -window root "$shots/import_done.png"
xdotool windowfocus "$main" 2>/dev/null || true
e2e_close
printf '%s\n' "$password" | "$cli" ls "$dir/safes/day.saf" > "$dir/folders.txt"
grep -q "^Work/VPN	1 card" "$dir/folders.txt" || { echo "the import is not in the safe"; cat "$dir/folders.txt"; exit 1; }
grep -q "^Imported	2 cards" "$dir/folders.txt" || { echo "the entries without a folder are missing"; cat "$dir/folders.txt"; exit 1; }
echo ok
