#!/usr/bin/env bash
# Screenshot of the oil scenario's decay table: the editor runs
# "traz_gui.exe est" in a fresh copy of the oil fixture on a virtual X
# display, the probe shows the decay table and reports where it and its
# column headers are, and ImageMagick photographs the screen.  The table is
# kept as <out.png>.  The headers are the two-line ones of the oil
# scenario (" disp." and " sticky" columns among them), and each must show
# dark text pixels in its upper and in its lower half.
#   table_screenshot.sh <probe.exe> <traz_gui.exe> <fixture dir> <build dir> <out.png>
set -euo pipefail

probe=$1 program=$2 fixture=$3 build=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

work="$(dirname "$out")/table_screenshot_work"
rm -rf "$work"
mkdir -p "$work"
cp -r "$fixture"/. "$work"/

traz_wine_virtual_display "$build"

reportfile="$(dirname "$out")/table_screenshot_report.txt"
wine "$probe" "$(winepath -w "$program")" "$(winepath -w "$work")" >"$reportfile" 2>/dev/null </dev/null || true
report=$(tr -d '\r' <"$reportfile")
echo "$report"
grep -q '^table ' <<<"$report" || { echo "the decay table did not come up"; exit 1; }

screen="$(dirname "$out")/table_screen.png"
rm -f "$screen" "$out"
import -display "$display" -window root "$screen"
[ -s "$screen" ] || { echo "no picture written"; exit 1; }
read -r _ tl tt tr tb <<<"$(grep '^table ' <<<"$report")"
convert "$screen" -crop "$((tr - tl))x$((tb - tt))+$tl+$tt" +repage "$out"
echo "decay table screenshot: $out"

status=0
# The oil scenario's headers: the time column, and a fraction's own,
# dispersed and sticky columns.
for want in ' time breakpoints\n dd mm yyyy hh mm ss ' 'heavy\n [1/day]' 'heavy disp.\n [1/day]' \
            'heavy sticky\n [1/day]'; do
  grep -qF -- "$want" <<<"$report" || { echo "no header \"$want\""; status=1; }
done
# Dark pixels (text) in the upper and the lower half of every header.
dark() {
  convert "$screen" -crop "$1" +repage -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}
count=0
while read -r _ k l t r b _; do
  h=$(( (b - t) / 2 ))
  upper=$(dark "$((r - l))x${h}+$l+$t")
  lower=$(dark "$((r - l))x$((b - t - h))+$l+$((t + h))")
  echo "header $k: dark pixels $upper above, $lower below"
  if [ "$upper" -lt 5 ] || [ "$lower" -lt 5 ]; then
    echo "header $k shows no text on one of its two lines"
    status=1
  fi
  count=$((count + 1))
done < <(grep '^header ' <<<"$report")
[ "$count" -ge 4 ] || { echo "only $count headers shown"; status=1; }
exit $status
