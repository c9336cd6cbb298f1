#!/usr/bin/env bash
# cbst-tool make, from a BMP and from a JPEG: the written puzzle reads back
# with its title, levels and options, a thumbnail on the standard palette,
# a palette block of at most 235 colours and a JPEG stream of the picture.
#   make_puzzle.sh CBST_TOOL DATA_DIR CJPEG DJPEG
set -euo pipefail
tool=$1 data=$2 cjpeg=$3 djpeg=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

fail() { echo "$*"; exit 1; }
expect() { grep -q -- "$1" <<<"$info" || fail "expected $1 in $info"; }
refuse() { ! grep -q -- "$1" <<<"$info" || fail "did not expect $1 in $info"; }
field() { sed -n "s/.*\"$1\":\([0-9]*\).*/\1/p" <<<"$info"; }
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }

# The picture stream behind the palette block decodes to the picture's size.
check_picture() {
  local puz=$1 width=$2 height=$3 p size count
  p=$(field P)
  size=$(field size)
  count=$(u16 "$puz" "$p")
  ((count > 16 && count <= 235)) || fail "palette of $count colours"
  tail -c +$((p + 942 + 1)) "$puz" >"$dir/stream.jpg"
  "$djpeg" -pnm -outfile "$dir/stream.ppm" "$dir/stream.jpg"
  head -c 20 "$dir/stream.ppm" | tr '\n' ' ' | grep -q "^P6 $width $height " ||
    fail "the stored picture is not $width x $height"
  echo "$p $size"
}

bmp=$data/gradient_96x72.bmp
info=$("$tool" make "$bmp" --title "Harbour" --levels "4x3,12" --out "$dir/harbour.puz")
expect '"title":"Harbour"'
expect '"levels":\[\[4,3\],\[3,4\]\]'
expect '/ImgFull/NoReduceImg'
expect '/NoCustom'
expect '/Rndn:0/'
refuse '/Nopreview'
expect '"thumb":\[80,60,236\]'
expect '"kind":2'
expect '"status":0'
read -r p size < <(check_picture "$dir/harbour.puz" 96 72) || fail "no picture"
[[ $size =~ ^[0-9]+$ ]] || fail "$p $size"
(($(stat -c %s "$dir/harbour.puz") == p + size)) || fail "the picture does not end the file"

# A JPEG is stored unchanged; surprise, no help, custom sizes and a credit.
"$cjpeg" -quality 90 -outfile "$dir/photo.jpg" "$bmp"
info=$("$tool" make "$dir/photo.jpg" --title "Surprise" --levels ",,2x2" --surprise --nohelp \
  --custom --color 0x336699 --credit "Ann" --out "$dir/surprise.puz")
expect '"levels":\[\[2,2\]\]'
expect '/(c):Ann'
expect '/BkClr:3368601'
expect '/NoHelp'
expect '/Nopreview'
refuse '/NoCustom'
expect '"thumb":\[70,60,236\]'
read -r p size < <(check_picture "$dir/surprise.puz" 96 72)
[[ $size =~ ^[0-9]+$ ]] || fail "$p $size"
((size == $(stat -c %s "$dir/photo.jpg"))) || fail "the JPEG was not taken as it is"
cmp -s "$dir/stream.jpg" "$dir/photo.jpg" || fail "the stored JPEG differs from the user's"

# Refusals: a level too small, a picture that is none.
! "$tool" make "$bmp" --title "Tiny" --levels "3" --out "$dir/tiny.puz" 2>/dev/null ||
  fail "a level of 3 pieces was accepted"
printf 'not a picture' >"$dir/bad.jpg"
! "$tool" make "$dir/bad.jpg" --title "Bad" --levels "4" --out "$dir/bad.puz" 2>/dev/null ||
  fail "garbage was accepted as a picture"
[[ ! -e "$dir/bad.puz" && ! -e "$dir/tiny.puz" ]] || fail "a refused puzzle left a file"

# A picture is never its own puzzle; damaged pictures make no puzzle.
cp "$dir/photo.jpg" "$dir/own.jpg"
! "$tool" make "$dir/own.jpg" --title "Own" --levels "4" --out "$dir/own.jpg" 2>/dev/null ||
  fail "a puzzle was written over its own picture"
cmp -s "$dir/own.jpg" "$dir/photo.jpg" || fail "the picture was changed"
for damaged in "$data/fuzz/fuzz_jpeg/cut_after_600_bytes.jpg" "$data/fuzz/fuzz_bmp/huge_dimensions.bmp"; do
  ! "$tool" make "$damaged" --title "Damaged" --levels "4" --out "$dir/damaged.puz" 2>/dev/null ||
    fail "$damaged was accepted"
  [[ ! -e "$dir/damaged.puz" ]] || fail "$damaged left a puzzle"
done

# A puzzle made again over an old one replaces it whole, and leaves nothing beside it.
"$tool" make "$bmp" --title "Again" --levels "4x3" --out "$dir/harbour.puz" >/dev/null
[[ $(ls "$dir" | grep -c 'harbour.puz') == 1 ]] || fail "a temporary file was left beside the puzzle"
