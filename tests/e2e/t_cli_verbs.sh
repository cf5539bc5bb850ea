#!/usr/bin/env bash
# A safe built and kept from the terminal alone: create, folders from templates,
# cards filled, edited, moved and removed, the password changed; each step seen
# through export, the refusals with their exit codes, and the result read by the
# Windows build of the companion under Wine as well.
set -euo pipefail
cli="$ORV_TOP/build/native/orvsafe-cli"
work="$ORV_E2E_OUT/cli_verbs"
rm -rf "$work"; mkdir -p "$work"; cd "$work"
printf 'first pw\n' > pw1; printf 'second pw\n' > pw2
s=s.saf
run() { "$cli" "$@" --password-file pw1; }
fails() { # expected exit code, then the command; its message must name the fault
  local want=$1 text=$2; shift 2
  set +e; "$cli" "$@" --password-file pw1 2>err.txt; local got=$?; set -e
  [ "$got" = "$want" ] || { echo "exit $got, not $want: $*"; cat err.txt; exit 1; }
  grep -q -- "$text" err.txt || { echo "message of $*:"; cat err.txt; exit 1; }
}
# What the safe holds, as "folder/card: field=value ..." lines.
view() {
  "$cli" export "$s" --password-file "${1:-pw1}" | python3 -c '
import json, sys
d = json.load(sys.stdin)
folders = {f["nOrdnerKennung"]: f["cOrdnerName"] for f in d["folders"]}
names = {(f["nOrdnerKennung"], f["nFeldIndex"]): f["feldname"] for f in d["fields"]}
for c in sorted(d["cards"], key=lambda c: (c["nOrdnerKennung"], c["nKartenOrder"])):
    vals = [names[(c["nOrdnerKennung"], x["nFeldIndex"])] + "=" + x["lpFeldInhalt"]
            for x in d["contents"] if x["nKartenKennung"] == c["nKartenKennung"] and x["lpFeldInhalt"]]
    print(folders[c["nOrdnerKennung"]] + "/" + c["cKartenName"] + ": " + " ".join(sorted(vals)))
print("folders: " + ",".join(f["cOrdnerName"] for f in d["folders"]))'
}
expect() { local got; got=$(view "${2:-pw1}"); [ "$got" = "$1" ] || { echo "safe holds:"; echo "$got"; echo "expected:"; echo "$1"; exit 1; }; }

run create "$s"
fails 1 "exists already" create "$s"
expect "folders: "
run mkdir "$s" Logins --template "Web login"
run mkdir "$s" Mail --template "e-mail account"   # a unique name without regard to case
run mkdir "$s" Keys --icon key.ico --field Owner:NORMAL:20 --field Pin:PASSWORT:8 --field Renew:ALARM:0
run add "$s" Logins Forum "User name=ann" "Password=s3cret"
run add "$s" Logins forum2 "User name=bob"
run add "$s" Keys Door Owner=me Pin=4711 Renew=12/24/2026
expect "Logins/Forum: Password=s3cret User name=ann
Logins/forum2: User name=bob
Keys/Door: Owner=me Pin=4711 Renew=12/24/2026
folders: Logins,Mail,Keys"
[ "$(run show "$s" logins/forum)" = "$(printf 'Web address\t\nUser name\tann\nPassword\t********\nNotes\t')" ] ||
  { run show "$s" logins/forum; exit 1; }
run show "$s" Logins/Forum --show-protected | grep -q "$(printf 'Password\ts3cret')"

# Refusals leave the file as it was.
before=$(md5sum < "$s")
fails 2 'no folder "Nowhere"' add "$s" Nowhere Card
run add "$s" Logins FORUM "User name=cy"
fails 2 'card name "forum" is ambiguous' show "$s" Logins/forum
fails 1 "longer than its 8 characters" edit "$s" Keys/Door Pin=123456789
fails 1 "is an alarm" edit "$s" Keys/Door Renew=tomorrow
fails 1 "please choose icon" mkdir "$s" NoIcon --field A:NORMAL:5
fails 2 "no template \"No such\"" mkdir "$s" X --template "No such"
fails 1 "nothing done" rm "$s" Logins/FORUM
run rm "$s" Logins/FORUM --force
[ "$(md5sum < "$s")" != "$before" ]

run edit "$s" Logins/forum2 "User name=bea" Password=pw2
run mv "$s" Keys/Door Logins 2>err.txt && { echo "moved between folders that differ"; exit 1; }
grep -q "cannot paste card" err.txt
run mkdir "$s" Logins2 --template "Web login"
run mv "$s" Logins/forum2 Logins2
run rm "$s" Logins/Forum --force
run rmdir "$s" Mail --force
expect "Keys/Door: Owner=me Pin=4711 Renew=12/24/2026
Logins2/forum2: Password=pw2 User name=bea
folders: Logins,Keys,Logins2"

# A new password: the old one first, then the new; the old one opens nothing now.
cat pw1 pw2 | "$cli" passwd "$s"
if "$cli" export "$s" --password-file pw1 >/dev/null 2>&1; then echo "the old password still opens"; exit 1; fi
expect "Keys/Door: Owner=me Pin=4711 Renew=12/24/2026
Logins2/forum2: Password=pw2 User name=bea
folders: Logins,Keys,Logins2" pw2
# FIELD=- at a terminal: asked for and typed without echo, like the password.
python3 - "$cli" "$s" <<'PY'
import os, pty, signal, sys
signal.alarm(30)
cli, safe = sys.argv[1:3]
pid, fd = pty.fork()
if pid == 0:
    os.execv(cli, [cli, "edit", safe, "Keys/Door", "Pin=-"])
seen = b""
def read():
    global seen
    try:
        seen += (chunk := os.read(fd, 100))
        return bool(chunk)
    except OSError:
        return False
for prompt, line in ((b"Password: ", b"second pw\n"), (b"Value of Pin: ", b"2468\n")):
    while prompt not in seen:
        assert read(), seen
    os.write(fd, line)
while read():
    pass
assert os.waitpid(pid, 0)[1] == 0, seen
assert b"second pw" not in seen and b"2468" not in seen, seen
PY
expect "Keys/Door: Owner=me Pin=2468 Renew=12/24/2026
Logins2/forum2: Password=pw2 User name=bea
folders: Logins,Keys,Logins2" pw2
p1=$("$cli" generate); p2=$("$cli" generate --length 30)
[ ${#p1} = 10 ] && [ ${#p2} = 30 ] && [ "$p1" != "${p2:0:10}" ]

# The Windows build reads the same safe to the same export.
exe="$ORV_TOP/build/win64/orvsafe-cli.exe"
if [ -x "$exe" ] && command -v wine >/dev/null; then
  wine "$exe" export "$(winepath -w "$work/$s")" --password-file "$(winepath -w "$work/pw2")" 2>/dev/null | tr -d '\r' > win.json
  "$cli" export "$s" --password-file pw2 > native.json
  cmp win.json native.json
fi
echo "cli verbs ok"
