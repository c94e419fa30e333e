#!/usr/bin/env bash
# Counts the usable graphs kurvex-plot draws of the instrument files in bench/instrument_set/
# and tests/data/jcamp/: a graph is usable when the run ends with status 0 and at least 90 % of
# the file's points lie inside the axes. Fitted axes hold every point read (the fit's own rule);
# with the style's ranges the points printed by --print-data are checked against them.
# Usage: bench/usable_graphs.sh KURVEX_PLOT [kurvex-plot args...]
set -uo pipefail
plot=$(realpath "$1"); shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fits=no
for a in "$@"; do [ "$a" = "--fit" ] && fits=yes; done
# A program that fits by default does so without --options and without a typed range.
if [ $fits = no ] && "$plot" --help 2>&1 | grep -q -- --no-fit; then
  case " $* " in *" --no-fit "*|*" --options "*) ;; *) fits=yes ;; esac
fi
usable=0 total=0
for f in "$root"/bench/instrument_set/* "$root"/tests/data/jcamp/*; do
  total=$((total + 1))
  if ! "$plot" "$@" --output "$work/picture.png" "$f" >/dev/null 2>&1; then
    echo "unusable (status): $(basename "$f")"; continue
  fi
  if [ $fits = yes ]; then usable=$((usable + 1)); continue; fi
  share=$("$plot" "$@" --print-data "$f" 2>/dev/null | python3 -c '
import sys
inside = points = 0
for line in sys.stdin:
    fields = line.split()
    if not fields: continue
    try: values = [float(v) for v in fields]
    except ValueError: continue
    x, ys = values[0], values[1:11]
    for y in ys:
        points += 1
        inside += 300 <= x <= 1000 and -1 <= y <= 3
print(100 * inside // max(points, 1))')
  if [ "$share" -ge 90 ]; then usable=$((usable + 1)); else echo "unusable ($share % inside): $(basename "$f")"; fi
done
echo "usable graphs: $usable of $total"
