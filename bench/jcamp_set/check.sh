#!/usr/bin/env bash
# Checks every file of the set against its row of expected.tsv: the points kurvex-plot prints
# (count, curves, first and last x) and a picture drawn without error, read three ways: as the
# plain rules read it, with --find-data, and with the shipped Instrument style.
# Usage: bench/jcamp_set/check.sh KURVEX_PLOT [-v]
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 KURVEX_PLOT [-v]" >&2; exit 2; }
plot=$(realpath "$1")
verbose=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
style="$here/../../resources/Setting/Instrument.ini"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check FILE CURVES XFIRST XLAST POINTS ARGS...: prints nothing when the file reads as its row says
check() {
  local file=$1 curves=$2 first=$3 last=$4 points=$5
  shift 5
  if ! "$plot" "$@" --print-data "$file" >"$work/data" 2>"$work/err"; then
    echo "exit status $? ($(head -c 120 "$work/err"))"
    return
  fi
  awk -v c="$curves" -v f="$first" -v l="$last" -v n="$points" '
    function abs(v) { return v < 0 ? -v : v }
    NF > 0 { if (!count++) { x0 = $1; fields = NF } x1 = $1; if (NF != fields) ragged = 1 }
    END {
      tol = 0.002 * abs(l - f) + 1e-9 * (abs(f) + abs(l))
      if (count != n) { print "points " count + 0 ", expected " n; exit }
      if (ragged || fields != c + 1) { print "columns " fields ", expected " c + 1; exit }
      if (abs(x0 - f) > tol || abs(x1 - l) > tol) print "x " x0 ".." x1 ", expected " f ".." l
    }' "$work/data"
  if ! "$plot" "$@" --output "$work/pictures" "$file" >/dev/null 2>"$work/err"; then
    echo "the picture fails: $(head -c 160 "$work/err" | tr '\n' ' ')"
  fi
}

total=0
passed=0
while IFS=$'\t' read -r file forms curves first last points why; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  for way in plain find style; do
    case $way in
      plain) args=() ;;
      find) args=(--find-data) ;;
      style) args=(--options "$style") ;;
    esac
    total=$((total + 1))
    problem=$(check "$here/$file" "$curves" "$first" "$last" "$points" "${args[@]}")
    if [ -z "$problem" ]; then
      passed=$((passed + 1))
    elif [ "$verbose" = -v ]; then
      echo "FAIL $file ($way): $problem"
    fi
  done
done <"$here/expected.tsv"
echo "passed: $passed of $total ($((100 * passed / total)) %)"
