#!/usr/bin/env bash
# Whole-process timings of kurvex-plot with hyperfine: one spectrum file, 200 files in one
# process, and a million-line file with its peak memory.
# Usage: bench/process_bench.sh [build-dir]   (a Release build with kurvex-plot)
set -euo pipefail
build=${1:-build}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v hyperfine >/dev/null || { echo "hyperfine is needed (apt-get install hyperfine)"; exit 1; }

"$(dirname "$0")/spectra.py" "$work"

cd "$work"
files=$(ls s*.xy | tr '\n' ' ')
hyperfine -N --warmup 3 \
  -n "one spectrum (bmp)" "$plot --output one.bmp s000.xy" \
  -n "one spectrum (png)" "$plot --output one.png s000.xy"
hyperfine --warmup 1 --prepare "rm -rf out200" \
  -n "200 spectra, one process (bmp)" "$plot --output out200 $files" \
  -n "200 spectra, one process (png)" "$plot --format png --output out200 $files"
hyperfine -N --warmup 1 -n "1,000,000 lines: load + draw" "$plot --output million.bmp million.txt"
/usr/bin/time -f "1,000,000 lines: peak memory %M KB" "$plot" --output million.bmp million.txt
