#!/usr/bin/env bash
# Screenshot of the example start: the editor runs "traz_gui.exe est" in a
# fresh copy of the example model on a virtual X display (the build tree's
# X11 Wine prefix), the probe answers the opening box and reports where the
# main window and its status bar are, and ImageMagick photographs the screen.
# The main window is kept as <out.png>, its status bar as <out>-bar.png.
# The bar's pixels must show its fill colour (light grey, 192,192,192) as
# the colour of most of its inside, and text in black.
#   start_screenshot.sh <probe.exe> <traz_gui.exe> <example dir> <build dir> <out.png>
set -euo pipefail

probe=$1 program=$2 example=$3 build=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"

work="$(dirname "$out")/start_screenshot_work"
rm -rf "$work"
mkdir -p "$work"
cp -r "$example"/. "$work"/

traz_wine_virtual_display "$build"

# The probe's report goes to a file: the editor it leaves running holds on
# to the probe's output, so a pipe would not end before the editor does.
reportfile="$(dirname "$out")/start_screenshot_report.txt"
wine "$probe" "$(winepath -w "$program")" "$(winepath -w "$work")" >"$reportfile" 2>/dev/null </dev/null || true
report=$(tr -d '\r' <"$reportfile")
echo "$report"
grep -q '^bar ' <<<"$report" || { echo "the main window or its status bar did not come up"; exit 1; }
read -r _ wl wt wr wb <<<"$(grep '^window ' <<<"$report")"
read -r _ bl bt br bb <<<"$(grep '^bar ' <<<"$report")"

screen="$(dirname "$out")/start_screen.png"
rm -f "$screen" "$out"
import -display "$display" -window root "$screen"
[ -s "$screen" ] || { echo "no picture written"; exit 1; }
# Without decorations the window's frame may lie partly off the screen.
[ "$wl" -ge 0 ] || wl=0
[ "$wt" -ge 0 ] || wt=0
convert "$screen" -crop "$((wr - wl))x$((wb - wt))+$wl+$wt" +repage "$out"
bar="${out%.png}-bar.png"
convert "$screen" -crop "$((br - bl))x$((bb - bt))+$bl+$bt" +repage "$bar"
echo "start screenshot: $out (status bar: $bar)"

# Inside the bar's three-pixel frame: the colours and how often each shows.
inside=$(convert "$bar" -shave 4x4 -format %c histogram:info:- |
         sed -n 's/^ *\([0-9]*\):.*\(#[0-9A-Fa-f]\{6\}\).*/\1 \2/p' | sort -rn)
echo "status bar colours (count, colour):"
head -5 <<<"$inside"
fill=$(head -1 <<<"$inside" | awk '{ print toupper($2) }')
black=$(awk 'toupper($2) == "#000000" { print $1 }' <<<"$inside")
status=0
if [ "$fill" != "#C0C0C0" ]; then
  echo "the status bar's fill is $fill, not light grey #C0C0C0"
  status=1
fi
if [ "${black:-0}" -lt 20 ]; then
  echo "the status bar shows no black text (${black:-0} black pixels)"
  status=1
fi
exit $status
