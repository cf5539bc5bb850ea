#!/usr/bin/env bash
# The main window at 96, 144 and 192 DPI: a picture and the Windows checks (labels
# whole, images grown, every dialog walked and pictured) at each; at 96 a card
# changed and a search without the mouse.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
password='Scale-4 safe'
e2e_folder screen_scale
e2e_sample_safe "$dir/safes/scale.saf"
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
[Settings]
LastSafe=$(w "$dir/safes/scale.saf")
INI

set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  # Read at the start of a session: the server ends (saving the registry) first.
  wineserver -w 2>/dev/null || true
}
# The other checks run at 96 DPI whatever happens here (e2e_start sets its own trap).
restore() { e2e_finish; set_dpi 96; }
first=; trap restore EXIT

for dpi in 96 144 192; do
  set_dpi "$dpi"
  # The Windows checks at this scale; every dialog's picture comes with the walk.
  mkdir -p "$dir/dialogs"
  ORV_DIALOG_SHOTS=$(w "$dir/dialogs") timeout 120 wine "$ORV_TOP/build/win64/orv_win_tests.exe" \
    --gtest_filter=MainWindow.AtEveryScaleLabelsAreWholeAndImagesGrow:DialogAccess.* > "$dir/check_$dpi.txt" 2>&1 \
    || { echo "at $dpi DPI:"; grep -A8 Failure "$dir/check_$dpi.txt"; exit 1; }
  e2e_start
  trap restore EXIT
  e2e_password
  main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear at $dpi"; exit 1; }
  sleep 2
  import -window root "$shots/screen_scale_$dpi.png"
  [ "$dpi" = 96 ] || { e2e_kill; continue; }
  # Keyboard alone: down to example.org, Enter shows it, F2 edits its first field,
  # Enter stores it, Escape leaves the next one; Ctrl+F searches for "example".
  xdotool windowfocus "$main" 2>/dev/null || true
  sleep 0.5
  xdotool key --delay 200 Down Down Down Down Down Down Return F2
  sleep 0.5
  xdotool key --delay 60 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 60 'carol'
  xdotool key --delay 300 Return Escape
  xdotool key ctrl+f
  orv_wait_window Search 20 >/dev/null || { echo "Ctrl+F did not open Search"; exit 1; }
  xdotool type --delay 60 'example'
  xdotool key Tab Tab space Return
  orv_wait_window 'orvSafe - Searchresults' 20 >/dev/null || { echo "no search results"; exit 1; }
  xdotool windowfocus "$main" 2>/dev/null || true
  sleep 0.3
  e2e_close
done

# Every dialog at the three scales, kept with the other pictures.
mkdir -p "$shots/dialogs"
for bmp in "$dir"/dialogs/*.bmp; do convert "$bmp" "$shots/dialogs/$(basename "$bmp" .bmp).png"; done
ls "$shots"/dialogs/dialog_*_192.png >/dev/null 2>&1 || { echo "no dialog pictures at 192 DPI"; exit 1; }

printf '%s\n' "$password" | "$cli" export "$dir/safes/scale.saf" > "$dir/export.json"
grep -q '"lpFeldInhalt": "carol"' "$dir/export.json" || { echo "the edit was not written"; grep lpFeldInhalt "$dir/export.json"; exit 1; }
grep -q '"lpFeldInhalt": "s3cret"' "$dir/export.json" || { echo "Escape stored the next field"; exit 1; }
