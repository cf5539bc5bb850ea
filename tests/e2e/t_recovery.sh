#!/usr/bin/env bash
# Killed after a change, the next start offers the change back ("Recover", Yes).
# A safe replaced from outside while open: at the end No keeps both versions.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Rec-5 safe'
e2e_folder recovery
e2e_sample_safe "$dir/safes/day.saf"
cp "$dir/safes/day.saf" "$dir/day.saf.orig"
printf '[Options]\r\nSafePath=%s\r\nOpenLastSafe=yes\r\n[Settings]\r\nLastSafe=%s\r\n' \
  "$(w "$dir/safes")" "$(w "$dir/safes/day.saf")" > "$dir/prog/orvsafe.ini"

open_and_edit() { # starts, answers the prompt, sets example.org's User to $1 (as t_main_program.sh)
  e2e_start
  [ -z "${2:-}" ] || answer Recover Return recovery_offer
  e2e_password
  main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
  [ -n "$1" ] || return 0
  sleep 1; xdotool mousemove --window "$main" 50 84 click 1; sleep 0.5
  for _ in 1 2 3 4 5 6; do xdotool key Down; sleep 0.2; done
  xdotool mousemove --window "$main" 76 54 click 1; sleep 0.8
  xdotool mousemove --window "$main" 560 81 click 1; sleep 0.8
  xdotool key End; for _ in $(seq 1 12); do xdotool key BackSpace; done
  xdotool type --delay 60 "$1"; xdotool key Return; sleep 0.5
  xdotool mousemove --window "$main" 560 500 click 1; sleep 1
}
answer() { # the box titled $1 gets key $2, after picture $3
  local box; box=$(orv_wait_window "$1" 30) || { echo "no '$1' box"; exit 1; }
  sleep 0.8; import -window root "$shots/$3.png"
  xdotool windowfocus "$box" 2>/dev/null || true; xdotool key "$2"
  for _ in $(seq 1 25); do xdotool search --name "^$1\$" >/dev/null 2>&1 || break; sleep 0.2; done
}
holds() { printf '%s\n' "$password" | "$cli" export "$1" | grep -q "\"$2\"" || { echo "$1 lacks $2"; exit 1; }; }
close_main() { xdotool windowactivate "$main" 2>/dev/null || true; sleep 0.3; xdotool key alt+F4; }

open_and_edit alice.rec
for _ in $(seq 1 50); do [ -s "$dir/safes/day.saf.~rec" ] && break; sleep 0.2; done
holds "$dir/safes/day.saf.~rec" alice.rec
kill -9 "$first" 2>/dev/null || true; wine taskkill /f /im orvSafe.exe >/dev/null 2>&1 || true; e2e_wait_end
cmp -s "$dir/safes/day.saf" "$dir/day.saf.orig" || { echo "the killed program changed the safe"; exit 1; }
open_and_edit "" recover
xdotool windowactivate "$main" 2>/dev/null || true; sleep 0.3; e2e_close
holds "$dir/safes/day.saf" alice.rec
[ ! -e "$dir/safes/day.saf.~rec" ] || { echo "the copy stayed after the end"; exit 1; }

open_and_edit alice.mine
cp "$dir/day.saf.orig" "$dir/safes/day.new" && mv "$dir/safes/day.new" "$dir/safes/day.saf"
close_main; answer Confirm n conflict_question; e2e_wait_end
cmp -s "$dir/safes/day.saf" "$dir/day.saf.orig" || { echo "the other program's safe was overwritten"; exit 1; }
conflict=$(ls "$dir/safes" | grep -E '^day \(conflict [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}-[0-9]{2}\)\.saf$')
holds "$dir/safes/$conflict" alice.mine
echo "recovered after a kill; both versions kept: day.saf and $conflict"
