// setup_log.h: the setup log, cssetup.log in the program directory: a first
// line "[Cobblestack Setup]", then the full path of every installed file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cbst {

// The paths a log lists; nothing when there is no log or its first line is
// not the setup's.
std::optional<std::vector<std::string>> ReadSetupLog(const std::filesystem::path& log);

// A log being written while files are copied. The log is replaced whole
// after each file, so a setup that stops halfway still lists what it
// copied, and an interrupted write never leaves half a line.
class SetupLogWriter {
 public:
  explicit SetupLogWriter(std::filesystem::path log);
  bool ok() const { return ok_; }
  bool Add(const std::filesystem::path& installed);

 private:
  std::filesystem::path log_;
  std::string text_;
  bool ok_ = true;
};

}  // namespace cbst
