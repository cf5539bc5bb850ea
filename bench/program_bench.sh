#!/usr/bin/env bash
# The program itself at scale, under Wine on a private X server: a safe of 4 cards
# and one of 100 folders x 100 cards x 8 fields (no password, so no key derivation),
# each made with the terminal companion and opened as the last safe, against the
# program with no safe and a minimal Win32 program (the floor Wine itself sets).
# build/win64/bench/program_timer.exe starts each, waits for the window, polls the
# tree's item count until it stays put, closes the program and waits for its end.
# Then three windows, each timed from its command until it shows with its rows:
# a search hitting all 80,000 contents of the large safe, the drop window listing
# 10,000 files (beside the small safe) and the recover dialog with 9 generations.
# Usage: bench/program_bench.sh [RUNS [PROGRAM]]   (after scripts/build native win64; the median
# of RUNS, default 3; PROGRAM instead of build/win64/orvSafe.exe, an older build to compare, say)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/lib.sh"
runs=${1:-3}
program=${2:-$top/build/win64/orvSafe.exe}
cli="$top/build/native/orvsafe-cli"
timer="$top/build/win64/bench/program_timer.exe"
maker="$top/build/native/bench/drop_list_maker"
for f in "$cli" "$timer" "$maker" "$top/build/win64/bench/floor_window.exe" "$program"; do
  [ -x "$f" ] || [ -f "$f" ] || { echo "missing $f: scripts/build native win64" >&2; exit 1; }
done
work="$top/build/bench/program"
rm -rf "$work"; mkdir -p "$work"

# A safe of $2 folders x $3 cards x 8 fields, every field shown in the tree, as $1.
make_safe() {
  python3 - "$2" "$3" > "$work/safe.json" <<'PY'
import json, random, sys
folders, cards = int(sys.argv[1]), int(sys.argv[2])
rnd = random.Random(12345)
d = {"format": "orvsafe-export", "formatVersion": 1,
     "header": {"nPasswort": 0, "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0},
     "folders": [], "fields": [], "cards": [], "contents": [], "cardFieldTables": [],
     "notes": [], "desktopProfiles": [], "desktopIcons": []}
card = 0
for f in range(1, folders + 1):
    d["folders"].append({"nOrdnerKennung": f, "nOrdnerOrder": f, "cOrdnerName": "Folder %d" % f,
                         "cIconName": "", "nExpanded": 0, "nCategory": 0})
    for i in range(8):
        d["fields"].append({"nOrdnerKennung": f, "nFeldIndex": i, "nFeldOrder": i + 1, "feldname": "Field %d" % i,
                            "feldtyp": 0, "feldlaenge": 60, "drag": 1})
    for c in range(1, cards + 1):
        card += 1
        d["cards"].append({"nOrdnerKennung": f, "nKartenKennung": card, "nKartenOrder": c,
                           "cKartenName": "Card %d" % card, "cIconName": "", "nExpanded": 0, "nCategory": 0})
        for i in range(8):
            text = "pw" + "".join(chr(97 + rnd.randrange(26)) for _ in range(18 + rnd.randrange(41)))
            d["contents"].append({"nKartenKennung": card, "nFeldIndex": i, "nFeldLaenge": len(text),
                                  "lpFeldInhalt": text})
json.dump(d, sys.stdout)
PY
  "$cli" import "$work/safe.json" "$1" --no-password >/dev/null
}

# A program folder $1 whose settings open the safe $2 (none when empty) at start
# and keep backups in $1/backup.
make_prog() {
  mkdir -p "$1/backup"
  cp "$program" "$1/orvSafe.exe"
  cp -r "$top/dist/Icons" "$1/"
  { printf '[Options]\r\nOpenLastSafe=%s\r\nAutoBackup=no\r\n' "$([ -n "$2" ] && echo yes || echo no)"
    printf 'BackupPath=%s\r\nBackupGenerations=9\r\n' "$(winepath -w "$1/backup")"
    printf '[Settings]\r\nLastSafe=%s\r\n' "$([ -n "$2" ] && winepath -w "$2")"; } > "$1/orvsafe.ini"
}

orv_start_xvfb
orv_wine_prefix "$top" keep
trap 'wineserver -k 2>/dev/null; orv_stop_xvfb' EXIT

make_safe "$work/small.saf" 2 2
make_safe "$work/large.saf" 100 100
make_safe "$work/dropped.saf" 2 2
"$maker" "$work/dropped.saf" 10000
for p in empty small large dropped; do
  make_prog "$work/$p" "$([ $p = empty ] || echo "$work/$p.saf")"
done
# The recover dialog lists 9 generations of the large safe (it opens with no safe open).
# The companion runs natively: its settings name the same folder by its own path.
mkdir -p "$work/cli"
printf '[Options]\r\nBackupPath=%s\r\nBackupGenerations=9\r\n' "$work/empty/backup" > "$work/cli/orvsafe.ini"
for _ in $(seq 1 9); do "$cli" backup "$work/large.saf" --dir "$work/cli" >/dev/null; done


# One line of figures per run of $1 (with the step $3 as $2): "window_ms tree_ms
# items close_ms", or with a step "window_ms tree_ms items step_ms rows close_ms".
measure() {
  local name=$1 program=${2:-$1} cls=orvSafe exe arg
  if [ "$name" = floor ]; then cls=orvFloor exe=$(winepath -w "$top/build/win64/bench/floor_window.exe") arg=""
  else exe=$(winepath -w "$work/$program/orvSafe.exe") arg=$(winepath -w "$work/$program"); fi
  for _ in $(seq 1 "$runs"); do
    timeout 300 wine "$timer" ${3:+"$3"} "$cls" "$exe" "$arg" | tr -d '\r'
  done > "$work/$name.txt"
}
# The median of column $2 of $1's runs.
median() { awk -v c="$2" '{print $c}' "$work/$1.txt" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

wine "$timer" orvFloor "$(winepath -w "$top/build/win64/bench/floor_window.exe")" >/dev/null # Wine warmed up
for name in floor empty small large dropped; do measure "$name"; done
measure search large --search=pw
measure drop dropped --drop
measure recover empty --recover

printf '| median of %s runs, ms | floor | no safe | 4 cards | 10,000 cards | extra |\n|---|---|---|---|---|---|\n' "$runs"
row() {
  local label=$1 col=$2 f e s l
  f=$(median floor "$col"); e=$(median empty "$col"); s=$(median small "$col"); l=$(median "${3:-large}" "$col")
  printf '| %s | %s | %s | %s | %s | %+d |\n' "$label" "$f" "$e" "$s" "$l" $((l - s))
}
row "start until the window shows" 1
row "start until the tree is complete" 2
row "tree items" 3
row "close until the process ends" 4
row "the same, 10,000 files in the drop list instead of 10,000 cards" 2 dropped
echo
printf '| median of %s runs, ms | until it shows | rows |\n|---|---|---|\n' "$runs"
for step in search drop recover; do
  printf '| %s | %s | %s |\n' "$step" "$(median $step 4)" "$(median $step 5)"
done
