#!/usr/bin/env bash
# Screenshot of the oil scenario's oil pane: the editor runs
# "traz_gui.exe est" in a fresh copy of the oil fixture on a virtual X
# display, the probe shows the pane and reports where it, its fraction list
# and its heading are, and ImageMagick photographs the screen.  The pane is
# kept as <out.png>.  The list holds the two fractions with "heavy" first,
# the heading names it, and both show dark text pixels.  Before it the
# scenario's Substances page is photographed the same way and kept as
# substances_page.png beside it: its list holds the three substances,
# "heavy" first, in dark text.
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

traz_wine_virtual_display "$build"

dark() {
  convert "$screen" -crop "$1" +repage -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}
status=0
# One picture: the probe in the given mode, the screen, the pane cropped to
# <png>, and the list's count and first name checked.
shoot() {  # mode png count
  local mode=$1 png=$2 want=$3
  reportfile="$(dirname "$out")/${mode}_screenshot_report.txt"
  wine "$probe" "$(winepath -w "$program")" "$(winepath -w "$work")" $mode >"$reportfile" 2>/dev/null </dev/null || true
  report=$(tr -d '\r' <"$reportfile")
  echo "$report"
  grep -q '^pane ' <<<"$report" || { echo "the $mode pane did not come up"; exit 1; }
  screen="$(dirname "$out")/${mode}_screen.png"
  rm -f "$screen" "$png"
  import -display "$display" -window root "$screen"
  [ -s "$screen" ] || { echo "no picture written"; exit 1; }
  read -r _ pl pt pr pb <<<"$(grep '^pane ' <<<"$report")"
  convert "$screen" -crop "$((pr - pl))x$((pb - pt))+$pl+$pt" +repage "$png"
  echo "$mode screenshot: $png"
  read -r _ ll lt lr lb count first <<<"$(grep '^list ' <<<"$report")"
  [ "$count" = "$want" ] || { echo "the list holds $count names, not $want"; status=1; }
  [ "$first" = heavy ] || { echo "the first name is \"$first\", not heavy"; status=1; }
  listdark=$(dark "$((lr - ll))x$((lb - lt))+$ll+$lt")
  echo "dark pixels: list $listdark"
  [ "$listdark" -ge 20 ] || { echo "the list shows no names"; status=1; }
}

shoot substances "$(dirname "$out")/substances_page.png" 3
wineserver -k >/dev/null 2>&1 || true
wineserver -w
shoot oil "$out" 2
grep -q '^heading .* Oil parameters for heavy$' <<<"$report" || { echo "the heading does not name heavy"; status=1; }
read -r _ hl ht hr hb _ <<<"$(grep '^heading ' <<<"$report")"
headdark=$(dark "$((hr - hl))x$((hb - ht))+$hl+$ht")
echo "dark pixels: heading $headdark"
[ "$headdark" -ge 20 ] || { echo "the heading shows no text"; status=1; }
exit $status
