#!/usr/bin/env bash
# kurvex-plot against gnuplot's libgd png terminal, in the same run on the same files: 200
# spectrum files in one process (BMP, PNG, SVG, PDF against gnuplot's PNG), and a million-line
# file (load, draw, PNG). Prints the median times and the ratios gnuplot / kurvex-plot.
# Usage: [ROUNDS=7] bench/gnuplot_bench.sh [build-dir]   (a Release build with kurvex-plot)
# The pictures go to a new folder under $TMPDIR (else /tmp) for every run. A disk file system
# that deleted many files a moment ago makes new ones slowly for a while, so wait a minute after
# other benchmarks; TMPDIR=/dev/shm times the programs without the disk.
set -euo pipefail
build=${1:-build}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
if ! command -v gnuplot >/dev/null; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gnuplot-nox >/dev/null
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
rounds=${ROUNDS:-7}
python3 - "$plot" "$rounds" <<'PY'
import glob, os, resource, shutil, statistics, subprocess, sys, time

plot, rounds = sys.argv[1], int(sys.argv[2])
files = sorted(glob.glob("s*.xy"))
cases = {
    "200 spectra in one process": {
        "gnuplot png": ["gnuplot", "batch.gp"],
        "kurvex-plot bmp": [plot, "--no-fit", "--output", "out"] + files,
        "kurvex-plot png": [plot, "--no-fit", "--format", "png", "--output", "out"] + files,
        "kurvex-plot svg": [plot, "--no-fit", "--format", "svg", "--output", "out"] + files,
        "kurvex-plot pdf": [plot, "--no-fit", "--format", "pdf", "--output", "out"] + files,
    },
    "1,000,000-line file (load, draw, PNG)": {
        "gnuplot png": ["gnuplot", "million.gp"],
        "kurvex-plot png": [plot, "--no-fit", "--output", "million.png", "million.txt"],
    },
}

# Both programs write their pictures into a new, empty folder each run. Those of earlier runs
# are moved aside and deleted at the end: a file system that has just deleted many files makes
# new ones slowly for a while, which would time the deletions rather than the programs.
runs = 0

def run(command):
    global runs
    runs += 1
    os.makedirs("done", exist_ok=True)
    for folder in ("out", "gp"):
        if os.path.exists(folder):
            os.rename(folder, f"done/{folder}-{runs}")
    os.makedirs("gp")
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    return wall, cpu

# The commands take turns, round after round, so that other work on the machine weighs on all
# of them alike; the medians are compared. CPU time (user + system) is the steadier measure on
# a busy machine, wall time what a user waits for.
for title, commands in cases.items():
    for command in commands.values():
        run(command)  # warm the page cache and the font-match cache
    times = {name: [] for name in commands}
    for _ in range(rounds):
        for name, command in commands.items():
            times[name].append(run(command))
    median = {name: (statistics.median(w for w, _ in t), statistics.median(c for _, c in t))
              for name, t in times.items()}
    base_wall, base_cpu = median.pop("gnuplot png")
    print(f"{title}: gnuplot png {base_wall * 1000:.0f} ms wall, {base_cpu * 1000:.0f} ms CPU")
    for name, (wall, cpu) in median.items():
        print(f"  {name}: {wall * 1000:.0f} ms wall, {cpu * 1000:.0f} ms CPU:"
              f" {base_wall / wall:.1f}x / {base_cpu / cpu:.1f}x faster than gnuplot")
PY
