# Steps the end-to-end checks share: a program folder of their own, the sample
# safe, starting orvSafe under Wine, answering its password prompt, ending it.
# Sourced by the t_*.sh scripts; "$password" is the check's safe password.
source "$ORV_TOP/scripts/lib.sh"
cli="$ORV_TOP/build/native/orvsafe-cli"
shots="$ORV_E2E_OUT/screenshots"
w() { winepath -w "$1"; }

# A fresh $dir named $1 with prog/ (the program and its icons), safes/ and backup/.
e2e_folder() {
  dir="$ORV_E2E_OUT/$1"
  rm -rf "$dir"; mkdir -p "$dir/prog" "$dir/safes" "$dir/backup" "$shots"
  cp "$ORV_TOP/build/win64/orvSafe.exe" "$dir/prog/"
  cp -r "$ORV_TOP/dist/Icons" "$dir/prog/"
  windir=$(w "$dir/prog")
}

# The sample safe $1 under "$password": Banking with the card Savings, Web with
# example.org and mail.example.net; folders and the first cards stored expanded.
e2e_sample_safe() {
  cat > "$dir/sample.json" <<'JSON'
{"format": "orvsafe-export", "formatVersion": 1,
 "header": {"nPasswort": 1, "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0},
 "folders": [
  {"nOrdnerKennung": 1, "nOrdnerOrder": 1, "cOrdnerName": "Banking", "cIconName": "Bank.ico", "nExpanded": 1, "nCategory": 0},
  {"nOrdnerKennung": 2, "nOrdnerOrder": 2, "cOrdnerName": "Web", "cIconName": "", "nExpanded": 1, "nCategory": 0}],
 "fields": [
  {"nOrdnerKennung": 1, "nFeldIndex": 0, "nFeldOrder": 1, "feldname": "Account", "feldtyp": 0, "feldlaenge": 40, "drag": 1},
  {"nOrdnerKennung": 1, "nFeldIndex": 1, "nFeldOrder": 2, "feldname": "PIN", "feldtyp": 1, "feldlaenge": 10, "drag": 1},
  {"nOrdnerKennung": 2, "nFeldIndex": 0, "nFeldOrder": 1, "feldname": "User", "feldtyp": 0, "feldlaenge": 40, "drag": 1},
  {"nOrdnerKennung": 2, "nFeldIndex": 1, "nFeldOrder": 2, "feldname": "Password", "feldtyp": 1, "feldlaenge": 40, "drag": 1},
  {"nOrdnerKennung": 2, "nFeldIndex": 2, "nFeldOrder": 3, "feldname": "Address", "feldtyp": 2, "feldlaenge": 100, "drag": 0}],
 "cards": [
  {"nOrdnerKennung": 1, "nKartenKennung": 1, "nKartenOrder": 1, "cKartenName": "Savings", "cIconName": "", "nExpanded": 1, "nCategory": 0},
  {"nOrdnerKennung": 2, "nKartenKennung": 2, "nKartenOrder": 1, "cKartenName": "example.org", "cIconName": "", "nExpanded": 1, "nCategory": 0},
  {"nOrdnerKennung": 2, "nKartenKennung": 3, "nKartenOrder": 2, "cKartenName": "mail.example.net", "cIconName": "", "nExpanded": 0, "nCategory": 0}],
 "contents": [
  {"nKartenKennung": 1, "nFeldIndex": 0, "nFeldLaenge": 12, "lpFeldInhalt": "DE0012345678"},
  {"nKartenKennung": 1, "nFeldIndex": 1, "nFeldLaenge": 4, "lpFeldInhalt": "4711"},
  {"nKartenKennung": 2, "nFeldIndex": 0, "nFeldLaenge": 5, "lpFeldInhalt": "alice"},
  {"nKartenKennung": 2, "nFeldIndex": 1, "nFeldLaenge": 6, "lpFeldInhalt": "s3cret"},
  {"nKartenKennung": 2, "nFeldIndex": 2, "nFeldLaenge": 23, "lpFeldInhalt": "https://www.example.org"},
  {"nKartenKennung": 3, "nFeldIndex": 0, "nFeldLaenge": 3, "lpFeldInhalt": "bob"}],
 "cardFieldTables": [], "notes": [], "desktopProfiles": [], "desktopIcons": []}
JSON
  printf '%s\n' "$password" | "$cli" import "$dir/sample.json" "$1"
}

# Starts the program of $dir as $first; whatever is left of it ends with the script.
e2e_start() {
  wine "$dir/prog/orvSafe.exe" "$windir" &
  first=$!
  trap e2e_finish EXIT
}
e2e_finish() { kill -0 "$first" 2>/dev/null && wine taskkill /im orvSafe.exe >/dev/null 2>&1; true; }

# Types "$password" into the password prompt (picture $1 when given) and waits for it to go.
e2e_password() {
  local pw
  pw=$(orv_wait_window 'Enter Safe - Password' 60) || { echo "no password prompt"; exit 1; }
  sleep 1
  [ -n "${1:-}" ] && import -window root "$shots/$1.png"
  xdotool windowfocus "$pw" 2>/dev/null || true
  xdotool windowactivate "$pw" 2>/dev/null || true
  sleep 0.3
  xdotool type --delay 60 "$password"
  xdotool key Return
  for _ in $(seq 1 50); do xdotool search --name '^Enter Safe - Password$' >/dev/null 2>&1 || return 0; sleep 0.2; done
  echo "the prompt stayed"; exit 1
}

# Waits up to 20 s for the program to end; a check fails when it does not.
e2e_wait_end() {
  for _ in $(seq 1 100); do kill -0 "$first" 2>/dev/null || return 0; sleep 0.2; done
  echo "orvSafe did not end"; exit 1
}
# Alt+F4 on the active window; the program is asked to close when the keys went astray.
e2e_close() {
  xdotool key alt+F4
  for _ in $(seq 1 50); do kill -0 "$first" 2>/dev/null || return 0; sleep 0.2; done
  echo "Alt+F4 did not close the program; asking it to close"
  e2e_kill
}
e2e_kill() { wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true; e2e_wait_end; }
