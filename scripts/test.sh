#!/usr/bin/env bash
# Installs dependencies, builds Kurvex, installs it into a temporary prefix as README.md's
# "cmake --install" does, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${KURVEX_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release ${KURVEX_CMAKE_ARGS:-}
cmake --build "$build_dir" -j "$(nproc)"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
for installed in bin/kurvex bin/kurvex-plot share/man/man1/kurvex.1.gz \
                 share/metainfo/io.github.kurvex.Kurvex.metainfo.xml; do
  [ -e "$prefix/$installed" ] || { echo "install: $installed is missing" >&2; exit 1; }
done
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.kurvex.Kurvex.metainfo.xml"
desktop-file-validate "$prefix/share/applications/kurvex.desktop"

QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
