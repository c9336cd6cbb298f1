#!/usr/bin/env bash
# cbst-tool sheets writes into a directory it makes, parents and all, the
# sheets the golden copy in the test data has; a directory it cannot make
# is said so, with exit code 1.
#   tool_sheets.sh CBST_TOOL DATA_DIR
set -euo pipefail
tool=$1 data=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*"; exit 1; }

out=$dir/not/there/yet
"$tool" sheets --picture "$data/gradient_96x72.bmp" --grid 3x3 --seed 5 --out "$out" ||
  fail "sheets into a new directory failed"
for name in image.png mask.png; do
  [[ -s $out/$name ]] || fail "no $name in $out"
done
cmp "$out/pieces.json" "$data/sheets_3x3/pieces.json" || fail "pieces.json differs from the golden one"

touch "$dir/a_file"
if "$tool" sheets --picture "$data/gradient_96x72.bmp" --grid 3x3 --seed 5 \
  --out "$dir/a_file/sheets" 2>"$dir/said"; then
  fail "sheets under a plain file succeeded"
fi
grep -q "cannot make the directory" "$dir/said" || fail "said: $(cat "$dir/said")"
