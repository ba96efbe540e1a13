#!/usr/bin/env bash
# Installs the Debian 12 packages that zephyrun needs for one purpose:
#   play     building the game, its showcase and asset maker, and playing
#   test     that, and what the test suite, the benchmarks, fuzzing, the measuring and
#            screenshot scripts run
#   package  that of play, and the tools that build and check the .deb files
# Each package is there for a program or library something of ours calls; the comments say
# what. Only what is missing is installed, so a second run is quick and offline.
#   usage: scripts/install-deps.sh play|test|package
set -euo pipefail

play=(
  build-essential cmake pkg-config # g++, make; cmake and ctest; the libraries' flags
  liballegro4-dev liballeggl4-dev libmpg123-dev libgl-dev libglu1-mesa-dev
  libx11-dev # the window asks the window manager for fullscreen itself
  libgl1-mesa-dri # OpenGL in software, where no other driver is
)
test=(
  "${play[@]}"
  libgtest-dev libbenchmark-dev # GoogleTest; Google Benchmark (bench/)
  xvfb                          # Xvfb: scripts/own-x-server.sh
  xdotool                       # finds windows, presses keys: tests, measuring, screenshots
  x11-apps                      # xwd: screenshots of a window
  x11-utils                     # xwininfo, xprop: where a window sits, how large it is,
                                # whether a window manager runs; xmessage: a second window
  openbox                       # a window manager that honours the fullscreen state
  imagemagick                   # convert, compare: screenshots to pixels
  bc                            # the measuring scripts' arithmetic
  lame twolame                  # encode the music tests' songs (make_mp3_fixtures.sh)
  mpg123                        # the reference decoder the music tests hold ours to
  clang libclang-rt-14-dev      # the fuzz targets: clang++ with libFuzzer (scripts/fuzz.sh)
  clang-format cppcheck         # the format and static checks
  appstream                     # appstreamcli: the software-centre entry's check
)
package=(
  "${play[@]}"
  debhelper dpkg-dev lintian # dpkg-buildpackage with dh, and the check of its .debs
  git                        # which files of a clone go into the source package
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
