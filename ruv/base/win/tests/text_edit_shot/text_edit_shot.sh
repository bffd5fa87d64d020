#!/usr/bin/env bash
# Screenshot of two text edits: runs the program on a virtual X display in
# the build tree's X11 Wine prefix, writes the whole screen to a PNG with
# ImageMagick and checks the colours of the points the program named
# (borders, background, the selection's inverse video, the caret).
#   text_edit_shot.sh <program.exe> <build dir> <out.png>
set -euo pipefail

exe=$1 build=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../../.." && pwd)
source "$top/scripts/wine-env"

traz_wine_virtual_display "$build"

points=$(mktemp)
rm -f "$out" "$points"
timeout 60 wine "$exe" 12 "$(winepath -w "$points")" >/dev/null 2>"$out.stderr" </dev/null &
app=$!
for _ in $(seq 40); do
  [ -s "$points" ] && break
  sleep 0.25
done
# The loop hides the caret while it hands a message to the caret's window,
# so a picture taken at that moment shows none: take pictures until every
# point holds (or the tries run out), while the program still runs.
check() {
  bad=0
  while read -r x y rgb name; do
    got=$(convert "$out" -format "%[hex:p{$x,$y}]" info: | cut -c1-6 | tr 'A-F' 'a-f')
    if [ "$got" = "$rgb" ]; then
      echo "ok   $name ($x,$y) $got"
    else
      echo "BAD  $name ($x,$y) $got, expected $rgb"
      bad=1
    fi
  done < "$points"
  return $bad
}
bad=1
report=""
for try in 1 2 3 4 5 6; do
  sleep 1
  import -display "$display" -window root "$out"
  [ -s "$out" ] || continue
  [ -s "$points" ] || break
  if report=$(check); then
    bad=0
    break
  fi
done
wait "$app" || true
traz_wine_start_errors "$out.stderr"

[ -s "$out" ] || { echo "no picture written"; exit 1; }
[ -s "$points" ] || { echo "the program named no points"; exit 1; }
echo "$report"
rm -f "$points"
exit $bad
