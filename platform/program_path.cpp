// program_path.cpp: the executable's path and the write test of its
// directory.
#include "platform/program_path.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace cbst {

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

bool CanWriteIn(const std::string& directory, std::string_view prefix) {
  std::string name = directory;
  if (!name.empty() && name.back() != '/') name += '/';
  name += prefix;
  name += "XXXXXX";
  const int file = mkstemp(name.data());
  if (file < 0) return false;
  constexpr char kProbe[] = "test";
  const bool written = write(file, kProbe, sizeof kProbe - 1) == sizeof kProbe - 1;
  const bool closed = close(file) == 0;
  const bool deleted = unlink(name.c_str()) == 0;
  return written && closed && deleted;
}

}  // namespace cbst
