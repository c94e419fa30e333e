#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run Kurvex.
# Does nothing when everything is present.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libgl-dev
  libfreetype-dev libfontconfig-dev libpng-dev libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth desktop-file-utils shared-mime-info groff-base dpkg-dev appstream git
  librsvg2-bin poppler-utils python3 qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
