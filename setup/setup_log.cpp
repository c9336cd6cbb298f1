// setup_log.cpp: reading and writing the setup log.
#include "setup/setup_log.h"

#include <fstream>

#include "setup/setup_codes.h"
#include "setup/text_files.h"

namespace cbst {

std::optional<std::vector<std::string>> ReadSetupLog(const std::filesystem::path& log) {
  std::ifstream file(log);
  std::string line;
  if (!file || !std::getline(file, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line != kSetupLogHeader) return std::nullopt;
  std::vector<std::string> paths;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) paths.push_back(line);
  }
  return paths;
}

SetupLogWriter::SetupLogWriter(std::filesystem::path log)
    : log_(std::move(log)), text_(std::string(kSetupLogHeader) + "\n") {
  ok_ = WriteTextFile(log_, text_);
}

bool SetupLogWriter::Add(const std::filesystem::path& installed) {
  text_ += installed.string() + "\n";
  ok_ = WriteTextFile(log_, text_) && ok_;
  return ok_;
}

}  // namespace cbst
