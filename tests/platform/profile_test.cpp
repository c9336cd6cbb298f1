// profile_test.cpp: INI files with the classic semantics, and the key table.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/key_state.h"
#include "support/file_size_limit.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("cbst-profile-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    path_ = (folder_ / "sub" / "cbst.ini").string();
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Text() const {
    std::ifstream in(path_);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(Profile, KeysAreFoundWithoutCaseAndDeletedByWritingNothing) {
  // A file that does not exist reads as defaults, and is made by a write.
  EXPECT_EQ(ReadProfileString(path_.c_str(), "Main", "lang", "eng"), "eng");
  EXPECT_EQ(ReadProfileInt(path_.c_str(), "Main", "Options", 7), 7);
  EXPECT_TRUE(ProfileSections(path_.c_str()).empty());
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "Main", "lang", "cat"));
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "WPOS", "Dir", "10,20,300,200,ACT"));
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "main", "Options", "0x1A"));
  EXPECT_EQ(ReadProfileString(path_.c_str(), "MAIN", "LANG"), "cat");
  EXPECT_EQ(ReadProfileInt(path_.c_str(), "Main", "options", 0), 0x1A);
  EXPECT_EQ(Text(), "[Main]\nlang=cat\nOptions=0x1A\n\n[WPOS]\nDir=10,20,300,200,ACT\n");

  // Replacing keeps the place; nothing deletes the key, no key the section.
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "MAIN", "Lang", "deu"));
  EXPECT_EQ(ReadProfileString(path_.c_str(), "Main", "lang"), "deu");
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "Main", "LANG", std::nullopt));
  EXPECT_EQ(ReadProfileString(path_.c_str(), "Main", "lang", "none"), "none");
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "wpos", std::nullopt, std::nullopt));
  EXPECT_EQ(ProfileSections(path_.c_str()), std::vector<VString>{"Main"});
  EXPECT_EQ(ProfileKeys(path_.c_str(), "main"), std::vector<VString>{"Options"});
}

TEST_F(Profile, WhatTheUserWroteIsKeptAndReadAsText) {
  fs::create_directories(fs::path(path_).parent_path());
  std::ofstream(path_) << "; my settings\r\n[Main]\r\n  Title =  \"Two  words\"  \r\n"
                          "# note\r\nbroken line\r\n[Other]\r\nx=1\r\n";
  EXPECT_EQ(ReadProfileString(path_.c_str(), "Main", "title"), "Two  words");
  EXPECT_EQ(ReadProfileInt(path_.c_str(), "Other", "x", 0), 1);
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "Main", "new", "yes"));
  EXPECT_EQ(Text(),
            "; my settings\n[Main]\n  Title =  \"Two  words\"  \n# note\nbroken line\nnew=yes\n\n"
            "[Other]\nx=1\n");
  // The file is replaced whole: no temporary is left beside it.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::path(path_).parent_path()))
    ++files;
  EXPECT_EQ(files, 1);
  // A file that cannot be replaced is reported, and stays as it was.
  fs::create_directories(folder_ / "blocked.ini");
  EXPECT_FALSE(WriteProfileString((folder_ / "blocked.ini").c_str(), "Main", "a", "b"));
}

TEST_F(Profile, AWriteCutOffAtAnyByteLeavesTheOldFileAsItWas) {
  ASSERT_TRUE(WriteProfileString(path_.c_str(), "Main", "lang", "cat"));
  // The player keeps the settings to himself; a rewrite keeps them so.
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  const std::string before = Text();
  const std::string after = before + "Options=40\n";
  for (std::size_t length = 0; length < after.size(); ++length) {
    {
      const testing::FileSizeLimit limit(length);
      EXPECT_FALSE(WriteProfileString(path_.c_str(), "Main", "Options", "40")) << length;
    }
    ASSERT_EQ(Text(), before) << "cut off after " << length << " bytes";
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::path(path_).parent_path()))
      ++files;
    ASSERT_EQ(files, 1) << "a temporary file is left after " << length << " bytes";
  }
  {
    const testing::FileSizeLimit limit(after.size());
    ASSERT_TRUE(WriteProfileString(path_.c_str(), "Main", "Options", "40"));
  }
  EXPECT_EQ(Text(), after);
  EXPECT_EQ(fs::status(path_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(UserSettings, LiveInTheConfigFolder) {
  const char* before = std::getenv("XDG_CONFIG_HOME");
  const std::string kept = before ? before : "";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
  EXPECT_EQ(UserSettingsPath(), "/tmp/config/cobblestack/win.ini");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(UserSettingsPath(), "/home/player/.config/cobblestack/win.ini");
  setenv("HOME", home.c_str(), 1);
  if (before) setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
}

TEST(KeyState, DownNowAndPressedSinceTheLastQuestion) {
  AsyncKeyState(kVirtualControl);
  EXPECT_EQ(AsyncKeyState(kVirtualControl), 0);
  NoteKey(kVirtualControl, true);
  EXPECT_TRUE(KeyDown(kVirtualControl));
  EXPECT_EQ(AsyncKeyState(kVirtualControl), kKeyIsDown | kKeyWasPressed);
  EXPECT_EQ(AsyncKeyState(kVirtualControl), kKeyIsDown);
  NoteKey(kVirtualControl, false);
  NoteKey(kVirtualControl, true);
  NoteKey(kVirtualControl, false);
  EXPECT_EQ(AsyncKeyState(kVirtualControl), kKeyWasPressed);  // a tap in between
  // Num Lock toggles on each press, not on auto-repeat or release.
  SetNumLock(false);
  NoteKey(kVirtualNumLock, true);
  NoteKey(kVirtualNumLock, true);
  NoteKey(kVirtualNumLock, false);
  EXPECT_TRUE(NumLockOn());
  NoteKey(kVirtualNumLock, true);
  EXPECT_FALSE(NumLockOn());
  EXPECT_EQ(AsyncKeyState(-1), 0);
}

}  // namespace
}  // namespace cbst
