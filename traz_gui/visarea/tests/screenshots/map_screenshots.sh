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

traz_wine_virtual_display "$build" 200

cd "$out"
status=0
wine "$program" "$(winepath -w "$out")" </dev/null 2>"$out/wine.stderr" | tr -d '\r' || status=$?
traz_wine_start_errors "$out/wine.stderr"
for name in map_sea map_rainbow map_land_boundary map_zoom_box map_zoom_x8 map_points map_legend map_lines \
    map_wave_grids map_depth_scale map_name_at_edge map_name_moved; do
  if [ ! -s "$out/$name.png" ]; then
    echo "missing screenshot $out/$name.png"
    status=1
  fi
done
exit $status
