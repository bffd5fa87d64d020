#!/usr/bin/env bash
# Screenshot of the control gallery: runs the gallery on a virtual X display
# in the build tree's X11 Wine prefix and writes the whole screen to a PNG
# with ImageMagick.  Without a window manager, Wine draws the window frames
# itself ("Decorated" off).  Fails when the picture is blank.
#   gallery_screenshot.sh <gallery.exe> <build dir> <out.png>
set -euo pipefail

exe=$1 build=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../../.." && pwd)
source "$top/scripts/wine-env"

# A free display number of our own.
display=""
for n in $(seq 140 199); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.2
done

traz_wine_init "$build" gui
export DISPLAY=$display
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null
wineserver -w

rm -f "$out"
wine "$exe" 12 >/dev/null 2>&1 </dev/null &
app=$!
sleep 8
import -display "$display" -window root "$out"
wait "$app" || true

[ -s "$out" ] || { echo "no picture written"; exit 1; }
colours=$(convert "$out" -format '%k' info:)
echo "gallery: $out with $colours colours"
[ "$colours" -gt 8 ] || { echo "the picture is blank"; exit 1; }
