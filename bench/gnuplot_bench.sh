#!/usr/bin/env bash
# kurvex-plot against gnuplot's libgd png terminal, in the same run on the same files: 200
# spectrum files in one process (BMP, PNG, SVG, PDF against gnuplot's PNG), and a million-line
# file (load, draw, PNG). Prints each time and the ratio gnuplot / kurvex-plot.
# Usage: bench/gnuplot_bench.sh [build-dir]   (a Release build with kurvex-plot)
set -euo pipefail
build=${1:-build}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
missing=()
command -v gnuplot >/dev/null || missing+=(gnuplot-nox)
command -v hyperfine >/dev/null || missing+=(hyperfine)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$(dirname "$0")/spectra.py" "$work"

cd "$work"
cat > batch.gp <<'GP'
set terminal png size 600,500
set xrange [300:1000]
set yrange [-1:3]
do for [i=0:199] {
  set output sprintf("gp/s%03d.png", i)
  f = sprintf("s%03d.xy", i)
  plot f using 1:2 with lines title "Tan(Psi)", f using 1:3 with lines title "Cos(Del)"
}
GP
cat > million.gp <<'GP'
set terminal png size 600,500
set output "million-gp.png"
set xrange [300:1000]
set yrange [-1:3]
plot "million.txt" using 1:2 with lines title "Tan(Psi)", "" using 1:3 with lines title "Cos(Del)"
GP
files=$(ls s*.xy | tr '\n' ' ')
hyperfine --warmup 1 --export-json batch.json \
  --prepare "rm -rf gp out && mkdir gp" \
  -n gnuplot "gnuplot batch.gp" \
  -n bmp "$plot --output out $files" \
  -n png "$plot --format png --output out $files" \
  -n svg "$plot --format svg --output out $files" \
  -n pdf "$plot --format pdf --output out $files"
hyperfine -N --warmup 1 --export-json million.json \
  -n gnuplot "gnuplot million.gp" \
  -n png "$plot --output million.png million.txt"

python3 - <<'PY'
import json
for name, title in (("batch", "200 spectra in one process"), ("million", "1,000,000-line file")):
    results = {r["command"]: r["mean"] for r in json.load(open(f"{name}.json"))["results"]}
    base = results.pop("gnuplot")
    print(f"{title}: gnuplot png {base * 1000:.0f} ms")
    for command, mean in results.items():
        print(f"  kurvex-plot {command}: {mean * 1000:.0f} ms, {base / mean:.1f}x faster than gnuplot")
PY
