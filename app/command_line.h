// command_line.h: what the rest of the command line names, once the
// setup words have been taken from it (Program::ActOnCommandWords): the one
// place that tells a picture from a puzzle or a saved game, and where it
// lies. Anything that wants a command line of its own (a picture to make a
// puzzle of) starts from ClassifyCommandLine.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

enum class CommandLineKind {
  kNothing,         // empty: the browser, with the last puzzle chosen
  kPicture,         // a JPEG or BMP picture to make a puzzle of
  kPuzzleInFolder,  // a puzzle of the puzzles folder: the browser for it
  kSavedInFolder,   // any other file of the puzzles folder: a saved game
  kFileElsewhere,   // a file outside the puzzles folder: played at once
};

// The path with every double quote taken out, as the desktop may quote it.
std::string WithoutQuotes(std::string_view text);

// What `path` (quotes already taken out) is, against the puzzles folder.
CommandLineKind ClassifyCommandLine(const std::string& path, const std::string& puzzles_directory);

// Whether two directories are the same folder, compared as the paths
// settings keep may have been typed: ignoring case and a last separator.
bool SameDirectory(const std::string& one, const std::string& other);

}  // namespace cbst
