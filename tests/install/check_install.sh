#!/usr/bin/env bash
# Installs a built tree into a staging prefix, checks that a player gets the
# commands and the assets, and builds and runs a game of someone else's
# against the installed module both ways: pkg-config and find_package.
#   usage: check_install.sh BUILD_DIR LIBDIR   (LIBDIR relative to the prefix)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
cmake --install "$1" --prefix "$stage"
for f in games/zephyrun games/zephyrun-showcase \
  share/games/zephyrun/{cor.dat,terreno.tga,cielo.bmp,asteroide.tga,present.bmp}; do
  [ -f "$stage/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

export PKG_CONFIG_PATH=$stage/$2/pkgconfig
# shellcheck disable=SC2046  # the flags are words of their own
g++ "$here/uses_toolkit.cpp" $(pkg-config --cflags --libs zephyrun) -o "$work/by_pkg_config"
"$work/by_pkg_config"

cmake -S "$here" -B "$work/by_cmake" -DCMAKE_PREFIX_PATH="$stage"
cmake --build "$work/by_cmake"
"$work/by_cmake/uses_toolkit"
