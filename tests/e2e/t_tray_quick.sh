#!/usr/bin/env bash
# The tray and the quick window as a person meets them: with TrayOnMinimize on,
# minimising puts the program in the tray and a click on its icon brings it
# back; the toolbar's "Quickwin" makes the strip at the screen's right edge,
# which shrinks to its tab and grows back under the mouse; "back" ends it.
set -euo pipefail
password='Tray-3 safe'
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
e2e_folder tray_quick
e2e_sample_safe "$dir/safes/day.saf"
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
TrayOnMinimize=yes
QWMinimizeTime=2
[Settings]
LastSafe=$(w "$dir/safes/day.saf")
INI
e2e_start
e2e_password
main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
sleep 1
visible() { xwininfo -id "$main" 2>/dev/null | grep -q 'IsViewable'; }

# "Quickwin" on the toolbar (the eighth button): the strip at the right edge.
before=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
xdotool mousemove --window "$main" "216" 54 click 1
sleep 1
width=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
[ "$width" -eq 150 ] || { echo "the strip is $width wide"; import -window root "$shots/quick_window_failed.png"; exit 1; }
import -window root "$shots/quick_window.png"
sleep 4
width=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
[ "$width" -eq 20 ] || { echo "the strip did not shrink ($width)"; exit 1; }
import -window root "$shots/quick_window_shrunk.png"
xdotool mousemove --window "$main" 10 200
xdotool mousemove --window "$main" 12 210
sleep 1
width=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
[ "$width" -eq 150 ] || { echo "the strip did not grow back ($width)"; exit 1; }
# "back" (the status bar's first button, left of the strip's bottom) ends it.
height=$(xwininfo -id "$main" | awk '/Height:/ {print $2}')
xdotool mousemove --window "$main" 30 $((height - 8)) click 1
sleep 1
width=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
[ "$width" -eq "$before" ] || { echo "back did not restore the window ($width)"; exit 1; }
import -window root "$shots/quick_window_back.png"

# Minimise by the system menu: the window goes, the tray icon comes.
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+space
sleep 0.5
xdotool key n
for _ in $(seq 1 25); do visible || break; sleep 0.2; done
if visible; then echo "the window did not go to the tray"; exit 1; fi
sleep 1
import -window root "$shots/tray_hidden.png"

# The icon lies in "Wine System Tray" (no tray manager on this X server), the
# first icon below its caption.
for _ in $(seq 1 25); do
  tray=$(xdotool search --onlyvisible --class 'explorer' 2>/dev/null | head -n 1)
  [ -n "$tray" ] && break
  sleep 0.2
done
[ -n "$tray" ] || { echo "no tray window"; exit 1; }

# A right click shows the tray menu; a click beside it closes it.
xdotool mousemove --window "$tray" 13 32 click 3
sleep 1
import -window root "$shots/tray_menu.png"
xdotool mousemove 640 600 click 1
sleep 0.5
xdotool mousemove --window "$tray" 13 32 click 1
for _ in $(seq 1 25); do visible && break; sleep 0.2; done
visible || { echo "a click on the icon did not bring the window back"; exit 1; }
sleep 1
import -window root "$shots/tray_restored.png"

xdotool windowfocus "$main" 2>/dev/null || true
e2e_close
echo ok
