#!/usr/bin/env bash
# `make run`: starts the program under Wine from build/run/. The first time,
# its settings file points at a copy of the bundled sample site in the Wine
# prefix's C:\Sites\. With no display, a demonstration runs on a virtual
# display instead: it presses "Create GoogleFile", prints the summary and
# saves a screenshot.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/wine-env.sh"
ensure_prefix
run="$root/build/run"
site="$WINEPREFIX/drive_c/Sites/harbour-lane-bakery"

windows_path() { echo "Z:${1//\//\\}"; }

mkdir -p "$run"
cp "$root/build/quorrel.exe" "$run/quorrel.exe"
if [ ! -e "$run/tellurio.ini" ]; then
  rm -rf "$site"
  mkdir -p "$(dirname "$site")"
  cp -r "$root/sample-site" "$site"
  printf 'http://www.harbour-lane-bakery.example/\r\nC:\\Sites\\harbour-lane-bakery\r\n' >"$run/tellurio.ini"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/tools/wine-session" wine "$run/quorrel.exe"
fi

# The demonstration runs the build that asks 127.0.0.1 as the maker's server:
# this machine may have no way out, and a demonstration should not need one.
cp "$root/build/quorrel_localhost.exe" "$run/quorrel.exe"
picture="$run/screenshot.png"
rm -f "$run/screen.bmp" "$picture"
echo "No display: demonstration on a virtual display."
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/wine-session" \
  wine explorer /desktop=Quorrel,1024x768 "$root/build/tools/quorrel_demo.exe" \
  "$(windows_path "$run/quorrel.exe")" "$(windows_path "$run/screen.bmp")" | tr -d '\r'
[ -f "$site/sitemap.xml" ] && echo "On this disk: $site/sitemap.xml"
if [ -s "$run/screen.bmp" ]; then
  convert "$run/screen.bmp" "$picture" && rm -f "$run/screen.bmp"
  echo "Screenshot:   $picture"
fi
