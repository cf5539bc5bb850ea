#!/usr/bin/env bash
# A note from the toolbar: "Create note", a text typed into it; closing the safe
# writes it and takes it away, and opening the safe again shows it where it
# was, its text in its title.
set -euo pipefail
source "$ORV_TOP/scripts/lib.sh"
cli="$ORV_TOP/build/native/orvsafe-cli"
dir="$ORV_E2E_OUT/notes"
shots="$ORV_E2E_OUT/screenshots"
rm -rf "$dir"; mkdir -p "$dir/prog" "$dir/safes" "$shots"
cp "$ORV_TOP/build/win64/orvSafe.exe" "$dir/prog/"

cat > "$dir/safe.json" <<'JSON'
{"format": "orvsafe-export", "formatVersion": 1,
 "header": {"nPasswort": 0, "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0},
 "folders": [
  {"nOrdnerKennung": 1, "nOrdnerOrder": 1, "cOrdnerName": "Home", "cIconName": "", "nExpanded": 1, "nCategory": 0}],
 "fields": [
  {"nOrdnerKennung": 1, "nFeldIndex": 0, "nFeldOrder": 1, "feldname": "Note", "feldtyp": 0, "feldlaenge": 40, "drag": 1}],
 "cards": [], "contents": [], "cardFieldTables": [], "notes": [], "desktopProfiles": [], "desktopIcons": []}
JSON
"$cli" import "$dir/safe.json" "$dir/safes/day.saf" --no-password

w() { winepath -w "$1"; }
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
AutoBackup=no
[Settings]
LastSafe=$(w "$dir/safes/day.saf")
INI
windir=$(w "$dir/prog")

wine "$dir/prog/orvSafe.exe" "$windir" &
first=$!
finish() { kill -0 "$first" 2>/dev/null && wine taskkill /im orvSafe.exe >/dev/null 2>&1; true; }
trap finish EXIT
ended() {
  for _ in $(seq 1 100); do kill -0 "$first" 2>/dev/null || return 0; sleep 0.2; done
  echo "orvSafe did not end"; exit 1
}

main=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
sleep 1
# "Create note" on the toolbar (the main window sits at the origin); the new note
# takes the keyboard.
xdotool mousemove 362 54 click 1
sleep 1.5
# No window manager runs on the test display to keep a window's notes above it
# and give them the keyboard: the new note (the program's other visible window)
# is raised and focused here as a manager would.
notes() { xdotool search --onlyvisible --class orvsafe 2>/dev/null | grep -vx "$main" || true; }
raise_notes() {
  for id in $(notes); do
    xdotool windowraise "$id" 2>/dev/null || true
    xdotool windowfocus "$id" 2>/dev/null || true
  done
  sleep 0.5
}
for _ in $(seq 1 100); do [ -n "$(notes)" ] && break; sleep 0.2; done
[ -n "$(notes)" ] || { import -window root "$shots/notes_failed.png"; echo "no note appeared"; exit 1; }
raise_notes
xdotool type --delay 60 'Milk and eggs'
note=$(orv_wait_window 'Milk and eggs' 20) || {
  import -window root "$shots/notes_failed.png"; echo "the note did not take the text"; exit 1; }
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
"$cli" export "$dir/safes/day.saf" --no-password | grep -q '"lpText": "Milk and eggs"' \
  || { echo "the note is not in the safe"; exit 1; }

# File, "Open Safe", the safe's name: the note is back where it was.
xdotool mousemove 300 500 click 1; sleep 0.5
xdotool key alt+f; sleep 0.5; xdotool key Down; sleep 0.2; xdotool key Return
open=$(orv_wait_window 'open safe' 20) || { echo "no open dialog"; exit 1; }
sleep 0.5; xdotool windowfocus "$open" 2>/dev/null || true
xdotool key End shift+Home; xdotool type --delay 50 'day'; xdotool key Return
for _ in $(seq 1 100); do xdotool search --onlyvisible --name '^Milk and eggs$' >/dev/null 2>&1 && break; sleep 0.2; done
xdotool search --onlyvisible --name '^Milk and eggs$' >/dev/null 2>&1 || {
  import -window root "$shots/notes_failed.png"; echo "the note did not come back"; exit 1; }
raise_notes
import -window root "$shots/notes_reopened.png"
wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true
ended
echo ok
