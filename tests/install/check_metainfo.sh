#!/usr/bin/env bash
# The software-centre entry passes AppStream's own validator, and its newest
# release is the version the build carries and the package's changelog names,
# on the changelog's date. Skipped (77) where appstreamcli is not installed.
#   usage: check_metainfo.sh METAINFO PROJECT_VERSION DEBIAN_CHANGELOG
set -euo pipefail
command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed: skipped"; exit 77; }
# Errors and warnings both fail it.
appstreamcli validate --no-net "$1"

release=$(grep -m1 -o '<release [^>]*>' "$1")
version=$(sed -n 's/.* version="\([^"]*\)".*/\1/p' <<<"$release")
date=$(sed -n 's/.* date="\([^"]*\)".*/\1/p' <<<"$release")
packaged=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$3")
packaged_on=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$3" | head -1)" +%F)
for pair in "$version:$2:the build's version" "$version:$packaged:debian/changelog's version" \
  "$date:$packaged_on:debian/changelog's date"; do
  IFS=: read -r ours theirs what <<<"$pair"
  [ "$ours" = "$theirs" ] || { echo "newest release says $ours where $what is $theirs" >&2; exit 1; }
done
echo "newest release $version of $date matches the build and debian/changelog"
