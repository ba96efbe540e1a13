#!/usr/bin/env bash
# Installs what packaging needs, builds the Debian packages zephyrun and
# libzephyrun-dev from a clean copy of the tree, a clone or an unpacked
# tarball (never from build/, and without the tests, most of which need X),
# leaves the .deb files in build/packages/ and prints what lintian says of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh package
out=$PWD/build/packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files of the tree as they are now, committed or not, but nothing the
# build writes: in a clone, what git tracks or would track; in an unpacked
# tarball, everything but build/ and what a package build leaves in debian/.
source_files() {
  # A tarball unpacked inside some other clone is still a tarball.
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . \( -path ./build -o -path ./.git -o -path './obj-*' -o -path ./debian/.debhelper \
      -o -path ./debian/tmp -o -path ./debian/zephyrun -o -path ./debian/libzephyrun-dev \
      -o -name '*.substvars' -o -name debhelper-build-stamp -o -path ./debian/files \) \
      -prune -o \( -type f -o -type l \) -printf '%P\0'
  fi
}
mkdir "$work/zephyrun"
source_files |
  xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' files |
  tar --null -T - -cf - | tar -xf - -C "$work/zephyrun"
(cd "$work/zephyrun" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc) \
  >"$work/build.log" 2>&1 ||
  { tail -40 "$work/build.log" >&2; echo "package build failed" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cp "$work"/*.{deb,dsc,tar.xz,buildinfo,changes} "$out"/
ls -l "$out"/*.deb
# lintian prints its notes and fails on any error or warning.
echo "lintian:"
lintian --info --fail-on error,warning "$out"/*.changes
