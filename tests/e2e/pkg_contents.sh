#!/usr/bin/env bash
# The package check refuses a program folder that lacks any one of the files
# the packages hold, or holds it empty, and names the file; the made packages pass.
set -euo pipefail
pkg="$ORV_TOP/build/package"
full=$(ls -d "$pkg"/orvSafe-*-win64)
dir="$ORV_E2E_OUT/pkg_contents"
rm -rf "$dir"; mkdir -p "$dir"
"$ORV_TOP/scripts/package" --check "$full"
"$ORV_TOP/scripts/package" --check "$(ls -d "$pkg"/orvSafe-*-win32)"

# One row per file at the top of the made package and one of each folder in it:
# without it, and with it empty.
cp -r "$full" "$dir/p"
n=0
while read -r f; do
  for how in removed emptied; do
    mv "$dir/p/$f" "$dir/aside"
    [ $how = removed ] || : >"$dir/p/$f"
    if "$ORV_TOP/scripts/package" --check "$dir/p" 2>"$dir/err.txt"; then
      echo "accepted a package with $f $how"; exit 1
    fi
    grep -qx "package: $dir/p lacks $f" "$dir/err.txt" || { echo "$f $how:"; cat "$dir/err.txt"; exit 1; }
    mv -f "$dir/aside" "$dir/p/$f"
    n=$((n + 1))
  done
done < <(cd "$full" && { find . -maxdepth 1 -type f; for d in */; do find "$d" -type f | sort | head -n 1; done; } | sed 's|^\./||')
echo "refused $n broken packages"
