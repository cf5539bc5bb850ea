#!/usr/bin/env bash
# A new user fills a safe with the keyboard and the mouse only: a new safe, a
# folder from the shipped template "Web login", two cards with a value each, the
# cards reordered, a category given to the folder and chosen in the filter box;
# closing writes it all, and the next start asks for the password and shows it.
set -euo pipefail
source "$ORV_TOP/tests/e2e/e2e_lib.sh"
e2e_folder fill_safe
password='Fill-3 safe'
cat > "$dir/prog/orvsafe.ini" <<INI
[Options]
SafePath=$(w "$dir/safes")
OpenLastSafe=yes
INI
e2e_start

# Waits for a dialog, gives it the keyboard and keeps a picture of it.
dialog() {
  local id
  id=$(orv_wait_window "$1" 30) || { echo "no dialog '$1'" >&2; exit 1; }
  sleep 0.6
  xdotool windowfocus "$id" 2>/dev/null || true
  sleep 0.2
  [ -n "${2:-}" ] && import -window root "$shots/fill_safe_$2.png"
  echo "$id"
}
gone() { for _ in $(seq 1 50); do xdotool search --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.2; done; echo "'$1' stayed"; exit 1; }
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }
# The File menu's item n places below "Create Safe" (separators are passed over).
file_item() {
  xdotool windowfocus "$main" 2>/dev/null || true
  xdotool key alt+f; sleep 0.5
  for _ in $(seq 1 "$1"); do xdotool key Down; sleep 0.1; done
  xdotool key Return
}
# Places are screen points: the main window sits at the origin.
# The first folder of the tree: a click into the tree, Home for the safe's item,
# "+" to open it, one down.
first_folder() {
  xdotool mousemove 50 84 click 1; sleep 0.5
  keys Home KP_Add Down
  sleep 0.5
}

main=$(orv_wait_window orvSafe 60) || { echo "main window did not appear"; exit 1; }
sleep 1

# A safe: File, "Create Safe".
xdotool windowfocus "$main" 2>/dev/null || true; xdotool key alt+f; sleep 0.5; xdotool key s
dialog 'Create New Safe' >/dev/null
xdotool type --delay 50 'filled'; xdotool key Tab
xdotool type --delay 50 "$password"; xdotool key Tab
xdotool type --delay 50 "$password"; xdotool key Return
gone 'Create New Safe'
sleep 1

# A folder from the template "Web login": its name, "List", the first template, OK; the
# field editor shows the template's fields and icon, OK.
file_item 4
dialog 'Create Folder' create_folder >/dev/null
xdotool type --delay 50 'Logins'; keys Tab space
dialog 'Please select template' >/dev/null
keys Home
sleep 0.3
import -window root "$shots/fill_safe_template_chooser.png"
keys Return
gone 'Please select template'
dialog 'Create Folder' >/dev/null
keys Return
dialog 'Folder - Settings' folder_settings >/dev/null
keys Return
gone 'Folder - Settings'
sleep 1
first_folder
import -window root "$shots/fill_safe_folder.png"

# Two cards in the folder (selected with a click on its row): File, "Create Card",
# the name, "Choose icon", an icon, OK.
new_card() {
  first_folder
  file_item 5
  dialog 'Card' "card_$1" >/dev/null
  xdotool type --delay 50 "$1"; keys Tab space
  dialog 'List of icons' >/dev/null
  keys Right
  sleep 0.3
  import -window root "$shots/fill_safe_icons.png"
  keys Return
  gone 'List of icons'
  sleep 0.5
  keys Tab Tab Return
  gone 'Card'
  sleep 1
}
new_card 'alpha.example'
new_card 'beta.example'

# A value in the first field of each card: "change card content" on the toolbar,
# a click on the first row, the text, Enter, a click below the rows.
fill_first() {
  xdotool mousemove 76 54 click 1; sleep 0.8
  xdotool mousemove 560 77 click 1; sleep 0.8
  xdotool type --delay 50 "$1"; xdotool key Return; sleep 0.5
  xdotool mousemove 560 500 click 1; sleep 0.5
}
first_folder; keys Down              # alpha.example
fill_first 'https://alpha.example'
first_folder; keys Down Down         # beta.example
fill_first 'https://beta.example'
import -window root "$shots/fill_safe_cards.png"

# The folder's context menu (a right click on its row): "Change Card Order", the
# last card "up", OK.
folder_menu() {
  first_folder
  xdotool mousemove 70 108 click 3; sleep 0.8
  import -window root "$shots/fill_safe_menu_$1.png"
  for _ in $(seq 1 "$1"); do xdotool key Down; sleep 0.1; done
  xdotool key Return
}
folder_menu 3
dialog 'Change card order' >/dev/null
keys End Tab space
sleep 0.3
import -window root "$shots/fill_safe_card_order.png"
keys Return
gone 'Change card order'

# A category: Settings, "Categories", a name, "New", OK; the folder's "Category"
# gets it, and the filter box on the toolbar shows only what carries it.
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+s; sleep 0.5; keys Down Return
dialog 'Modify Category' >/dev/null
xdotool type --delay 50 'Work'; keys Tab space
sleep 0.3
import -window root "$shots/fill_safe_categories.png"
keys Return
gone 'Modify Category'
folder_menu 6
dialog 'Category' category >/dev/null
keys Down Return
gone 'Category'
xdotool mousemove 904 54 click 1; sleep 0.5
keys Down Return
sleep 1
import -window root "$shots/fill_safe_filtered.png"

# Closing writes the safe; the next start asks for its password and shows it all.
first_folder
e2e_close
e2e_start
pw=$(dialog 'Enter Safe - Password')
xdotool type --delay 50 "$password"; xdotool key Return
gone 'Enter Safe - Password'
main=$(orv_wait_window orvSafe 30) || { echo "main window did not appear"; exit 1; }
sleep 1
first_folder; keys KP_Add
sleep 0.5
import -window root "$shots/fill_safe_reopened.png"
e2e_kill

printf '%s\n' "$password" | "$cli" export "$dir/safes/filled.saf" > "$dir/export.json"
check() { grep -q "$1" "$dir/export.json" || { echo "missing in the safe: $1"; cat "$dir/export.json"; exit 1; }; }
check '"cOrdnerName": "Logins", "cIconName": "Web.ico", "nExpanded": [01], "nCategory": 1'
check '"feldname": "Web address", "feldtyp": 2, "feldlaenge": 250'
check '"lpFeldInhalt": "https://alpha.example"'
check '"lpFeldInhalt": "https://beta.example"'
grep -q 'Work' "$dir/prog/orvcategory.dat" || { echo "the category was not kept"; exit 1; }
# "beta.example" was moved before "alpha.example".
order=$(grep -o '"cKartenName": "[a-z]*\.example"' "$dir/export.json" | tr -d '\n')
[ "$order" = '"cKartenName": "beta.example""cKartenName": "alpha.example"' ] || { echo "card order: $order"; exit 1; }
echo ok
