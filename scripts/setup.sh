#!/usr/bin/env bash
# Installs the Debian packages that building and testing need (the README's
# make demo and make test), and only those that are missing. Scripts that need
# more name their extra packages:  scripts/setup.sh [PACKAGE...]
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev nlohmann-json3-dev
  libqt6sql6-sqlite libqt6sql6-psql sqlite3 poppler-utils
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
