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
# The program ends itself after 60 seconds; the picture is taken as soon as
# the screen shows more than a blank and has stopped changing (two shots
# half a second apart alike), and the program is ended then.
wine "$exe" 60 >/dev/null 2>"$out.stderr" </dev/null &
app=$!
shot="$out.shot.png" last=
while kill -0 "$app" 2>/dev/null; do
  sleep 0.5
  import -display "$display" -window root "$shot" 2>/dev/null || continue
  [ "$(convert "$shot" -format '%k' info:)" -gt 8 ] || continue
  sig=$(identify -format '%#' "$shot")
  if [ "$sig" = "$last" ]; then
    mv "$shot" "$out"
    kill "$app" 2>/dev/null || true
    break
  fi
  last=$sig
done
wait "$app" || true
rm -f "$shot"
traz_wine_start_errors "$out.stderr"

[ -s "$out" ] || { echo "no picture written"; exit 1; }
colours=$(convert "$out" -format '%k' info:)
echo "gallery: $out with $colours colours"
[ "$colours" -gt 8 ] || { echo "the picture is blank"; exit 1; }
