#!/usr/bin/env bash
# The terminal companion against OpenSSL's cms command, both ways, and a safe
# exported to JSON and imported again.
set -euo pipefail
cli="$ORV_TOP/build/native/orvsafe-cli"
work="$ORV_E2E_OUT/cli_interop"
rm -rf "$work"; mkdir -p "$work"; cd "$work"
printf 'pass word\n' > pw.txt
legacy=(-provider legacy -provider default)

for size in 0 1 15 16 17 4095 4096 100000 3000000; do
  head -c "$size" /dev/urandom > orig.bin
  for algo in aes blowfish cast skipjack; do
    cp orig.bin f.bin
    "$cli" encrypt-file f.bin --algo "$algo" --password-file pw.txt
    if [ "$size" -gt 0 ] && [ "$algo" != skipjack ]; then
      openssl cms -decrypt -binary -inform DER -in f.bin -pwri_password 'pass word' "${legacy[@]}" -out o.bin
      cmp orig.bin o.bin || { echo "openssl read $algo $size wrong"; exit 1; }
    fi
    "$cli" decrypt-file f.bin --password-file pw.txt
    cmp orig.bin f.bin || { echo "round trip $algo $size wrong"; exit 1; }
  done
  for cipher in aes128 aes256 bf-cbc cast5-cbc; do
    openssl cms -encrypt -binary -outform DER -in orig.bin -out f.bin -pwri_password 'pass word' "-$cipher" "${legacy[@]}"
    "$cli" decrypt-file f.bin --password-file pw.txt
    cmp orig.bin f.bin || { echo "openssl $cipher $size not read"; exit 1; }
  done
  echo "size $size ok"
done

# A wrong password is refused with the program's message and leaves the file alone.
printf 'secret' > s.txt
"$cli" encrypt-file s.txt --password-file pw.txt
cp s.txt s.enc
printf 'wrong\n' > bad.txt
if "$cli" decrypt-file s.txt --password-file bad.txt 2>err.txt; then echo "wrong password accepted"; exit 1; fi
cmp s.txt s.enc

# Passwords never come from the command line.
if "$cli" encrypt-file s.txt --password x 2>/dev/null; then echo "--password accepted"; exit 1; fi

# A safe through JSON and back, with the password from standard input.
cat > safe.json <<'JSON'
{
  "format": "orvsafe-export", "formatVersion": 1,
  "header": {"nPasswort": 1, "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0},
  "folders": [{"nOrdnerKennung": 1, "nOrdnerOrder": 1, "cOrdnerName": "Web", "cIconName": "", "nExpanded": 0, "nCategory": 0}],
  "fields": [{"nOrdnerKennung": 1, "nFeldIndex": 0, "nFeldOrder": 1, "feldname": "Password", "feldtyp": 1, "feldlaenge": 40, "drag": 1}],
  "cards": [{"nOrdnerKennung": 1, "nKartenKennung": 1, "nKartenOrder": 1, "cKartenName": "example.org", "cIconName": "", "nExpanded": 0, "nCategory": 0}],
  "contents": [{"nKartenKennung": 1, "nFeldIndex": 0, "nFeldLaenge": 6, "lpFeldInhalt": "s3cr\u00e9t"}],
  "cardFieldTables": [], "notes": [], "desktopProfiles": [], "desktopIcons": []
}
JSON
printf 'pass word\n' | "$cli" import safe.json my.saf
if printf 'pass word\n' | "$cli" import safe.json my.saf 2>/dev/null; then echo "replaced without --force"; exit 1; fi
! grep -q 's3cr' my.saf
printf 'pass word\n' | "$cli" export my.saf > out.json
printf 'pass word\n' | "$cli" import out.json copy.saf
printf 'pass word\n' | "$cli" export copy.saf > out2.json
cmp out.json out2.json
grep -q '"lpFeldInhalt": "s3cr\\u00e9t"' out.json
printf 'pass word\n' | "$cli" ls my.saf | grep -q '^Web	1 card$'
printf 'pass word\n' | "$cli" search my.saf EXAMPLE | grep -q '^card	example.org$'
if printf 'nope\n' | "$cli" export my.saf >/dev/null 2>err.txt; then echo "wrong password exported"; exit 1; fi
grep -q 'error in encrypt safe' err.txt
echo ok
