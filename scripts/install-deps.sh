#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Truvex needs.
set -euo pipefail
packages=(cmake g++ make pkgconf libgtest-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev libxlsxwriter-dev libminizip-dev
          libglu1-mesa-dev libgl1-mesa-dri xvfb xauth fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "${missing[@]}"
