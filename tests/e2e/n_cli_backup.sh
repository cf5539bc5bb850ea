#!/usr/bin/env bash
# Backups from the terminal: generations in the settings' BackupPath, the
# oldest reused once all exist, the drop file carried along, and the list the
# "Recover" dialog would show.
set -euo pipefail
cli="$ORV_TOP/build/native/orvsafe-cli"
work="$ORV_E2E_OUT/cli_backup"
rm -rf "$work"; mkdir -p "$work/prog" "$work/bk" "$work/empty"; cd "$work"
printf 'pass word\n' > pw.txt
cat > s.json <<'JSON'
{"format": "orvsafe-export", "formatVersion": 1,
 "header": {"nPasswort": 1, "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0},
 "folders": [], "fields": [], "cards": [], "contents": [], "cardFieldTables": [], "notes": [],
 "desktopProfiles": [], "desktopIcons": []}
JSON
"$cli" import s.json my.saf --password-file pw.txt

# Without settings there is nowhere to put a backup, and the user is told so.
if "$cli" backup my.saf 2>err.txt; then echo "backup without BackupPath"; exit 1; fi
grep -q "no BackupPath is set in ./orvsafe.ini" err.txt

printf '[Options]\nBackupPath=%s\nBackupGenerations=2\n' "$work/bk" > prog/orvsafe.ini
out0=$("$cli" backup my.saf --dir prog)
[ "$out0" = "$work/bk/my.saf.0" ] || { echo "first backup went to $out0"; exit 1; }
cmp my.saf bk/my.saf.0
# A drop file beside the safe travels with it (as a hidden copy on Windows).
printf 'envelope' > my.saf.df
touch -d '2026-01-02 03:04:05' my.saf
out1=$("$cli" backup my.saf --dir prog)
[ "$out1" = "$work/bk/my.saf.1" ] || { echo "second backup went to $out1"; exit 1; }
cmp my.saf.df bk/my.saf.df.1
# Both generations exist: the one written longest ago (copies keep the safe's
# time, so generation 1 now) is replaced.
touch -d '2026-03-04 05:06:07' my.saf
out2=$("$cli" backup my.saf --dir prog)
[ "$out2" = "$work/bk/my.saf.1" ] || { echo "third backup went to $out2"; exit 1; }
ls bk/*.~tmp 2>/dev/null && { echo "temporary left"; exit 1; }

# The recover list: drop-file backups left out, oldest first, in local time.
"$cli" recover-list bk > list.txt
expected=$(printf '2026.03.04\t05:06:07\tmy.saf.1\n%s\t%s\tmy.saf.0' \
  "$(date -r bk/my.saf.0 +%Y.%m.%d)" "$(date -r bk/my.saf.0 +%H:%M:%S)")
[ "$(cat list.txt)" = "$expected" ] || { echo "recover list:"; cat list.txt; exit 1; }
[ "$("$cli" recover-list empty)" = "keine Backup Dateien" ]
if "$cli" recover-list missing 2>/dev/null; then echo "missing folder listed"; exit 1; fi
if "$cli" backup nothere.saf --dir prog 2>/dev/null; then echo "backup of a missing safe"; exit 1; fi
echo "cli backup ok"
