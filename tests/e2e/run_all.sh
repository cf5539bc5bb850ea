#!/usr/bin/env bash
# Runs every end-to-end check (t_*.sh beside this file, or PREFIX*.sh when a
# prefix is given: pkg_ for the checks of the release packages) against the
# built programs under Wine, on the X server in DISPLAY; n_*.sh are the checks
# of the native companion, which need neither Wine nor an X server. Each check is a script that
# exits 0 when it passed. Prints one line per check and, last, "E2E <passed> <failed>".
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
export ORV_TOP=$top ORV_E2E_OUT="$top/build/e2e"
mkdir -p "$ORV_E2E_OUT/screenshots"
passed=0 failed=0
for t in "$here/${1:-t_}"*.sh; do
  name=$(basename "$t" .sh)
  began=$SECONDS
  if timeout 180 bash "$t" >"$ORV_E2E_OUT/$name.log" 2>&1; then
    echo "e2e: PASS $name ($((SECONDS - began)) s)"
    passed=$((passed + 1))
  else
    echo "e2e: FAIL $name after $((SECONDS - began)) s (see build/e2e/$name.log)"
    tail -n 20 "$ORV_E2E_OUT/$name.log" | sed 's/^/    /'
    failed=$((failed + 1))
  fi
  case "$name" in n_*) ;; *) wineserver -k 2>/dev/null; wineserver -w 2>/dev/null ;; esac
done
echo "E2E $passed $failed"
