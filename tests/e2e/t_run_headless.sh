#!/usr/bin/env bash
# A person on a machine without a display tries the README's run command: the
# program comes up on the command's own X server, and stopping the command
# leaves neither Wine nor that X server behind.
set -euo pipefail
dir="$ORV_E2E_OUT/run_headless"
rm -rf "$dir" "$dir-screenshot.png"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

out="$ORV_E2E_OUT/run_headless.out"
env -u DISPLAY "$ORV_TOP/scripts/run" "$dir" >"$out" 2>&1 &
run=$!
for _ in $(seq 1 600); do
  grep -q '^run: orvSafe is running' "$out" && break
  kill -0 "$run" 2>/dev/null || break
  sleep 0.2
done
cat "$out"
grep -q '^run: orvSafe is running' "$out" || { echo "the program did not come up"; exit 1; }
[ -s "$dir-screenshot.png" ] || { echo "no screenshot"; exit 1; }
[ -s "$dir/orvsafe.chm" ] || { echo "no help file in the prepared folder"; exit 1; }
display=$(grep -o 'display :[0-9]*' "$out" | grep -o '[0-9]*$')
[ "$display" != "${DISPLAY#:}" ] || { echo "used the caller's display"; exit 1; }

kill -TERM "$run"
for _ in $(seq 1 150); do kill -0 "$run" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$run" 2>/dev/null; then echo "run did not stop"; exit 1; fi
for _ in $(seq 1 50); do [ -e "/tmp/.X$display-lock" ] || break; sleep 0.2; done
[ ! -e "/tmp/.X$display-lock" ] || { echo "X server :$display left behind"; exit 1; }
if pgrep -f 'run_headless/orvSafe.exe' >/dev/null; then echo "orvSafe left running"; exit 1; fi
echo ok
