#!/usr/bin/env bash
# Starts and closes the desktop program three times under Xvfb with a window manager that draws
# title bars (openbox), and prints the window position it stored each time: the three lines must
# be equal. Needs xvfb-run, openbox and xdotool (apt-get install xvfb openbox xdotool).
# Usage: bench/window_creep.sh [BUILD_BIN]   (default: build/bin)
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
[ -n "${KURVEX_CREEP_INSIDE:-}" ] || exec env KURVEX_CREEP_INSIDE=1 \
  xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$bin"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill %1 2>/dev/null || true' EXIT
cp -r "$bin/kurvex" "$bin/Setting" "$bin/Data" "$bin/Localize" "$work/"
openbox & sleep 1
for _ in 1 2 3; do
  "$work/kurvex" & pid=$!
  sleep 3
  kill -TERM "$pid"
  wait "$pid" || true
  grep -E "^Window(Left|Top)=" "$work/Kurvex.ini" | tr '\n' ' '
  echo
done
