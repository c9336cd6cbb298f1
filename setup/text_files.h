// text_files.h: whole small text files, read and written in one go.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace cbst {

// The file's bytes; empty when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);
// Writes `text` to a temporary file beside `path` and renames it over
// `path`, making the missing folders first; `executable` marks it as a
// program the user may run. False when any step fails.
bool WriteTextFile(const std::filesystem::path& path, std::string_view text,
                   bool executable = false);
// Deletes the file; true when it is gone afterwards (or never was there).
bool DeleteFile(const std::filesystem::path& path);

}  // namespace cbst
