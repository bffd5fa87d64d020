#!/usr/bin/env bash
# Screenshot of the example's Time frame page: the editor runs
# "traz_gui.exe est" in a fresh copy of the example model on a virtual X
# display (the build tree's X11 Wine prefix), the probe shows the page by
# its button and reports the main window and the page's time fields, and
# ImageMagick photographs the main window into <out.png>.  The fields must
# show the example's times as "dd mm yyyy hh mm ss", and the picture must
# hold dark text on the page.
#   time_frame_shot.sh <probe.exe> <traz_gui.exe> <example dir> <build dir> <out.png>
set -euo pipefail

probe=$1 program=$2 example=$3 build=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

mkdir -p "$(dirname "$out")"
work="$(dirname "$out")/time_frame_shot_work"
rm -rf "$work"
mkdir -p "$work"
cp -r "$example"/. "$work"/

traz_wine_virtual_display "$build"

# The report goes to a file: the editor left running holds the probe's output.
reportfile="$(dirname "$out")/time_frame_shot_report.txt"
wine "$probe" "$(winepath -w "$program")" "$(winepath -w "$work")" >"$reportfile" 2>/dev/null </dev/null || true
report=$(tr -d '\r' <"$reportfile")
echo "$report"
grep -q '^window ' <<<"$report" || { echo "the Time frame page did not come up"; exit 1; }
status=0
while read -r id text; do
  if ! grep -qx "field $id $text" <<<"$report"; then
    echo "field $id does not show \"$text\""
    status=1
  fi
done <<'FIELDS'
3 01 06 2026 00 00 00
5 02 06 2026 00 00 00
7 00 00 0000 00 30 00
15 01 06 2026 01 00 00
11 01 06 2026 23 00 00
12 00 00 0000 00 05 00
FIELDS
read -r _ wl wt wr wb <<<"$(grep '^window ' <<<"$report")"

screen="$(dirname "$out")/time_frame_screen.png"
rm -f "$screen" "$out"
import -display "$display" -window root "$screen"
[ -s "$screen" ] || { echo "no picture written"; exit 1; }
[ "$wl" -ge 0 ] || wl=0
[ "$wt" -ge 0 ] || wt=0
convert "$screen" -crop "$((wr - wl))x$((wb - wt))+$wl+$wt" +repage "$out"
echo "time frame screenshot: $out"
black=$(convert "$out" -format %c histogram:info:- | awk '/#000000/ { print $1 }' | tr -d ':')
if [ "${black:-0}" -lt 200 ]; then
  echo "the picture shows hardly any text (${black:-0} black pixels)"
  status=1
fi
exit $status
