#!/usr/bin/env bash
# cbst-tool save makes a game of a small puzzle with drags and helps;
# cbst-tool load resumes it to the same JSON and saves it again to the same
# bytes, at a level and at a custom size; a damaged game is refused.
#   tool_games.sh CBST_TOOL DATA_DIR
set -euo pipefail
tool=$1 data=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*"; exit 1; }

"$tool" make "$data/gradient_96x72.bmp" --title Gradient --levels "2x2,3x4" --custom \
  --out "$dir/gradient.puz" >/dev/null || fail "no puzzle to play"
for level in "--level 1" "--level 5 --custom 3x3"; do
  # shellcheck disable=SC2086
  "$tool" save "$dir/gradient.puz" --out "$dir/game.sav" $level --seed 11 --moves 25 \
    --joins 2 --title "Night game" --player Ana >"$dir/saved.json" || fail "save $level failed"
  "$tool" load "$dir/game.sav" --json "$dir/loaded.json" --resave "$dir/again.sav" \
    >/dev/null || fail "load $level failed"
  cmp "$dir/game.sav" "$dir/again.sav" || fail "saved again, $level differs"
  # The resumed game prints what was saved, but for the puzzle's path.
  grep -q '"title":"Night game","player":"Ana"' "$dir/saved.json" || fail "no names: $level"
  grep -q '"moves":25,"helps":2' "$dir/saved.json" || fail "counters: $(cat "$dir/saved.json")"
  sed 's/"puzzle":"[^"]*"//' "$dir/saved.json" >"$dir/a"
  sed 's/"puzzle":"[^"]*"//' "$dir/loaded.json" >"$dir/b"
  cmp "$dir/a" "$dir/b" || fail "the resumed game is not the saved one ($level)"
done

head -c 40 "$dir/game.sav" >"$dir/short.sav"
if "$tool" load "$dir/short.sav" 2>"$dir/said"; then fail "a damaged game loaded"; fi
grep -q "status 20" "$dir/said" || fail "said: $(cat "$dir/said")"
