#!/usr/bin/env bash
# Installs what packaging needs, builds the Debian packages zephyrun and
# libzephyrun-dev from a clean copy of the tree (never from build/, and
# without the tests, most of which need X), leaves the .deb files in
# build/packages/ and prints what lintian says of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh package
out=$PWD/build/packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files of the clone as they are now, committed or not, but nothing the
# build or git ignores.
mkdir "$work/zephyrun"
git ls-files -z --cached --others --exclude-standard |
  xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' files |
  tar --null -T - -cf - | tar -xf - -C "$work/zephyrun"
(cd "$work/zephyrun" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc) \
  >"$work/build.log" 2>&1 ||
  { tail -40 "$work/build.log" >&2; echo "package build failed" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cp "$work"/*.{deb,dsc,tar.xz,buildinfo,changes} "$out"/
ls -l "$out"/*.deb
# lintian fails on errors; it prints warnings and notes and goes on.
echo "lintian:"
lintian --info "$out"/*.changes
