#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again: it only calls apt when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libqt6sql6-sqlite libqt6sql6-psql
  qt6-serialport-dev qt6-charts-dev qt6-multimedia-dev
  libqt6svg6 qt6-qpa-plugins
  libxlsxwriter-dev libquazip1-qt6-dev
  unicode-data fonts-noto-cjk
  socat xvfb xauth x11-apps imagemagick poppler-utils
  sqlite3 postgresql
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
