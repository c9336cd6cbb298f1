// setup_home.h: a temporary home with its desktop, XDG folders and a
// program directory, for the installation's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "setup/install_place.h"
#include "setup/setup_questions.h"
#include "support/desktop_home.h"
#include "support/file_text.h"

namespace cbst::testing {

namespace fs = std::filesystem;

inline void Touch(const fs::path& path, const std::string& text = "bytes") {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Every file under `root`, relative to it, sorted.
inline std::vector<std::string> FilesUnder(const fs::path& root) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(root, error))
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
  std::sort(files.begin(), files.end());
  return files;
}

// Answers every question as told and keeps what was asked.
class ScriptedQuestions final : public SetupQuestions {
 public:
  explicit ScriptedQuestions(int answer) : answer_(answer) {}
  int Ask(std::string_view text, std::uint32_t) override {
    asked.emplace_back(text);
    return answer_;
  }
  std::vector<std::string> asked;

 private:
  int answer_;
};

// The home also stands in for $HOME, where the desktop is.
class SetupHome : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    home_ = std::make_unique<DesktopHome>("setup_" + name);
    if (const char* home = std::getenv("HOME")) saved_home_ = home;
    setenv("HOME", home_->root().c_str(), 1);
    program_directory_ = home_->root() / "program";
    fs::create_directories(program_directory_);
    settings_ = std::make_unique<Settings>((program_directory_ / "cbst.ini").string());
  }
  void TearDown() override {
    if (saved_home_) setenv("HOME", saved_home_->c_str(), 1);
  }

  InstallPlace Place() const {
    return {(program_directory_ / "cbst").string(), program_directory_.string() + "/", *settings_};
  }
  fs::path applications() const { return home_->data() / "applications"; }
  fs::path desktop() const { return home_->root() / "Desktop"; }

  std::unique_ptr<DesktopHome> home_;
  std::optional<std::string> saved_home_;
  fs::path program_directory_;
  std::unique_ptr<Settings> settings_;
};

}  // namespace cbst::testing
