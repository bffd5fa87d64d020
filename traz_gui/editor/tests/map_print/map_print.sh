#!/usr/bin/env bash
# The example's map printed by a user (map_print.scn, run by the GUI
# driver) and the page the project's print queue writes checked for its
# depth scale at paper size.  The queue's PDF is removed first, so only
# this run's page is read.
#   map_print.sh <traz_gui_driver.exe> <traz_gui.exe> <source dir> <work dir> <pdf>
set -euo pipefail
driver=$1 program=$2 source=$3 work=$4 pdf=$5
here=$(cd "$(dirname "$0")" && pwd)
rm -f "$pdf"
wine "$driver" --program "$program" --source "$source" --work "$work" "$here/map_print.scn"
/usr/bin/python3 "$source/traz_gui/visarea/tests/window/check_printed_depth_legend.py" --wait "$pdf"
