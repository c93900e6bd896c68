#!/usr/bin/env bash
# check_help_chm.sh HELP.CHM GUIDE_FOLDER: the compiled help lists every page, style sheet and picture of the
# guide, and its table of contents and index.
set -euo pipefail
listing=$(enum_chmLib "$1" | awk '{ print $NF }')
missing=0
for file in "$2"/*.html "$2"/*.css "$2"/*.png toc.hhc index.hhk; do
  grep -qxF "/$(basename "$file")" <<<"$listing" || { echo "help.chm: $(basename "$file") is not in $1" >&2; missing=1; }
done
[ "$missing" -eq 0 ] && echo "help.chm holds the guide's $(ls "$2"/*.html "$2"/*.png | wc -l) pages and pictures"
