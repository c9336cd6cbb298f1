// file_copy.h: copying the program and puzzle packs into place: the full
// setup, the pack installation and the installer's file list.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/progress_sink.h"
#include "base/status.h"
#include "setup/setup_questions.h"

namespace cbst {

// Files to copy and how many bytes they hold.
struct CopyList {
  std::vector<std::filesystem::path> files;
  std::uintmax_t total_bytes = 0;
};

// The files an installation copies from `program_directory`: everything
// beside the program but what the running installation made for itself
// (settings, log, folder cache, saved games).
CopyList ProgramFiles(const std::filesystem::path& program_directory);

// Copies `source` to `target` through a temporary file beside it, keeping
// the permissions. Status 12 or 22 with the file's name on failure.
Status CopyOneFile(const std::filesystem::path& source, const std::filesystem::path& target);

// The full setup of the program at `program_path` into `target` (an absolute path; missing folders
// are made): checks that it can be written and has room, copies the program directory's files
// listing each in the setup log, adds the uninstaller and leaves the command that starts the new
// copy in the user settings file
// ("Run", "Dir"). `language` is the code the player chose, or empty.
Status FullSetup(const std::filesystem::path& program_path, const std::filesystem::path& target,
                 std::string_view language, SetupQuestions& questions, ProgressSink* progress);

// Copies the puzzles of `pack` (a folder of *.puz files, or one such file)
// into `puzzles`, after checking that they fit.
Status InstallPack(const std::filesystem::path& pack, const std::filesystem::path& puzzles,
                   SetupQuestions& questions, ProgressSink* progress);

// Copies each of `names` from `source` into `destination`; stops at the
// first that fails.
Status CopyNamedFiles(const std::filesystem::path& source, const std::filesystem::path& destination,
                      const std::vector<std::string>& names);

}  // namespace cbst
