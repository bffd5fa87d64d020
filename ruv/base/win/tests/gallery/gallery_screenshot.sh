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

traz_wine_virtual_display "$build"

rm -f "$out"
wine "$exe" 12 >/dev/null 2>"$out.stderr" </dev/null &
app=$!
sleep 8
import -display "$display" -window root "$out"
wait "$app" || true
traz_wine_start_errors "$out.stderr"

[ -s "$out" ] || { echo "no picture written"; exit 1; }
colours=$(convert "$out" -format '%k' info:)
echo "gallery: $out with $colours colours"
[ "$colours" -gt 8 ] || { echo "the picture is blank"; exit 1; }
