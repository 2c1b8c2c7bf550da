#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Arvelo need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-charts-dev qt6-svg-dev libgl-dev
  libsqlite3-dev sqlite3 nettle-dev zlib1g-dev libzip-dev libpugixml-dev libemf-dev
  fonts-liberation2 libgtest-dev xvfb xauth zbar-tools
  libreoffice-writer-nogui libreoffice-draw-nogui poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
