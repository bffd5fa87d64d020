#!/usr/bin/env bash
# Screenshot of the oil scenario's oil pane: the editor runs
# "traz_gui.exe est" in a fresh copy of the oil fixture on a virtual X
# display, the probe shows the pane and reports where it, its fraction list
# and its heading are, and ImageMagick photographs the screen.  The pane is
# kept as <out.png>.  The list holds the two fractions with "heavy" first,
# the heading names it, and both show dark text pixels.
#   oil_pane_screenshot.sh <probe.exe> <traz_gui.exe> <fixture dir> <build dir> <out.png>
set -euo pipefail

probe=$1 program=$2 fixture=$3 build=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

work="$(dirname "$out")/oil_pane_screenshot_work"
rm -rf "$work"
mkdir -p "$work"
cp -r "$fixture"/. "$work"/

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

reportfile="$(dirname "$out")/oil_pane_screenshot_report.txt"
wine "$probe" "$(winepath -w "$program")" "$(winepath -w "$work")" >"$reportfile" 2>/dev/null </dev/null || true
report=$(tr -d '\r' <"$reportfile")
echo "$report"
grep -q '^pane ' <<<"$report" || { echo "the oil pane did not come up"; exit 1; }

screen="$(dirname "$out")/oil_pane_screen.png"
rm -f "$screen" "$out"
import -display "$display" -window root "$screen"
[ -s "$screen" ] || { echo "no picture written"; exit 1; }
read -r _ pl pt pr pb <<<"$(grep '^pane ' <<<"$report")"
convert "$screen" -crop "$((pr - pl))x$((pb - pt))+$pl+$pt" +repage "$out"
echo "oil pane screenshot: $out"

status=0
read -r _ ll lt lr lb count first <<<"$(grep '^list ' <<<"$report")"
[ "$count" = 2 ] || { echo "the list holds $count fractions, not 2"; status=1; }
[ "$first" = heavy ] || { echo "the first fraction is \"$first\", not heavy"; status=1; }
grep -q '^heading .* Oil parameters for heavy$' <<<"$report" || { echo "the heading does not name heavy"; status=1; }
read -r _ hl ht hr hb _ <<<"$(grep '^heading ' <<<"$report")"
dark() {
  convert "$screen" -crop "$1" +repage -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}
listdark=$(dark "$((lr - ll))x$((lb - lt))+$ll+$lt")
headdark=$(dark "$((hr - hl))x$((hb - ht))+$hl+$ht")
echo "dark pixels: list $listdark, heading $headdark"
[ "$listdark" -ge 20 ] || { echo "the list shows no names"; status=1; }
[ "$headdark" -ge 20 ] || { echo "the heading shows no text"; status=1; }
exit $status
