#!/usr/bin/env bash
# cbst-tool scores reads the ranking of a puzzle, adds games to it in their
# place and saves it; cbst-tool certificate writes a game's certificate and
# reads one back. Both print exactly the formats below.
#   tool_scores.sh CBST_TOOL DATA_DIR
set -euo pipefail
tool=$1 data=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*"; exit 1; }
cd "$dir"

same() {  # same ACTUAL EXPECTED WHAT
  [[ "$1" == "$2" ]] || fail "$3:"$'\n'"  got      $1"$'\n'"  expected $2"
}

out=$("$tool" scores tiger.puz --level 3 --norotate)
same "$out" '{"file":"scores/tiger.3R","entries":[]}' "an empty ranking"
[[ ! -e scores/tiger.3R ]] || fail "a ranking was written with nothing added"

cp "$data/tiger.3R" scores/tiger.3R
out=$("$tool" scores tiger.puz --level 3 --norotate)
entries=$(sed 's/^.*"entries"://' "$data/tiger.3R.json")
same "$out" "{\"file\":\"scores/tiger.3R\",\"entries\":$entries" "the golden ranking"
cmp -s scores/tiger.3R "$data/tiger.3R" || fail "looking rewrote the file"

# Added games take their place: after the games of equal score already there.
out=$("$tool" scores tiger.puz --level 3 --norotate --add "new|Zoé|51000|500000|0|108|250" \
  --add "|Nobody|99999|1|0|0|0" --add "low|Lu|-5|100|1|2|3")
same "$out" '{"file":"scores/tiger.3R","entries":[{"game":"","player":"Nobody","score":99999,"time":1,"helps":0,"solved":0,"moves":0},{"game":"tiger-b","player":"José","score":52500,"time":550000,"helps":0,"solved":108,"moves":280},{"game":"tiger-a","player":"Ana","score":51000,"time":600000,"helps":1,"solved":108,"moves":300},{"game":"*R*","player":"Bo","score":51000,"time":610000,"helps":2,"solved":108,"moves":310},{"game":"new","player":"Zoé","score":51000,"time":500000,"helps":0,"solved":108,"moves":250},{"game":"low","player":"Lu","score":-5,"time":100,"helps":1,"solved":2,"moves":3},{"game":"tiger-c","player":"Ana","score":-1200,"time":99900,"helps":0,"solved":4,"moves":12}]}' "games added"
# The game without a saved game is not written.
out=$("$tool" scores tiger.puz --level 3 --norotate)
[[ $out != *Nobody* && $out == *'"player":"Zoé"'* ]] || fail "saved ranking: $out"
# Other levels and variants are other files.
same "$("$tool" scores tiger.puz --level 3)" '{"file":"scores/tiger.3","entries":[]}' "rotating"
same "$("$tool" scores tiger.puz --level 3 --norotate --mosaic)" \
  '{"file":"scores/tiger.3RM","entries":[]}' "mosaic"
if "$tool" scores tiger.puz --level 3 --add "a|b|c" 2>/dev/null; then fail "a bad --add"; fi

"$tool" certificate --puzzle Tiger --level 3 --rows 9 --cols 12 --norotate --player "Ana María" \
  --time 723456 --solved 108 --moves 412 --helps 2 --score -51857 >cert.txt
printf '%s\r\n' '****Cobblestack****BOC{' 'Puzzle:Tiger' 'Level:3' 'Pieces:12x9,NoRotable' \
  'Player:Ana María' 'Time:00:12:03.4' 'Solved:108' 'Moves:412' 'Helps:2' 'Score:-51857' \
  '}EOC********************' >expected.txt
cmp -s cert.txt expected.txt || fail "certificate: $(od -c cert.txt | head -n 20)"
same "$("$tool" certificate --parse cert.txt)" \
  '{"puzzle":"Tiger","level":3,"rows":9,"cols":12,"norotate":true,"mosaic":false,"player":"Ana María","time":723400,"solved":108,"moves":412,"helps":2,"score":-51857}' \
  "parsed certificate"
echo "nothing here" >none.txt
if "$tool" certificate --parse none.txt >/dev/null 2>&1; then fail "no certificate parsed"; fi
if "$tool" certificate --puzzle T --level 1 >/dev/null 2>&1; then fail "a half certificate"; fi
exit 0
