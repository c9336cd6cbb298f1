#!/usr/bin/env bash
# Checks the rules the include trees cannot: Qt only where the toolkit lives,
# no includes that climb out of a folder, no messages or exits from base/
# except through its report hook, and one meaning for each result code.
set -u
cd "$(dirname "$0")/.."
failed=0

complain() {
  echo "$1"
  echo "$2" | sed 's/^/  /'
  failed=1
}

game_folders=(app puzzle play scores setup text image base)
for folder in "${game_folders[@]}"; do
  [[ -d $folder ]] || continue
  hits=$(grep -rnE '^\s*#\s*include\s*[<"]Q' "$folder" --include='*.h' --include='*.cpp')
  [[ -z $hits ]] || complain "Qt is included outside platform/, gfx/ and ui/:" "$hits"
  # The *_qt.h headers of platform/ and gfx/ hand out the toolkit's types.
  hits=$(grep -rnE '^\s*#\s*include\s*"[a-z]+/[a-z_]+_qt\.h"' "$folder" --include='*.h' --include='*.cpp')
  [[ -z $hits ]] || complain "Toolkit headers (*_qt.h) are for platform/, gfx/ and ui/ only:" "$hits"
done

# Public headers of platform/ and gfx/ speak the project's own types.
hits=$(grep -lE '^\s*#\s*include\s*<Q' platform/*.h gfx/*.h 2>/dev/null | grep -v '_qt\.h$')
[[ -z $hits ]] || complain "Only *_qt.h headers may include the toolkit:" "$hits"

hits=$(grep -rnE '^\s*#\s*include\s*"\.\./' --include='*.h' --include='*.cpp' \
  --exclude-dir=build --exclude-dir=.git .)
[[ -z $hits ]] || complain "Includes must name the folder, not climb out of one:" "$hits"

hits=$(grep -rnE '\b(std::)?(exit|_Exit|abort|quick_exit)\s*\(|std::cerr|fprintf\s*\(\s*stderr|\bputs\s*\(' \
  base --include='*.h' --include='*.cpp' | grep -v '^base/report.cpp:')
[[ -z $hits ]] || complain "base/ shows messages and ends the process only through report.cpp:" "$hits"

# The rules of the game (the files listed as `rules` in play/CMakeLists.txt)
# see no windows, no toolkit and no platform services: what they need from
# outside goes through BoardHost. Of play/ they include only each other.
mapfile -t rules < <(sed -n '/^set(rules$/,/^)$/p' play/CMakeLists.txt | grep -oE '^\s+[a-z_]+\.(h|cpp)\s*$' | tr -d ' ')
if ((${#rules[@]} == 0)); then
  complain "The list of rules files was not found in play/CMakeLists.txt:" "set(rules ...)"
fi
for file in "${rules[@]}"; do
  [[ -f play/$file ]] || complain "A rules file does not exist:" "play/$file"
  hits=$(grep -nE '^\s*#\s*include\s*("(ui|platform|text|app)/|<Q)' "play/$file" | sed "s|^|play/$file:|")
  [[ -z $hits ]] || complain "The rules include windows, the toolkit or the platform:" "$hits"
  while IFS= read -r header; do
    printf '%s\n' "${rules[@]}" | grep -qx "$header" ||
      complain "The rules include a play/ header that is not one of them:" "play/$file: play/$header"
  done < <(grep -oE '^\s*#\s*include\s*"play/[a-z_]+\.h"' "play/$file" | grep -oE '[a-z_]+\.h')
done

# A result code is also the number of the message it shows: one code, one
# meaning, so no two names in base/status_codes.h may share a value.
shared=$(grep -oE 'kStatus[A-Za-z]+ = [0-9]+' base/status_codes.h | awk '{print $3}' | sort | uniq -d)
for code in $shared; do
  complain "Result code $code has more than one name:" "$(grep -E "= $code;" base/status_codes.h)"
done

if ((failed)); then exit 1; fi
echo "layering: ok"
