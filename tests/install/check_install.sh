#!/usr/bin/env bash
# A staged install holds the commands and the assets, and someone else's game builds and
# runs against it both ways: pkg-config and find_package. So does every example
# libzephyrun-dev ships: all through their own CMake file, and each alone.
#   usage: check_install.sh BUILD_DIR LIBDIR VERSION   (LIBDIR relative to the prefix)
# OUTSIDE_GAME_FLAGS go to the compiler and linker of the outside game (say, sanitizers).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/stage"
for f in games/zephyrun games/zephyrun-showcase \
  share/games/zephyrun/{cor.dat,terreno.tga,cielo.bmp,asteroide.tga,present.bmp}; do
  [ -f "$work/stage/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
# The installed header is the toolkit's face: it stands alone, pedantically, and names
# nothing that the game's own rooms declare (their routines, state and types).
header=$work/stage/include/zephyrun.h
# shellcheck disable=SC2046  # the flags are words of their own
echo '#include <zephyrun.h>' | g++ -std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Werror \
  -x c++ - $(PKG_CONFIG_PATH=$work/stage/$2/pkgconfig pkg-config --cflags zephyrun)
rooms=("$here"/../../src/{game,window,actors,assets}/*.h)
game_names=$({
  grep -hoE '^[A-Za-z][A-Za-z_:<>&* ]* [*&]?[a-z_A-Z][a-zA-Z_0-9]*\(' "${rooms[@]}" |
    grep -oE '[a-zA-Z_0-9]+\($' | tr -d '('
  grep -hoE '^(extern|inline constexpr) [^;=(]*' "${rooms[@]}" | sed 's/ *$//; s/\[.*//' |
    grep -oE '[a-zA-Z_0-9]+$'
  grep -hoE '^struct [A-Za-z_]+' "${rooms[@]}" | cut -d' ' -f2
} | sort -u)
[ "$(wc -w <<<"$game_names")" -gt 40 ] || { echo "too few names in the game's headers" >&2; exit 1; }
code=$(sed 's://.*$::' "$header")  # comments may use a short name as a word
for name in $game_names; do
  grep -qw -- "$name" <<<"$code" && { echo "the installed header names the game's $name" >&2; exit 1; }
done
# shellcheck disable=SC2046,SC2086  # the flags are words of their own
g++ ${OUTSIDE_GAME_FLAGS:-} "$here/uses_toolkit.cpp" $(PKG_CONFIG_PATH=$work/stage/$2/pkgconfig \
  pkg-config --cflags --libs zephyrun) -o "$work/by_pkg_config"
"$work/by_pkg_config"
cmake -S "$here" -B "$work/by_cmake" -DCMAKE_PREFIX_PATH="$work/stage" \
  -DCMAKE_CXX_FLAGS="${OUTSIDE_GAME_FLAGS:-}"
cmake --build "$work/by_cmake"
"$work/by_cmake/uses_toolkit"
# The commands pass options on, and take a file name from the folder they are started in.
[ "$("$work/stage/games/zephyrun" --version)" = "zephyrun $3" ] ||
  { echo "the start command does not pass --version on" >&2; exit 1; }
said=$(cd "$work" && "$work/stage/games/zephyrun" --scale 2 stray 2>&1) && exit 1
[ "${said%%$'\n'*}" = "zephyrun: unexpected argument '$work/stray'" ] ||
  { echo "the start command passed on: $said" >&2; exit 1; }

examples=$here/../../examples
cmake -S "$examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$work/stage" \
  -DCMAKE_CXX_FLAGS="${OUTSIDE_GAME_FLAGS:-}"
cmake --build "$work/examples"
for source in "$examples"/*.cpp; do
  name=$(basename "$source" .cpp)
  [ -x "$work/examples/$name" ] || { echo "the examples' CMake file made no $name" >&2; exit 1; }
  # shellcheck disable=SC2046,SC2086
  g++ -std=c++17 ${OUTSIDE_GAME_FLAGS:-} "$source" $(PKG_CONFIG_PATH=$work/stage/$2/pkgconfig \
    pkg-config --cflags --libs zephyrun) -o "$work/examples/$name-by-pkg-config"
done
