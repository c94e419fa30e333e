#!/usr/bin/env bash
# Whole-process timings of kurvex-plot with hyperfine, against the floor program where there is
# one: one spectrum file, 200 files in one process, and a million-line file with its peak memory.
# Usage: bench/process_bench.sh [build-dir]   (a Release build with kurvex-plot)
set -euo pipefail
build=${1:-build}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
floor="$(cd "$build" && pwd)/bin/floor_plot"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v hyperfine >/dev/null || { echo "hyperfine is needed (apt-get install hyperfine)"; exit 1; }

"$(dirname "$0")/spectra.py" "$work"

cd "$work"
files=$(ls s*.xy | tr '\n' ' ')
# The floor first: hyperfine then gives each figure as a multiple of it.
hyperfine -N --warmup 3 \
  -n "floor: one spectrum (bmp)" "$floor s000.xy floor.bmp" \
  -n "one spectrum (bmp)" "$plot --no-fit --output one.bmp s000.xy" \
  -n "one spectrum (png)" "$plot --no-fit --output one.png s000.xy"
hyperfine --warmup 1 --prepare "rm -rf out200" \
  -n "200 spectra, one process (bmp)" "$plot --output out200 $files" \
  -n "200 spectra, one process (png)" "$plot --format png --output out200 $files"
hyperfine -N --warmup 1 \
  -n "floor: 1,000,000 lines (bmp)" "$floor million.txt floor.bmp" \
  -n "1,000,000 lines: load + draw (png)" "$plot --no-fit --output million.png million.txt"
/usr/bin/time -f "1,000,000 lines: peak memory %M KB" "$plot" --output million.bmp million.txt
