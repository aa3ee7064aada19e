#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the editor and the tests need,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake make g++ clang pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev nlohmann-json3-dev
  fonts-liberation2 fonts-wqy-microhei
  xvfb xauth hyperfine
)

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
