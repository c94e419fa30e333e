#!/usr/bin/env bash
# Installs dependencies, builds Kurvex and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${KURVEX_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" -j "$(nproc)" --target kurvex kurvex-plot
exec "$build_dir/bin/kurvex" "$@"
