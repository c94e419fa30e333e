#!/usr/bin/env bash
# kill -9 at a random moment of a picture's save, 60 times over a plain picture and 60 times over
# a hard-linked one, and what each kill left: a temporary file, a picture that is neither the old
# nor the new one whole, or an old content found nowhere (the picture nor the backup the program
# named before its rewrite). A sound program leaves only whole pictures and announced backups.
# Usage: bench/save_kill_loops.sh [build-dir] [runs]
set -uo pipefail
build=${1:-build}
runs=${2:-60}
plot="$(cd "$build" && pwd)/bin/kurvex-plot"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A 2000 x 2000 BMP (12 MB) takes long enough to write that a kill often lands in it.
big=(--set Image.Width=2000 --set Image.Height=2000)
"$plot" "${big[@]}" --set Image.Color=255 --output old.bmp >/dev/null 2>&1
"$plot" "${big[@]}" --output new.bmp >/dev/null 2>&1
cmp -s old.bmp new.bmp && { echo "old and new pictures are the same"; exit 1; }
# How long an uninterrupted save takes, so the kills spread over all of it.
start=$(date +%s%N)
cp old.bmp pic.bmp
"$plot" "${big[@]}" --output pic.bmp >/dev/null 2>&1
span=$((($(date +%s%N) - start) / 1000))  # microseconds

loop() {  # loop NAME LINKED
  local name=$1 linked=$2 temporaries=0 broken=0 lost=0 backups=0 killed=0
  for ((i = 0; i < runs; i++)); do
    rm -f pic.bmp pic.bmp.* link.bmp err.txt
    cp old.bmp pic.bmp
    [ "$linked" = 1 ] && ln pic.bmp link.bmp
    "$plot" "${big[@]}" --output pic.bmp >/dev/null 2>err.txt &
    local pid=$!
    sleep "$(printf '0.%06d' $((RANDOM * 32768 % span % 1000000)))"
    kill -9 "$pid" 2>/dev/null && killed=$((killed + 1))
    wait "$pid" 2>/dev/null
    ls pic.bmp.tmp-* >/dev/null 2>&1 && temporaries=$((temporaries + 1))
    local backup
    backup=$(sed -n 's/.*its old content is in \(.*\) until the new content is whole$/\1/p' err.txt 2>/dev/null)
    if ! cmp -s pic.bmp old.bmp && ! cmp -s pic.bmp new.bmp; then
      broken=$((broken + 1))
      { [ -n "$backup" ] && cmp -s "$backup" old.bmp; } || lost=$((lost + 1))
    fi
    [ -n "$backup" ] && [ -e "$backup" ] && backups=$((backups + 1))
  done
  printf '%s: %d runs, %d killed during the run; left a temporary file %d, a picture neither old nor new %d (old content lost %d), an announced backup %d\n' \
    "$name" "$runs" "$killed" "$temporaries" "$broken" "$lost" "$backups"
}

loop "plain picture" 0
loop "hard-linked picture" 1
