#!/usr/bin/env bash
# Backups and recovery from the File menu: a safe is opened, backed up twice,
# a field is changed and backed up once more, and "Recover Safe" brings the
# first generation back, old value and all. The drop window, restored at start,
# shows the items of the droplist recovery file the user agreed to, and one of
# them, a large file encrypted beforehand, is decrypted by a right click with
# the progress window up.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Backup-3 safe'
e2e_folder backup_recover
mkdir -p "$dir/files"
e2e_sample_safe "$dir/safes/day.saf"

printf 'report\n' > "$dir/files/report.txt"
mkdir -p "$dir/files/photos"
head -c 48M /dev/urandom > "$dir/files/big.bin"
sum=$(sha256sum < "$dir/files/big.bin")
printf '%s\n' "$password" | "$cli" encrypt-file "$dir/files/big.bin"
printf '%s\r\n%s\r\n%s\r\n' "$(w "$dir/files/report.txt")" "$(w "$dir/files/photos")" "$(w "$dir/files/big.bin")" \
  > "$dir/prog/orvrecover.txt"
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
AutoBackup=no
BackupPath=$(w "$dir/backup")
BackupGenerations=3
[Settings]
LastSafe=$(w "$dir/safes/day.saf")
CryptWindowActive=yes
INI
e2e_start

# Presses Return in the window titled $1 once it is there.
confirm() {
  local box
  box=$(orv_wait_window "$1" 30) || { echo "no window '$1'"; exit 1; }
  sleep 0.5
  [ -n "${2:-}" ] && import -window root "$shots/$2.png"
  xdotool windowfocus "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 1 25); do xdotool search --name "^$1\$" >/dev/null 2>&1 || break; sleep 0.2; done
}
# The File menu's item n places above "Exit" (Up wraps to the last item and skips separators).
# The main window is activated by a click on its caption, right of the drop window.
file_menu_up() {
  xdotool mousemove --window "$main" 760 10 click 1
  sleep 0.5
  xdotool key alt+f
  sleep 0.5
  for _ in $(seq 1 "$1"); do xdotool key Up; sleep 0.1; done
  [ -n "${2:-}" ] && import -window root "$shots/$2.png"
  xdotool key Return
}

# The safe has no drop file: the recovery file is offered, and its items fill the drop window.
e2e_password
confirm Confirm backup_recover_offer
main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
orv_wait_window 'orvSafe - crypted Files/Folders' 10 >/dev/null || { echo "the drop window is not restored"; exit 1; }
sleep 1
import -window root "$shots/drop_window_items.png"
[ ! -f "$dir/prog/orvrecover.txt" ] || { echo "the recovery file was not consumed"; exit 1; }

# The rows run newest name first: report.txt, photos, big.bin. A click on the
# third, a right click, OK: the progress window shows while it is decrypted.
drop=$(orv_wait_window 'orvSafe - crypted Files/Folders' 5)
xdotool mousemove --window "$drop" 100 68 click 1
sleep 0.3
xdotool click 3
confirm Confirm
orv_wait_window Progress 20 >/dev/null || { echo "no progress window"; exit 1; }
sleep 0.3
import -window root "$shots/progress_window.png"
for _ in $(seq 1 300); do xdotool search --name '^Progress$' >/dev/null 2>&1 || break; sleep 0.2; done
[ "$(sha256sum < "$dir/files/big.bin")" = "$sum" ] || { echo "big.bin is not back"; exit 1; }
sleep 0.5
import -window root "$shots/drop_window_decrypted.png"

# "Backup Safe" twice: generations 0 and 1.
for g in 0 1; do
  file_menu_up 6 backup_menu
  confirm Confirm
  confirm Notice backup_done
  [ -f "$dir/backup/day.saf.$g" ] || { echo "no generation $g"; ls "$dir/backup"; exit 1; }
  touch -d "2026-01-0$((g + 1)) 10:00:00" "$dir/backup/day.saf.$g"
done

# Change a field: example.org's User becomes alice.new (as in the main program's check).
xdotool mousemove --window "$main" 50 84 click 1
sleep 0.5
for _ in 1 2 3 4 5 6; do xdotool key Down; sleep 0.2; done
sleep 0.5
xdotool mousemove --window "$main" 76 54 click 1
sleep 0.8
xdotool mousemove --window "$main" 560 81 click 1
sleep 0.8
xdotool key End
for _ in $(seq 1 12); do xdotool key BackSpace; done
xdotool type --delay 60 'alice.new'
xdotool key Return
sleep 0.5
xdotool mousemove --window "$main" 560 500 click 1
sleep 0.5
# A third generation holds the change.
file_menu_up 6
confirm Confirm
confirm Notice
touch -d "2026-01-03 10:00:00" "$dir/backup/day.saf.2"
printf '%s\n' "$password" | "$cli" export "$dir/backup/day.saf.2" | grep -q '"lpFeldInhalt": "alice.new"' ||
  { echo "the field was not changed"; exit 1; }

# "Recover Safe": write back (Yes), choose the oldest generation, confirm, password.
file_menu_up 5
confirm Confirm
rec=$(orv_wait_window Recover 30) || { echo "no recover dialog"; exit 1; }
sleep 0.5
xdotool mousemove --window "$rec" 60 66 click 1
sleep 0.5
import -window root "$shots/recover_dialog.png"
xdotool windowfocus "$rec" 2>/dev/null || true
xdotool key Return
confirm Confirm recover_replace
e2e_password
sleep 1
import -window root "$shots/recovered.png"

xdotool windowfocus "$main" 2>/dev/null || true
xdotool windowactivate "$main" 2>/dev/null || true
sleep 0.3
e2e_close

printf '%s\n' "$password" | "$cli" export "$dir/safes/day.saf" > "$dir/export.json"
grep -q '"lpFeldInhalt": "alice"' "$dir/export.json" || { echo "the old value is not back"; grep lpFeldInhalt "$dir/export.json"; exit 1; }
grep -qx 'CryptWindowActive=yes' <(tr -d '\r' < "$dir/prog/orvsafe.ini") || { echo "the drop window's state was not kept"; exit 1; }
echo ok
