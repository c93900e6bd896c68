#!/usr/bin/env bash
# check_help_chm.sh HELP.CHM GUIDE_FOLDER
# The compiled help holds every page, style sheet and picture of the guide byte for byte, a table of contents
# that lists every page and an index with an entry for each, and opens at the guide's first page.
set -euo pipefail
chm=$1 guide=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "help.chm: $*" >&2; failures=$((failures + 1)); }

[ -s "$chm" ] || { echo "help.chm: $chm is missing or empty" >&2; exit 1; }
enum_chmLib "$chm" >"$work/listing"
extract_chmLib "$chm" "$work/out" >/dev/null

for file in "$guide"/*.html "$guide"/*.css "$guide"/*.png; do
  name=$(basename "$file")
  awk '{ print $NF }' "$work/listing" | grep -qxF "/$name" || fail "$name is not listed"
  if [ -f "$work/out/$name" ]; then
    cmp -s "$file" "$work/out/$name" || fail "$name differs from the guide's"
  else
    fail "$name could not be extracted"
  fi
done
for part in toc.hhc index.hhk; do
  [ -s "$work/out/$part" ] || fail "$part is missing"
done
for page in "$guide"/*.html; do
  name=$(basename "$page")
  grep -q "<param name=\"Local\" value=\"$name\">" "$work/out/toc.hhc" || fail "the contents do not list $name"
  grep -q "<param name=\"Local\" value=\"$name\(#[^\"]*\)\?\">" "$work/out/index.hhk" ||
    fail "the index has no entry for $name"
done
# The first topic of the contents is the one the help window opens at.
first=$(grep -o '<param name="Local" value="[^"]*">' "$work/out/toc.hhc" | head -n1)
[ "$first" = '<param name="Local" value="index.html">' ] || fail "the contents begin with $first, not index.html"

[ "$failures" -eq 0 ] || exit 1
echo "help.chm holds the guide: $(ls "$guide"/*.html | wc -l) pages, $(ls "$guide"/*.png | wc -l) pictures"
