#!/usr/bin/env bash
# Installs the Debian 12 packages that zephyrun needs for one purpose:
#   play     building the game, its showcase and asset maker, and playing
#   test     that, and the tools of the test suite, benchmarks, fuzzing, the
#            format and static checks and the measuring and screenshot scripts
#   package  that of play, and the tools that build and check the .deb files
# Only what is missing is installed, so a second run is quick and offline.
#   usage: scripts/install-deps.sh play|test|package
set -euo pipefail

play=(
  build-essential cmake pkg-config
  liballegro4-dev liballeggl4-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libmpg123-dev
)
test=(
  "${play[@]}"
  allegro4-doc libgtest-dev googletest libbenchmark-dev
  xvfb xdotool x11-apps imagemagick bc
  lame twolame mpg123
  clang libclang-rt-14-dev
  clang-format cppcheck appstream
)
package=(
  "${play[@]}"
  debhelper dpkg-dev lintian git
)

case "${1:-}" in
  play) packages=("${play[@]}") ;;
  test) packages=("${test[@]}") ;;
  package) packages=("${package[@]}") ;;
  *) echo "usage: $0 play|test|package" >&2; exit 2 ;;
esac

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
