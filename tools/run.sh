#!/usr/bin/env bash
# `make run`: starts the program under Wine from build/run/. The first time,
# its settings file points at a copy of the bundled sample site. With no
# display, a demonstration runs on a virtual display instead: it presses
# "Create GoogleFile", prints the summary and saves a screenshot.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/wine-env.sh"
run="$root/build/run"

windows_path() { echo "Z:${1//\//\\}"; }

mkdir -p "$run"
cp "$root/build/quorrel.exe" "$run/quorrel.exe"
if [ ! -e "$run/tellurio.ini" ]; then
  rm -rf "$run/sample-site"
  cp -r "$root/sample-site" "$run/sample-site"
  printf 'http://www.harbour-lane-bakery.example/\r\n%s\r\n' "$(windows_path "$run/sample-site")" >"$run/tellurio.ini"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/tools/wine-session" wine "$run/quorrel.exe"
fi

picture="$run/screenshot.png"
rm -f "$run/screen.bmp" "$picture"
echo "No display: demonstration on a virtual display."
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/wine-session" \
  wine explorer /desktop=Quorrel,1024x768 "$root/build/tests/quorrel_demo.exe" \
  "$(windows_path "$run/quorrel.exe")" "$(windows_path "$run/screen.bmp")" | tr -d '\r'
[ -f "$run/sample-site/sitemap.xml" ] && echo "On this disk: $run/sample-site/sitemap.xml"
if [ -s "$run/screen.bmp" ]; then
  convert "$run/screen.bmp" "$picture" && rm -f "$run/screen.bmp"
  echo "Screenshot:   $picture"
fi
