#!/usr/bin/env bash
# Runs the set-up commands of README.md ("Run it", "Install", "Test it") in the order written,
# on a fresh clone in a temporary folder, as a new user would.
#
#   scripts/check-readme.sh [--skip WORD]...
#
# Each block of shell commands in those sections runs as written, with stand-ins for what no
# script can do: the desktop program runs under xvfb-run and is closed after a while, "sudo"
# is left out when running as root, a question is answered yes, and "~" is a temporary home.
# "old/" of the picture comparison is a copy of the build made before the comparison, so it
# must find no difference.
# A block that contains WORD is skipped and reported (the sanitizer build takes long on a small
# machine: --skip sanitize).
set -euo pipefail
source_repo=$(cd "$(dirname "$0")/.." && pwd)
skips=()
while [ $# -gt 0 ]; do
  case $1 in
    --skip) skips+=("$2"); shift 2 ;;
    *) echo "usage: $0 [--skip WORD]..." >&2; exit 2 ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone --quiet "$source_repo" "$work/kurvex"
mkdir -p "$work/home"
cd "$work/kurvex"

# The blocks of the set-up sections, separated by a line holding only NUL's stand-in.
blocks=$(awk '
  /^## / { section = substr($0, 4) }
  section == "Run it" || section == "Install" || section == "Test it" {
    if ($0 ~ /^```sh/) { inside = 1; next }
    if (inside && $0 ~ /^```/) { inside = 0; print "@@END@@"; next }
    if (inside) print
  }' README.md)

run_block() {
  local block=$1
  for word in "${skips[@]+"${skips[@]}"}"; do
    if [[ $block == *"$word"* ]]; then
      echo "== skipped (--skip $word):"; echo "$block"; return 0
    fi
  done
  echo "== $block"
  if [[ $block == *"old/bin/"* ]]; then rm -rf old && cp -a build old; fi
  local prelude='set -euo pipefail; export HOME='"$work/home"
  if [ "$(id -u)" -eq 0 ]; then prelude+='; sudo() { "$@"; }'; fi
  if [[ $block == "scripts/run.sh"* ]]; then
    # The program stays up until it is closed: once its window is there for a while, a TERM
    # closes it as a session end would, and it must have saved its options.
    xvfb-run -a bash -c "$prelude; $block" &
    local runner=$! program=""
    while kill -0 "$runner" 2> /dev/null && [ -z "$program" ]; do
      sleep 2
      program=$(pgrep -f '^build/bin/kurvex$' || true)
    done
    [ -n "$program" ] || { echo "failed: $block (the program never started)" >&2; exit 1; }
    sleep 10
    kill -TERM "$program"
    wait "$runner" || { echo "failed: $block (closed with an error)" >&2; exit 1; }
    [ -f build/bin/Kurvex.ini ] || { echo "failed: $block (no Kurvex.ini saved)" >&2; exit 1; }
    return 0
  fi
  # A user answers the questions the commands ask (apt-get's "Do you want to continue?").
  bash -c "$prelude; $block" < <(yes) || { echo "failed: $block" >&2; exit 1; }
}

block=""
while IFS= read -r line; do
  if [ "$line" = "@@END@@" ]; then run_block "$block"; block=""; continue; fi
  block+="${block:+$'\n'}$line"
done <<< "$blocks"
echo "every set-up command of README.md worked on a fresh clone"
