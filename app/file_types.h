// file_types.h: telling the desktop that the program opens puzzles and
// saved games.
#pragma once

#include <string_view>

namespace cbst {

inline constexpr std::string_view kPuzzleFileType = "Cobblestack_Puzzle";
inline constexpr std::string_view kSavedGameFileType = "Cobblestack_SavedPuzzle";

// Registers ".puz" and ".sav" as opened by `program_path`, leaving an
// extension that another program already claims to that program, and
// exports what is ours to the desktop. Running it again changes nothing.
void RegisterFileTypes(std::string_view program_path);

}  // namespace cbst
