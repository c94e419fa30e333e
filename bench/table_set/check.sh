#!/usr/bin/env bash
# Checks that kurvex-plot reads every instrument export of this folder as expected.tsv says: the
# x range and the curve count under --find-data and under the Instrument style, and the x range
# with one curve when --columns names the columns. Prints each failure and the share that passes.
# Usage: bench/table_set/check.sh KURVEX_PLOT
set -uo pipefail
plot=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
style="$here/../../resources/Setting/Instrument.ini"
passed=0 total=0

# check NAME XMIN XMAX CURVES ARGS...: the printed data spans XMIN..XMAX in x with CURVES curves.
check() {
  local name=$1 lo=$2 hi=$3 curves=$4; shift 4
  total=$((total + 1))
  local out status
  out=$("$plot" "$@" --print-data "$here/$name" 2>/dev/null); status=$?
  local verdict
  verdict=$(printf '%s\n' "$out" | python3 -c '
import math, sys
lo, hi, curves = float(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3])
xs, fields = [], None
for line in sys.stdin:
    p = line.split()
    if not p: continue
    if fields is None: fields = len(p) - 1
    try: v = float(p[0])
    except ValueError: continue
    if not math.isnan(v): xs.append(v)
if not xs: print("no data"); sys.exit()
close = lambda a, b: abs(a - b) <= 1e-5 * max(1.0, abs(b))
if not (close(min(xs), lo) and close(max(xs), hi)):
    print("x %g..%g, expected %g..%g" % (min(xs), max(xs), lo, hi)); sys.exit()
if fields != curves: print("%d curves, expected %d" % (fields, curves)); sys.exit()
print("ok")' "$lo" "$hi" "$curves")
  if [ $status -ne 0 ]; then verdict="exit $status"; fi
  if [ "$verdict" = ok ]; then passed=$((passed + 1)); else echo "FAIL $name ($*): $verdict"; fi
}

# Empty fields become "-", as read would merge the tabs around them.
while IFS=$'\t' read -r name xcol lo hi curves names _; do
  case $name in '#'*|'') continue ;; esac
  [ "$names" = - ] && names=
  check "$name" "$lo" "$hi" "$curves" --find-data
  check "$name" "$lo" "$hi" "$curves" --options "$style"
  if [ -n "$names" ]; then check "$name" "$lo" "$hi" 1 --find-data --columns "$names"; fi
done < <(sed -e 's/\t\t/\t-\t/g' -e 's/\t\t/\t-\t/g' "$here/expected.tsv")
echo "read as expected: $passed of $total ($((100 * passed / total)) %)"
[ $passed -eq $total ]
