#!/usr/bin/env bash
# What software centres read of a staged install passes AppStream's own
# validator, and the entry's newest release is the version the build carries
# and the package's changelog names, on the changelog's date.
#   usage: check_metainfo.sh BUILD_DIR PROJECT_VERSION DEBIAN_CHANGELOG
set -euo pipefail
command -v appstreamcli >/dev/null ||
  { echo "no appstreamcli here (Debian 12: apt install appstream)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work" >/dev/null
# The entry, its file name against its id and the desktop entry it launches;
# errors and warnings both fail it.
appstreamcli validate-tree --no-net "$work"

metainfo=$(echo "$work"/share/metainfo/*.metainfo.xml)
release=$(grep -m1 -o '<release [^>]*>' "$metainfo")
version=$(sed -n 's/.* version="\([^"]*\)".*/\1/p' <<<"$release")
date=$(sed -n 's/.* date="\([^"]*\)".*/\1/p' <<<"$release")
packaged=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$3")
packaged_on=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$3" | head -1)" +%F)
for pair in "$version:$2:the build's version" "$version:$packaged:debian/changelog's version" \
  "$date:$packaged_on:debian/changelog's date"; do
  IFS=: read -r ours theirs what <<<"$pair"
  [ "$ours" = "$theirs" ] ||
    { echo "newest release says $ours where $what is $theirs" >&2; exit 1; }
done
echo "newest release $version of $date matches the build and debian/changelog"
