#!/usr/bin/env bash
# Makes the KeePassXC fixtures of the import tests: a database built with
# keepassxc-cli (nested groups, non-ASCII text, a long note, a custom attribute),
# exported by keepassxc-cli to XML and CSV. Needs keepassxc-cli (Debian's
# keepassxc); the files it writes are kept under tests/data/exchange.
# Usage: tests/interop/make_keepassxc_fixtures.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out="$top/tests/data/exchange"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pw=fixture-pw
kx() { keepassxc-cli "$@"; }

# keepassxc-cli adds no custom attributes: the one entry with one comes in by XML.
cat >"$work/seed.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<KeePassFile><Root><Group><Name>Root</Name>
<Entry><String><Key>Title</Key><Value>Bank</Value></String>
<String><Key>UserName</Key><Value>jürgen</Value></String>
<String><Key>Password</Key><Value ProtectInMemory="True">pa"ss,wörd</Value></String>
<String><Key>URL</Key><Value>https://bank.example</Value></String>
<String><Key>Notes</Key><Value></Value></String>
<String><Key>PIN</Key><Value ProtectInMemory="True">4711</Value></String>
<String><Key>Security question</Key><Value>First pet: Müsli</Value></String>
</Entry></Group></Root></KeePassFile>
XML
printf '%s\n%s\n' "$pw" "$pw" | kx import -q -p "$work/seed.xml" "$work/db.kdbx"
printf '%s\n' "$pw" | kx mkdir -q "$work/db.kdbx" Internet
printf '%s\n' "$pw" | kx mkdir -q "$work/db.kdbx" Internet/Mail
long=$(for i in $(seq 1 40); do printf 'Line %02d of a long note, “quoted” – and € 100.\n' "$i"; done)
printf '%s\n%s\n' "$pw" 'mail-pässwörd' | kx add -q -p -u 'anna@example.org' --url 'https://mail.example.org' \
    --notes "$long" "$work/db.kdbx" 'Internet/Mail/Mail – Ärger 日本'
printf '%s\n%s\n' "$pw" 'p4ss' | kx add -q -p -u bob --url 'https://shop.example' --notes 'a, "b"' \
    "$work/db.kdbx" 'Internet/Shop'
printf '%s\n' "$pw" | kx export -q -f xml "$work/db.kdbx" >"$out/keepassxc.xml"
printf '%s\n' "$pw" | kx export -q -f csv "$work/db.kdbx" >"$out/keepassxc.csv"
echo "wrote $out/keepassxc.xml and $out/keepassxc.csv (keepassxc-cli $(kx --version))"
