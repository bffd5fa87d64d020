#!/usr/bin/env bash
# The main window where the system's dialog units are narrower than the
# 8 x 16 cell the windows were designed for: the screenshot prefix runs at
# 84 dots an inch (dialog units of 7 x 14) while the GUI driver runs
# page_layout.scn on a virtual display, which checks that every page lies
# right of the page buttons; the Process parameters page is photographed
# into <out.png>.  The prefix is put back to its own resolution at the end.
#   page_layout_shot.sh <traz_gui_driver.exe> <traz_gui.exe> <source dir> <build dir> <out.png>
set -euo pipefail

driver=$1 program=$2 source=$3 build=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

mkdir -p "$(dirname "$out")"
work="$(dirname "$out")/page_layout_work"
rm -rf "$work" "$out"

traz_wine_virtual_display "$build"
desktop='HKCU\Control Panel\Desktop'
trap 'wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true; wineserver -k >/dev/null 2>&1 || true; kill "$traz_xvfb_pid" 2>/dev/null || true; wait "$traz_xvfb_pid" 2>/dev/null || true' EXIT
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 84 /f >/dev/null 2>&1 </dev/null
# The resolution is read when the Wine session starts.
wineserver -k >/dev/null 2>&1 || true
wineserver -w

log="$(dirname "$out")/page_layout_driver.txt"
wine "$driver" --program "$program" --source "$source" --work "$work" "$here/page_layout.scn" >"$log" 2>&1 </dev/null &
pid=$!
for _ in $(seq 300); do
  [ -d "$work/shot" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if [ -d "$work/shot" ]; then
  sleep 1
  import -display "$display" -window root "$out" || true
fi
status=0
wait "$pid" || status=$?
grep -v 'Read access denied' "$log" || true
[ -s "$out" ] && echo "page layout screenshot: $out" || echo "no picture taken"
exit $status
