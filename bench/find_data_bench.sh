#!/usr/bin/env bash
# Whole-process time and peak memory of kurvex-plot on the files the table reading must handle
# in linear time and bounded memory: a million-row CSV with a 20-line head and a 5-line trailer,
# read plainly (which stops at the trailer and searches the file for a block to name in its
# hint) and by the block finder; one line of 16, 32 and 64 MB without a line feed; a 64 MB file
# whose lines end with a lone CR. Give two programs to compare a build before and after a change.
# Usage: bench/find_data_bench.sh KURVEX_PLOT [KURVEX_PLOT...]
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
with open(os.path.join(work, "million.csv"), "w") as f:
    f.write("".join("Instrument note %d: settings, operator, sample\n" % i for i in range(19)))
    f.write("Wavelength (nm),Absorbance,Reference\n")
    f.writelines("%.2f,%.5f,%.4f\n" % (200 + i * 0.01, (i % 977) / 977.0, 1 + (i % 13) / 7.0)
                 for i in range(1000000))
    f.write("".join("Trailer line %d of the instrument\n" % i for i in range(5)))
# The same without its trailer: the plain reading without a hint to give.
with open(os.path.join(work, "million.csv")) as f, open(os.path.join(work, "untrailed.csv"), "w") as g:
    g.writelines(line for line in f if not line.startswith("Trailer"))
for mb in (16, 32, 64):
    with open(os.path.join(work, "line%d.txt" % mb), "w") as f:
        f.write("1 " * (mb * 1024 * 1024 // 2))
with open(os.path.join(work, "cr.txt"), "w", newline="") as f:
    line = "%.3f %.5f %.5f\r"
    written = i = 0
    while written < 64 * 1024 * 1024:
        text = line % (300 + i * 0.001, (i % 811) / 811.0, (i % 97) / 97.0)
        f.write(text)
        written += len(text)
        i += 1
PY

measure() {  # measure LABEL ARGS...: seconds and peak resident memory of one run
  local label=$1; shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$plot" "$@" >/dev/null 2>&1 || true
  read -r seconds kb < <(tail -n 1 "$work/time")  # after a "Command exited" line
  printf '  %-44s %7.2f s %8d KB\n' "$label" "$seconds" "$kb"
}

for plot in "$@"; do
  plot=$(realpath "$plot")
  echo "$plot"
  cd "$work"
  measure "1M-row CSV without trailer, plain reading" --no-fit --output u.bmp untrailed.csv
  measure "1M-row CSV, plain reading (with its hint)" --no-fit --output p.bmp million.csv
  measure "1M-row CSV, --find-data" --no-fit --find-data --output f.bmp million.csv
  for mb in 16 32 64; do measure "one line of $mb MB, plain reading" --no-fit --output l.bmp line$mb.txt; done
  measure "64 MB with CR line ends, plain reading" --no-fit --output c.bmp cr.txt
  measure "64 MB with CR line ends, --find-data" --no-fit --find-data --output c.bmp cr.txt
done
