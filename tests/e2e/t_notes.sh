#!/usr/bin/env bash
# A note from the toolbar: "Create note", a text typed into it; closing the safe
# writes it and takes it away, and opening the safe again shows it where it
# was, its text in its title.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Note-5 safe'
e2e_folder notes
e2e_sample_safe "$dir/safes/day.saf"
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

# No window manager runs on the test display to keep a window's notes above it
# and give them the keyboard: the notes (the program's visible windows other
# than the main one) are raised and focused here as a manager would.
notes() { xdotool search --onlyvisible --class orvsafe 2>/dev/null | grep -vx "$main" || true; }
raise_notes() {
  for id in $(notes); do
    xdotool windowraise "$id" 2>/dev/null || true
    xdotool windowfocus "$id" 2>/dev/null || true
  done
  sleep 0.5
}
# Waits for the note titled $1 to be shown.
shown() {
  for _ in $(seq 1 100); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0; sleep 0.2; done
  import -window root "$shots/notes_failed.png"; echo "no note '$1' shown"; exit 1
}

# "Create note" on the toolbar (the main window sits at the origin), then the text.
xdotool mousemove 362 54 click 1
for _ in $(seq 1 100); do [ -n "$(notes)" ] && break; sleep 0.2; done
[ -n "$(notes)" ] || { import -window root "$shots/notes_failed.png"; echo "no note appeared"; exit 1; }
raise_notes
xdotool type --delay 60 'Milk and eggs'
shown 'Milk and eggs'
sleep 0.5
import -window root "$shots/notes_note.png"

# File, "Close Safe", Yes: the safe is written and its note goes with it.
xdotool mousemove 300 500 click 1; sleep 0.5   # the main window takes the keyboard back
xdotool key alt+f; sleep 0.5
for k in Down Down; do xdotool key "$k"; sleep 0.2; done
xdotool key Return
box=$(orv_wait_window Confirm 20) || { echo "no question on closing"; exit 1; }
sleep 0.5; xdotool windowfocus "$box" 2>/dev/null || true; xdotool key Return
for _ in $(seq 1 50); do xdotool search --name '^Milk and eggs$' >/dev/null 2>&1 || break; sleep 0.2; done
if xdotool search --name '^Milk and eggs$' >/dev/null 2>&1; then echo "the note stayed after the safe closed"; exit 1; fi
printf '%s\n' "$password" | "$cli" export "$dir/safes/day.saf" | grep -q '"lpText": "Milk and eggs"' \
  || { echo "the note is not in the safe"; exit 1; }

# File, "Open Safe", the safe's name and password: the note is back where it was.
xdotool mousemove 300 500 click 1; sleep 0.5
xdotool key alt+f; sleep 0.5; xdotool key Down; sleep 0.2; xdotool key Return
open=$(orv_wait_window 'open safe' 20) || { echo "no open dialog"; exit 1; }
sleep 0.5; xdotool windowfocus "$open" 2>/dev/null || true
xdotool key End shift+Home; xdotool type --delay 50 'day'; xdotool key Return
e2e_password
shown 'Milk and eggs'
raise_notes
import -window root "$shots/notes_reopened.png"
e2e_kill
echo ok
