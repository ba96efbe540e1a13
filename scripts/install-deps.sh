#!/usr/bin/env bash
# Installs the Debian 12 packages that building, playing and testing zephyrun need.
# Only what is missing is installed, so a second run is quick and offline.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  liballegro4-dev liballeggl4-dev allegro4-doc
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libmpg123-dev
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth xdotool x11-apps imagemagick
  lame twolame mpg123
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
