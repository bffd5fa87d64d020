#!/usr/bin/env bash
# Screenshots of a map window: the test program runs on a virtual X display
# in the build tree's X11 Wine prefix, writes its PNGs into <out dir> and
# checks their pixels; this script then checks that every picture is there.
#   map_screenshots.sh <visarea_map_screenshots.exe> <build dir> <out dir>
set -euo pipefail

program=$1 build=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

mkdir -p "$out"
rm -f "$out"/map_*.png

# A free display number of our own.
display=""
for n in $(seq 200 259); do
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

cd "$out"
status=0
wine "$program" "$(winepath -w "$out")" </dev/null 2>/dev/null | tr -d '\r' || status=$?
for name in map_sea map_rainbow map_land_boundary map_zoom_box map_zoom_x8 map_points; do
  if [ ! -s "$out/$name.png" ]; then
    echo "missing screenshot $out/$name.png"
    status=1
  fi
done
exit $status
