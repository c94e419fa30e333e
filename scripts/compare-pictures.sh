#!/usr/bin/env bash
# Renders every sample and instrument data file with the built-in style and every shipped style,
# in every picture format, with two builds of kurvex-plot, and compares the pictures: BMP, PNG
# and SVG byte for byte, PDF apart from its creation date. Run it before and after a change that
# must not alter a picture.
# Usage: scripts/compare-pictures.sh OLD_KURVEX_PLOT NEW_KURVEX_PLOT [extra kurvex-plot args...]
# KURVEX_COMPARE_FORMATS="bmp png pdf" renders only the formats named: an SVG of a newer writer
# differs by design.
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_KURVEX_PLOT NEW_KURVEX_PLOT [args...]" >&2; exit 2; }
old=$(realpath "$1"); new=$(realpath "$2"); shift 2
extra=("$@")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The styles the old program shipped with (staged beside it): a style added since may use what
# the old one cannot draw.
styles=("")
for s in "$(dirname "$old")"/Setting/*.ini; do [ -e "$s" ] && styles+=("$s"); done
data=("$root"/resources/Data/* "$root"/tests/app/instrument_files/*)

render() {  # render BINARY OUTDIR
  local bin=$1 out=$2 i=0 fixed=()
  # A program that fits its first picture to the data keeps the style's ranges with --no-fit.
  if "$bin" --help 2>&1 | grep -q -- --no-fit; then fixed=(--no-fit); fi
  # A program with a style of its own for data files draws the classic pictures with --classic.
  if "$bin" --help 2>&1 | grep -q -- --classic; then fixed+=(--classic); fi
  for style in "${styles[@]}"; do
    local opts=() tag=builtin
    if [ -n "$style" ]; then opts=(--options "$style"); tag=$(basename "$style" .ini); fi
    for fmt in ${KURVEX_COMPARE_FORMATS:-bmp png svg pdf}; do
      mkdir -p "$out/$tag/$fmt"
      # The sample drawn without data files, then every file on its own.
      "$bin" "${opts[@]}" "${fixed[@]}" "${extra[@]}" --format "$fmt" --output "$out/$tag/$fmt/sample.$fmt" >/dev/null 2>&1
      "$bin" "${opts[@]}" "${fixed[@]}" "${extra[@]}" --format "$fmt" --output "$out/$tag/$fmt" "${data[@]}" >/dev/null 2>&1
    done
  done
}

render "$old" "$work/old"
render "$new" "$work/new"

# PDF: the creation date is the only part that changes from run to run.
for f in $(find "$work" -name '*.pdf'); do
  LC_ALL=C sed -i -e 's/CreationDate (D:[^)]*)/CreationDate ()/' "$f"
done

count=$(find "$work/old" -type f | wc -l)
if diff -r "$work/old" "$work/new" >/dev/null; then
  echo "identical: $count pictures"
else
  diff -rq "$work/old" "$work/new" | head -20
  echo "DIFFERENT: $(diff -rq "$work/old" "$work/new" | wc -l) of $count pictures"
  exit 1
fi
