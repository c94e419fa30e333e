#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed programs as a user would:
# kurvex-plot on an installed sample, kurvex under a virtual X server with its own home folders.
# Nothing may be written under the prefix. Usage: install_test.sh CMAKE BUILD_DIR VERSION
set -euo pipefail
cmake=$1 build=$2 version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kurvex bin/kurvex-plot share/kurvex/Setting/Points.ini share/kurvex/Data/si.xy \
  share/applications/kurvex.desktop share/icons/hicolor/scalable/apps/kurvex.svg \
  share/icons/hicolor/48x48/apps/kurvex.png share/mime/packages/kurvex.xml \
  share/man/man1/kurvex.1.gz share/man/man1/kurvex-plot.1.gz; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
[ ! -e "$prefix/share/kurvex/GraphImages" ] || fail "GraphImages belongs to the user"

desktop-file-validate "$prefix/share/applications/kurvex.desktop" || fail "desktop file"
cp -r "$prefix/share/mime" "$work/mime"
update-mime-database "$work/mime" 2>/dev/null
grep -q '^50:text/x-xy-data:\*\.xy$' "$work/mime/globs2" || fail "*.xy is not x-y data"
for page in kurvex kurvex-plot; do
  warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# The user's world: nothing of the caller's settings leaks in, nothing of ours leaks out.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
snapshot() { find "$prefix" -printf '%p %s %T@ %m\n' | sort; }
before=$(snapshot)

# Help, version and bad usage answer without a display.
[ "$("$prefix/bin/kurvex" --version)" = "kurvex $version" ] || fail "--version"
"$prefix/bin/kurvex" --help | grep -q '^Usage: kurvex' || fail "--help"
status=0
"$prefix/bin/kurvex" --no-such-option 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option exits with $status"
grep -q '^Usage: kurvex' "$work/usage" || fail "no usage text for an unknown option"

cd "$work"
"$prefix/bin/kurvex-plot" --options "$prefix/share/kurvex/Setting/Points.ini" --format png \
  --output "$work/images" "$prefix/share/kurvex/Data/si.xy"
[ "$(head -c 4 "$work/images/si.png" | tail -c 3)" = "PNG" ] || fail "kurvex-plot wrote no image"

# The program closes on SIGTERM as a user would close it. The user's styles folder appears once
# the signal is handled; a moment later the window is up.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" "$2" & pid=$!
  for _ in $(seq 100); do [ -d "$3" ] && break; sleep 0.1; done
  sleep 1
  kill -TERM "$pid"
  wait "$pid"' run "$prefix/bin/kurvex" "$prefix/share/kurvex/Data/si.xy" "$XDG_DATA_HOME/kurvex/Setting" ||
  fail "kurvex did not close cleanly"

options=$XDG_CONFIG_HOME/kurvex/Kurvex.ini
grep -q '^\[AxisX\]' "$options" || fail "no options saved in $options"
tr -d '\r' <"$options" | grep -qxF "DataPath=$prefix/share/kurvex/Data" ||
  fail "not the installed data folder: $(grep DataPath "$options")"
grep -q '^Log is off' "$XDG_CONFIG_HOME/kurvex/Kurvex.log" || fail "no log"
cmp -s "$XDG_DATA_HOME/kurvex/Setting/Points.ini" "$prefix/share/kurvex/Setting/Points.ini" ||
  fail "the example styles were not copied"
[ -d "$XDG_DATA_HOME/kurvex/GraphImages" ] || fail "no image folder"
after=$(snapshot)
[ "$before" = "$after" ] || fail "written under the prefix: $(diff <(echo "$before") <(echo "$after"))"
echo "installed programs work"
