#!/usr/bin/env bash
# The map window and its legend photographed on a virtual X display (the
# build tree's X11 Wine prefix): the GUI driver runs map_looks.scn, which
# takes the pictures, and check_map_looks.py checks that the depth scale's
# labels lie on white over the map and that every legend label shows whole,
# the labels apart.  The pictures stay in the work directory.
#   map_looks.sh <traz_gui_driver.exe> <traz_gui.exe> <source dir> <build dir> <work dir>
set -euo pipefail
driver=$1 program=$2 source=$3 build=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$source/scripts/wine-env"
traz_wine_virtual_display "$build" 260
wine "$driver" --program "$program" --source "$source" --work "$work" "$here/map_looks.scn" </dev/null 2>/dev/null |
  tr -d '\r'
/usr/bin/python3 "$here/check_map_looks.py" "$work/map.bmp" "$work/legend.bmp" 3
