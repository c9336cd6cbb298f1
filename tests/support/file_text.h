// file_text.h: the whole of a text file, for tests that look into what the
// program wrote (settings, registry, help pages).
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cbst::testing {

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace cbst::testing
