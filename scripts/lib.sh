# Shared by the scripts: Wine and a private X server for running the Windows programs.
# Source it; it defines functions only.

orv_top() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

# A fresh Wine prefix under build/, prepared once per run.
orv_wine_prefix() {
  local top=$1 fresh=${2:-fresh}
  export WINEPREFIX="$top/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$fresh" = fresh ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Wine draws the window frames itself: the private X server has no window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Wine draws the caption buttons with Marlett; without it they come out as
    # the letters "0 1 r". The distribution's Wine fonts package ships the font.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
      cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /d marlett.ttf /f >/dev/null 2>&1
    fi
    wineserver -w
  fi
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY and ORV_XVFB_PID.
orv_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  ORV_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  return 0
}

orv_stop_xvfb() {
  if [ -n "${ORV_XVFB_PID:-}" ]; then
    kill "$ORV_XVFB_PID" 2>/dev/null
    wait "$ORV_XVFB_PID" 2>/dev/null
  fi
  ORV_XVFB_PID=""
}

# Waits up to $2 seconds for a top-level window titled exactly $1; prints its X id.
orv_wait_window() {
  local title=$1 secs=${2:-30} id
  for _ in $(seq 1 $((secs * 5))); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Compiles the help file from help/ into $1/orvsafe.chm ($1 is made anew). Pages
# with a screenshot marker "<!--shot NAME-->" get the picture
# build/e2e/screenshots/NAME.png, cut to the windows on it, when the e2e run made it.
orv_make_help() {
  local top help=$1 shots name
  top=$(orv_top)
  shots="$top/build/e2e/screenshots"
  rm -rf "$help"
  mkdir -p "$(dirname "$help")"
  cp -r "$top/help" "$help"
  for name in $(grep -oh '<!--shot [a-z0-9_]*-->' "$top"/help/*.html | sed 's/<!--shot \(.*\)-->/\1/' | sort -u); do
    if [ -s "$shots/$name.png" ]; then
      convert "$shots/$name.png" -trim +repage -resize '760x>' "$help/$name.png"
      sed -i "s|<!--shot $name-->|<p><img src=\"$name.png\" alt=\"\"></p>|" "$help"/*.html
      echo "$name.png" >>"$help/orvsafe.hhp"
    fi
  done
  command -v chmcmd >/dev/null || { echo "chmcmd is missing (scripts/setup installs it)" >&2; return 1; }
  (cd "$help" && chmcmd --no-html-scan orvsafe.hhp >chmcmd.log 2>&1) || { cat "$help/chmcmd.log" >&2; return 1; }
}
