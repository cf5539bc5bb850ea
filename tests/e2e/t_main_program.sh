#!/usr/bin/env bash
# A person's day with orvSafe: the program opens the last safe at start and asks
# for its password, the tree shows the safe, a second start changes nothing,
# closing the program writes the safe back with a backup generation.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Day-7 safe'
e2e_folder main_program
e2e_sample_safe "$dir/safes/day.saf"
cp "$dir/safes/day.saf" "$dir/day.saf.orig"
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
AutoBackup=yes
BackupPath=$(w "$dir/backup")
BackupGenerations=3
[Settings]
LastSafe=$(w "$dir/safes/day.saf")
INI

# The last safe is opened at start: its password is asked for first.
e2e_start
e2e_password main_program_password

main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
sleep 2
import -window root "$shots/main_program.png"

# Edit a field as a person would: choose the card example.org with the keyboard
# (from the safe's item: Banking, Savings, Account, PIN, Web, example.org), switch
# to change mode on the toolbar, click the first row of the card list, replace
# its text and press Enter (which stores it and opens the next row), then click
# below the rows to end editing.
xdotool mousemove --window "$main" 50 84 click 1
sleep 0.5
for _ in 1 2 3 4 5 6; do xdotool key Down; sleep 0.2; done
sleep 0.5
import -window root "$shots/main_program_card.png"
xdotool mousemove --window "$main" 76 54 click 1   # "change card content"
sleep 0.8
xdotool mousemove --window "$main" 560 81 click 1  # first row: User
sleep 0.8
xdotool key End
for _ in $(seq 1 12); do xdotool key BackSpace; done
xdotool type --delay 60 'alice.new'
xdotool key Return
sleep 0.5
import -window root "$shots/main_program_edit.png"
xdotool mousemove --window "$main" 560 500 click 1 # below the rows
sleep 0.5

# A second start ends at once: one main window, one "start pgm".
timeout 30 wine "$dir/prog/orvSafe.exe" "$windir"
[ "$(xdotool search --name '^orvSafe$' | wc -l)" -eq 1 ] || { echo "more than one main window"; exit 1; }
[ "$(grep -c '\*MAIN\* start pgm' "$dir/prog/orvsafe.log")" -eq 1 ] || { cat "$dir/prog/orvsafe.log"; exit 1; }

# Closing the program: Alt+F4 on the main window (Exit through taskkill if the keys went astray).
xdotool windowfocus "$main" 2>/dev/null || true
xdotool windowactivate "$main" 2>/dev/null || true
sleep 0.3
e2e_close
grep -q '\*MAIN\* exit pgm' "$dir/prog/orvsafe.log" || { cat "$dir/prog/orvsafe.log"; exit 1; }

# The safe was written back (a new envelope each time) and still opens with its password.
if cmp -s "$dir/safes/day.saf" "$dir/day.saf.orig"; then echo "the safe was not written"; exit 1; fi
printf '%s\n' "$password" | "$cli" ls "$dir/safes/day.saf" > "$dir/ls.txt"
grep -q '^Banking	1 card$' "$dir/ls.txt" || { cat "$dir/ls.txt"; exit 1; }
grep -q '^Web	2 cards$' "$dir/ls.txt" || { cat "$dir/ls.txt"; exit 1; }
# The edit reached the file.
printf '%s\n' "$password" | "$cli" export "$dir/safes/day.saf" > "$dir/export.json"
grep -q '"lpFeldInhalt": "alice.new"' "$dir/export.json" || { echo "the edit was not written"; grep lpFeldInhalt "$dir/export.json"; exit 1; }
grep -q '"lpFeldInhalt": "s3cret"' "$dir/export.json" || { echo "the next row changed"; exit 1; }
# AutoBackup: closing made exactly one generation of the safe in BackupPath, a
# copy of what was written.
ls "$dir/backup" > "$dir/backups.txt"
[ "$(grep -c '^day\.saf\.[0-9]$' "$dir/backups.txt")" -eq 1 ] || { echo "not one backup generation"; cat "$dir/backups.txt"; exit 1; }
cmp "$dir/backup/$(grep '^day\.saf\.[0-9]$' "$dir/backups.txt")" "$dir/safes/day.saf"

# Next morning a wrong password at start: the message, then the program runs
# without a safe and does not try that safe again.
cp "$dir/safes/day.saf" "$dir/day.saf.before"
e2e_start
pw=$(orv_wait_window 'Enter Safe - Password' 60) || { echo "no password prompt on the second day"; exit 1; }
sleep 1
xdotool windowfocus "$pw" 2>/dev/null || true
xdotool type --delay 60 'not the password'
xdotool key Return
err=$(orv_wait_window Error 30) || { echo "no error message"; exit 1; }
sleep 0.5
import -window root "$shots/main_program_wrong_password.png"
xdotool windowfocus "$err" 2>/dev/null || true
xdotool key Return
main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
sleep 1
import -window root "$shots/main_program_no_safe.png"
e2e_kill
cmp "$dir/safes/day.saf" "$dir/day.saf.before" || { echo "a refused safe was written"; exit 1; }
grep -q '^LastSafe=$' "$dir/prog/orvsafe.ini" || { echo "LastSafe kept"; grep LastSafe "$dir/prog/orvsafe.ini"; exit 1; }
[ "$(grep -c '\*MAIN\* exit pgm' "$dir/prog/orvsafe.log")" -eq 2 ] || { cat "$dir/prog/orvsafe.log"; exit 1; }

# A new safe from the File menu, by keyboard only: Alt+F, "Create &Safe", the
# name, Tab, the password, Tab, its confirmation, Enter. "Exit" (the menu's last
# item) ends the program, which writes the new safe.
e2e_start
main=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
sleep 1
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.5
xdotool key s
create=$(orv_wait_window 'Create New Safe' 30) || { echo "no create dialog"; exit 1; }
sleep 0.5
xdotool windowfocus "$create" 2>/dev/null || true
xdotool type --delay 60 'second'
xdotool key Tab
xdotool type --delay 60 "$password"
xdotool key Tab
xdotool type --delay 60 "$password"
sleep 0.3
import -window root "$shots/main_program_create.png"
xdotool key Return
for _ in $(seq 1 50); do xdotool search --name '^Create New Safe$' >/dev/null 2>&1 || break; sleep 0.2; done
sleep 1
import -window root "$shots/main_program_created.png"
[ -f "$dir/safes/second.saf" ] || { echo "the new safe was not created"; exit 1; }
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.5
xdotool key Up Return
for _ in $(seq 1 100); do kill -0 "$first" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$first" 2>/dev/null; then echo "Exit did not end the program"; exit 1; fi
printf '%s\n' "$password" | "$cli" ls "$dir/safes/second.saf" > "$dir/ls2.txt" || { echo "the new safe does not open"; exit 1; }
[ ! -s "$dir/ls2.txt" ] || { echo "the new safe is not empty"; cat "$dir/ls2.txt"; exit 1; }
grep -qxF "LastSafe=$(w "$dir/safes/second.saf")" <(tr -d '\r' < "$dir/prog/orvsafe.ini") || { echo "LastSafe is not the new safe"; grep LastSafe "$dir/prog/orvsafe.ini"; exit 1; }
[ "$(grep -c '\*MAIN\* exit pgm' "$dir/prog/orvsafe.log")" -eq 3 ] || { cat "$dir/prog/orvsafe.log"; exit 1; }
echo ok
