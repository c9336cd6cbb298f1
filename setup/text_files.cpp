// text_files.cpp: small text files written through a replacement.
#include "setup/text_files.h"

#include <fstream>
#include <sstream>

#include "base/file_replacement.h"

namespace cbst {

namespace fs = std::filesystem;

std::string ReadTextFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool WriteTextFile(const fs::path& path, std::string_view text, bool executable) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  FileReplacement replacement(path.c_str());
  if (replacement.TakeStatus().code() != 0) return false;
  {
    std::ofstream file(replacement.path(), std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file) return false;
  }
  if (executable) {
    fs::permissions(replacement.path(),
                    fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, error);
    if (error) return false;
  }
  return replacement.Commit().code() == 0;
}

bool DeleteFile(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  return !fs::exists(fs::symlink_status(path, error));
}

}  // namespace cbst
