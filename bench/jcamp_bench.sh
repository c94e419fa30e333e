#!/usr/bin/env bash
# The same 1,000,000 points drawn by kurvex-plot from a JCAMP-DX file in DIF/DUP form and from a
# plain x y file: the JCAMP-DX file is held to 1.3 times the time and the peak memory of the
# plain one. Prints the median of five runs of each and the ratios; exit 1 when over.
# Usage: bench/jcamp_bench.sh [build-dir]   (a Release build with kurvex-plot)
set -euo pipefail
build=${1:-build}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/jcamp_million.py" "$work"
cd "$work"

# measure FILE: "seconds kilobytes", the medians of five runs
measure() {
  for _ in 1 2 3 4 5; do
    /usr/bin/time -f "%e %M" "$plot" --no-fit --output out.bmp "$1" 2>&1 >/dev/null | tail -n 1
  done | sort -n | sed -n 3p | {
    read -r seconds _
    kb=$(for _ in 1 2 3; do /usr/bin/time -f "%M" "$plot" --no-fit --output out.bmp "$1" 2>&1 >/dev/null | tail -n 1; done | sort -n | sed -n 2p)
    echo "$seconds $kb"
  }
}

read -r xy_s xy_kb < <(measure million.xy)
read -r jdx_s jdx_kb < <(measure million.jdx)
printf "plain x y   (%s bytes): %s s, %s KB\n" "$(stat -c %s million.xy)" "$xy_s" "$xy_kb"
printf "JCAMP-DX DIF/DUP (%s bytes): %s s, %s KB\n" "$(stat -c %s million.jdx)" "$jdx_s" "$jdx_kb"
awk -v a="$jdx_s" -v b="$xy_s" -v c="$jdx_kb" -v d="$xy_kb" 'BEGIN {
  t = b > 0 ? a / b : 0; m = c / d
  printf "JCAMP-DX / plain: time %.2fx, memory %.2fx\n", t, m
  exit (t <= 1.3 && m <= 1.3) ? 0 : 1
}'
