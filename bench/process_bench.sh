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

python3 - "$work" <<'PY'
import math, sys
work = sys.argv[1]
for f in range(200):
    with open(f"{work}/s{f:03d}.xy", "w") as out:
        for i in range(701):
            x = 300 + i
            out.write("%.5f %.5f %.5f\n" % (x, 1 + 0.5 * math.sin(x / 40 + f), 0.5 * math.cos(x / 60 + f)))
with open(f"{work}/million.txt", "w") as out:
    for i in range(1000000):
        x = 300 + 700 * i / 999999
        out.write("%.5f %.5f %.5f\n" % (x, 1 + 0.8 * math.sin(x / 50), 0.5 * math.cos(x / 70)))
PY

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
