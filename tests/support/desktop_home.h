// desktop_home.h: a temporary home for the user's settings and data, so
// that tests never touch the real ones. The process id keeps two test runs
// at the same time (two builds, two checkouts) out of each other's homes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace cbst::testing {

class DesktopHome {
 public:
  explicit DesktopHome(const std::string& name)
      : root_(std::filesystem::temp_directory_path() /
              ("cbst_home_" + name + "_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  ~DesktopHome() { std::filesystem::remove_all(root_); }
  DesktopHome(const DesktopHome&) = delete;
  DesktopHome& operator=(const DesktopHome&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path config() const { return root_ / "config" / "cobblestack"; }
  std::filesystem::path data() const { return root_ / "data"; }

 private:
  std::filesystem::path root_;
};

}  // namespace cbst::testing
