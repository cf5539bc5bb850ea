#!/usr/bin/env bash
# The live round trip through KeePassXC, where keepassxc-cli is installed (not in
# CI): the KeePassXC fixture is imported into a safe, the safe exported as
# keepass-xml, that imported by keepassxc-cli into a new database, and every
# entry keepassxc-cli reads back from it compared with the fixture, value by value.
# Usage: tests/interop/keepassxc_roundtrip.sh [BUILD_DIR]   (default build/native)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cli="$top/${1:-build/native}/orvsafe-cli"
command -v keepassxc-cli >/dev/null || { echo "keepassxc_roundtrip: no keepassxc-cli here, skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'round-trip\n' >"$work/pw"
"$cli" import-from "$top/tests/data/exchange/keepassxc.xml" "$work/s.safe" --password-file "$work/pw" >/dev/null
"$cli" export-to keepass-xml "$work/s.safe" --password-file "$work/pw" --output "$work/out.xml"
printf 'kx\nkx\n' | keepassxc-cli import -q -p "$work/out.xml" "$work/back.kdbx" 2>/dev/null
status=0
# Each entry of the fixture read back with keepassxc-cli show, every attribute.
while IFS=$'\t' read -r path key want; do
  got=$(printf 'kx\n' | keepassxc-cli show -q -s -a "$key" "$work/back.kdbx" "$path" 2>&1) || true
  want=$(printf '%b' "$want")
  if [ "$got" != "$want" ]; then
    echo "keepassxc_roundtrip: $path $key: got [$got], expected [$want]"
    status=1
  fi
done < <(python3 - "$top/tests/data/exchange/keepassxc.xml" <<'PY'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot().find('Root/Group')
def walk(g, path):
    for e in g.findall('Entry'):
        vals = {s.findtext('Key'): s.findtext('Value') or '' for s in e.findall('String')}
        title = ''.join(c if c.encode('cp1252', 'ignore') else f'[U+{ord(c):04X}]' for c in vals['Title'])
        for k, v in vals.items():
            # the safe's character rule: what Windows-1252 lacks becomes [U+XXXX]
            v = ''.join(c if c.encode('cp1252', 'ignore') else f'[U+{ord(c):04X}]' for c in v)
            esc = v.replace('\\', '\\\\').replace('\n', '\\n')
            print(f"{'/'.join(path + [title])}\t{k}\t{esc}")
    for sub in g.findall('Group'):
        walk(sub, path + [sub.findtext('Name')])
walk(root, [])
PY
)
[ $status = 0 ] && echo "keepassxc_roundtrip: every value came back"
exit $status
