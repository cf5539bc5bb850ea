#!/usr/bin/env bash
# The installer under Wine: a silent per-user install puts the program, its help
# and a Start-menu entry in place; the installed program starts there and writes
# its settings beside itself; the silent uninstall removes the program but keeps
# the settings and a safe the user stored in the program's folder and in the
# user's own; one removed with /PURGE takes the settings too, and still not the
# safes. A machine-wide install is refused and leaves nothing under Program Files.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
dir="$ORV_E2E_OUT/pkg_installer"
rm -rf "$dir"; mkdir -p "$dir" "$shots"
setup=$(ls "$ORV_TOP"/build/package/orvSafe-*-win64-setup.exe)
u() { winepath -u "$1" | sed 's|/$||'; }
profile=$(u "$(wine cmd /c echo %USERPROFILE% | tr -d '\r')")
finish() { wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true; }
trap finish EXIT
password=pw
e2e_sample_safe "$dir/own.saf"

install_round() { # mode, instdir, menu folder, uninstall option
  local mode=$1 inst=$2 menu=$3 purge=$4
  rm -rf "$inst"
  wine "$setup" /S "/$mode"
  for f in orvSafe.exe orvArgs.exe orvsafe-cli.exe orvsafe.chm orvtemplate.ini readme.txt Icons/Key.ico Sounds/orvalert.wav uninstall.exe; do
    [ -s "$inst/$f" ] || { echo "$mode: $f not installed in $inst"; ls "$inst" || true; exit 1; }
  done
  [ -s "$menu/orvSafe.lnk" ] || { echo "$mode: no Start-menu entry in $menu"; exit 1; }

  # Started as the Start-menu entry starts it: in its own folder.
  (cd "$inst" && wine orvSafe.exe &)
  orv_wait_window orvSafe 60 >/dev/null || { echo "$mode: the installed program did not start"; exit 1; }
  [ -n "$purge" ] || import -window root "$shots/installed_program.png"
  for _ in $(seq 1 50); do [ -s "$inst/orvsafe.ini" ] && break; sleep 0.2; done
  [ -s "$inst/orvsafe.ini" ] || { echo "$mode: no settings written in $inst"; exit 1; }
  wine taskkill /im orvSafe.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do xdotool search --name '^orvSafe$' >/dev/null 2>&1 || break; sleep 0.2; done

  cp "$dir/own.saf" "$inst/beside.saf"
  mkdir -p "$profile/Documents/orvSafe"
  cp "$dir/own.saf" "$profile/Documents/orvSafe/my.saf"
  # The uninstaller copies itself away and returns at once: wait for Wine to go quiet.
  wine "$inst/uninstall.exe" /S $purge
  timeout 60 wineserver -w || true
  for f in orvSafe.exe orvArgs.exe orvsafe-cli.exe orvsafe.chm readme.txt Icons Sounds uninstall.exe; do
    [ ! -e "$inst/$f" ] || { echo "$mode: $f left after uninstall"; exit 1; }
  done
  [ ! -e "$menu/orvSafe.lnk" ] || { echo "$mode: the Start-menu entry stayed"; exit 1; }
  cmp -s "$dir/own.saf" "$inst/beside.saf" || { echo "$mode: the safe beside the program was touched"; exit 1; }
  cmp -s "$dir/own.saf" "$profile/Documents/orvSafe/my.saf" || { echo "$mode: the user's safe was touched"; exit 1; }
  if [ -z "$purge" ]; then
    [ -s "$inst/orvsafe.ini" ] && [ -s "$inst/orvtemplate.ini" ] || { echo "$mode: the settings were removed unasked"; exit 1; }
  else
    [ ! -e "$inst/orvsafe.ini" ] && [ ! -e "$inst/orvtemplate.ini" ] || { echo "$mode: /PURGE left the settings"; exit 1; }
  fi
  echo "$mode: installed in $inst, started, uninstalled"
}

appdata=$(u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")
install_round CurrentUser "$profile/AppData/Local/Programs/orvSafe" "$appdata/Microsoft/Windows/Start Menu/Programs" ""
install_round CurrentUser "$profile/AppData/Local/Programs/orvSafe" "$appdata/Microsoft/Windows/Start Menu/Programs" /PURGE

# Machine-wide: refused, so no folder under Program Files that users could write.
machine="$(u 'C:\Program Files')/orvSafe"; rm -rf "$machine"
if wine "$setup" /S /AllUsers || [ -e "$machine" ]; then echo "AllUsers: not refused"; exit 1; fi
echo "AllUsers: refused, nothing installed"
