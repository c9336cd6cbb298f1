// command_line.cpp: telling what the command line names.
#include "app/command_line.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/make_from_picture.h"
#include "base/pathname.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

bool HasExtension(const PathName& path, const char* extension) {
  return strcasecmp(path.extension.c_str(), extension) == 0;
}

}  // namespace

std::string WithoutQuotes(std::string_view text) {
  std::string path(text);
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  return path;
}

bool SameDirectory(const std::string& one, const std::string& other) {
  const auto normal = [](const std::string& path) {
    std::string text = fs::path(path).lexically_normal().string();
    while (text.size() > 1 && IsPathSeparator(text.back()))
      text.pop_back();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  };
  return normal(one) == normal(other);
}

CommandLineKind ClassifyCommandLine(const std::string& path, const std::string& puzzles_directory) {
  if (path.empty()) return CommandLineKind::kNothing;
  const PathName named(path.c_str());
  if (IsPictureFile(path)) return CommandLineKind::kPicture;
  const std::string directory =
      named.directory.empty() ? fs::current_path().string() : std::string(named.directory.c_str());
  if (!SameDirectory(directory, puzzles_directory)) return CommandLineKind::kFileElsewhere;
  return HasExtension(named, kPuzzleFileExtension) ? CommandLineKind::kPuzzleInFolder
                                                   : CommandLineKind::kSavedInFolder;
}

}  // namespace cbst
