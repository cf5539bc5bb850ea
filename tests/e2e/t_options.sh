#!/usr/bin/env bash
# The Options sheet from the Settings menu: every page is shown (a screenshot
# each), the backup generations become 4 and the cipher Blowfish; OK stores
# both, and a safe created afterwards is enveloped with Blowfish.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Options-7 safe'
e2e_folder options
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
BackupGenerations=5
CryptAlgo=8
INI

e2e_start
main=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
sleep 1

# "Options" is the last item of the Settings menu.
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+s
sleep 0.5
xdotool key Up Return
sheet=$(orv_wait_window Properties 30) || { echo "no options sheet"; exit 1; }
sleep 1
xdotool windowfocus "$sheet" 2>/dev/null || true
import -window root "$shots/options_folder_safe.png"
# The safe folder's edit has the focus; six tabs lead to the generations.
for _ in 1 2 3 4 5 6; do xdotool key Tab; sleep 0.1; done
xdotool key End shift+Home
xdotool type --delay 60 '4'
sleep 0.3
import -window root "$shots/options_folder_safe_changed.png"
# The page tabs, left to right, on the sheet's top row.
tab() { xdotool mousemove --window "$sheet" "$1" 39 click 1; sleep 0.8; import -window root "$shots/options_$2.png"; }
tab 146 display
tab 264 program
tab 369 cryptography
# BLOWFISH, the second box: AES is cleared.
xdotool mousemove --window "$sheet" 35 100 click 1
sleep 0.5
import -window root "$shots/options_cryptography_blowfish.png"
tab 460 miscellaneous
xdotool key Return
for _ in $(seq 1 50); do xdotool search --name '^Properties$' >/dev/null 2>&1 || break; sleep 0.2; done
if xdotool search --name '^Properties$' >/dev/null 2>&1; then echo "the sheet stayed open"; exit 1; fi
ini=$(tr -d '\r' < "$dir/prog/orvsafe.ini")
grep -qx 'BackupGenerations=4' <<<"$ini" || { echo "generations not stored"; echo "$ini"; exit 1; }
grep -qx 'CryptAlgo=9' <<<"$ini" || { echo "cipher not stored"; echo "$ini"; exit 1; }

# A new safe takes the cipher at once.
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.5
xdotool key s
create=$(orv_wait_window 'Create New Safe' 30) || { echo "no create dialog"; exit 1; }
sleep 0.5
xdotool windowfocus "$create" 2>/dev/null || true
xdotool type --delay 60 'blow'
xdotool key Tab
xdotool type --delay 60 "$password"
xdotool key Tab
xdotool type --delay 60 "$password"
xdotool key Return
for _ in $(seq 1 50); do xdotool search --name '^Create New Safe$' >/dev/null 2>&1 || break; sleep 0.2; done
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.5
xdotool key Up Return
e2e_wait_end
[ -f "$dir/safes/blow.saf" ] || { echo "the new safe was not created"; exit 1; }
# Blowfish-CBC's identifier (1.3.6.1.4.1.3029.1.2) in the safe's envelopes, AES-128-CBC's nowhere.
hex=$(xxd -p "$dir/safes/blow.saf" | tr -d '\n')
grep -q '2b060104019755010[12]' <<<"$hex" || { echo "the safe is not enveloped with Blowfish"; exit 1; }
! grep -q '608648016503040102' <<<"$hex" || { echo "the safe still uses AES"; exit 1; }
printf '%s\n' "$password" | "$cli" ls "$dir/safes/blow.saf" >/dev/null || { echo "the new safe does not open"; exit 1; }
echo ok
