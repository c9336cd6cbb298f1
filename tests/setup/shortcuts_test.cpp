// The program group, the desktop shortcut and the uninstall entry, written
// into a temporary home.
#include <cstdlib>

#include "platform/profile.h"
#include "platform/registry.h"
#include "setup/program_group.h"
#include "setup/shortcuts.h"
#include "setup/xdg_places.h"
#include "setup_home.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

using testing::FilesUnder;
using testing::FileText;
using testing::Touch;

class ShortcutsTest : public testing::SetupHome {};

TEST_F(ShortcutsTest, MakingTheGroupTwiceReplacesItsItems) {
  Touch(program_directory_ / "cssite.url",
        "[InternetShortcut]\nURL=https://cobblestack.example/\n");
  ASSERT_TRUE(CreateProgramGroupAndShortcuts(Place(), "eng"));
  const std::vector<std::string> first = FilesUnder(home_->root());
  const ProgramGroup group("Cobblestack");
  ASSERT_EQ(group.ItemFiles().size(), 3u);

  // The program moved: the same items, now pointing at the new place.
  program_directory_ = home_->root() / "moved";
  fs::create_directories(program_directory_);
  ASSERT_TRUE(CreateProgramGroupAndShortcuts(Place(), "eng"));
  EXPECT_EQ(FilesUnder(home_->root()), first);
  EXPECT_EQ(group.ItemFiles().size(), 3u);
  const std::string program = FileText(group.ItemFile("Cobblestack 32bit"));
  EXPECT_NE(program.find("Exec=" + (program_directory_ / "cbst").string() + "\n"),
            std::string::npos)
      << program;
  EXPECT_NE(
      FileText(group.ItemFile("WWW The Cobblestack Site")).find("URL=https://cobblestack.example/"),
      std::string::npos);
  EXPECT_EQ(settings_->ReadNumber("PGManInstl210"), 100);
  // Without the uninstaller beside the program there is no uninstall entry.
  EXPECT_EQ(UninstallCommand(), "");
}

TEST_F(ShortcutsTest, TheUninstallerBesideTheProgramMakesTheUninstallEntry) {
  Touch(program_directory_ / "remove");
  ASSERT_TRUE(CreateProgramGroupAndShortcuts(Place(), "eng"));
  EXPECT_EQ(UninstallCommand(), (program_directory_ / "cbst").string() + " @remove");
  EXPECT_EQ(ProgramGroup("Cobblestack").ItemFiles().size(), 2u);
  DeleteUninstallEntry();
  EXPECT_EQ(UninstallCommand(), "");
}

TEST_F(ShortcutsTest, TheDesktopShortcutIsKeptInTheSettingsAndRemovedByThem) {
  ASSERT_TRUE(CreateDesktopLink(Place()));
  const fs::path link = desktop() / "cobblestack.desktop";
  ASSERT_TRUE(fs::exists(link));
  EXPECT_EQ(std::string(settings_->Read("InstallDeskLink").c_str()), link.string());
  // Desktops start only launchers that may be run.
  EXPECT_NE(fs::status(link).permissions() & fs::perms::owner_exec, fs::perms::none);
  RemoveDesktopLink(Place());
  EXPECT_FALSE(fs::exists(link));
}

TEST_F(ShortcutsTest, TheDesktopIsWhereTheUserDirectoriesSayItIs) {
  Touch(home_->root() / "config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  const fs::path expected = home_->root() / "Schreibtisch";
  fs::create_directories(expected);
  if (!std::system("command -v xdg-user-dir >/dev/null"))
    EXPECT_EQ(DesktopDirectory(), expected);
  else
    EXPECT_EQ(DesktopDirectory(), desktop());
}

TEST_F(ShortcutsTest, EveryEntryWrittenIsAValidDesktopFile) {
  if (std::system("command -v desktop-file-validate >/dev/null"))
    GTEST_SKIP() << "desktop-file-validate is not installed";
  // Names and paths with characters the entries must escape.
  program_directory_ = home_->root() / "my games" / "100% \"fun\" $HOME";
  fs::create_directories(program_directory_);
  Touch(program_directory_ / "cssite.url", "[InternetShortcut]\nURL=https://example.org/a b\n");
  ASSERT_TRUE(CreateProgramGroupAndShortcuts(Place(), "eng"));
  ASSERT_TRUE(CreateDesktopLink(Place()));
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(applications()))
    entries.push_back(entry.path());
  entries.push_back(desktop() / "cobblestack.desktop");
  entries.push_back(ProgramGroup("Cobblestack").directory_file());
  for (const fs::path& entry : entries) {
    const std::string command = "desktop-file-validate '" + entry.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string said;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe))
      said += static_cast<char>(c);
    EXPECT_EQ(pclose(pipe), 0) << entry << "\n" << said;
    EXPECT_EQ(said, "") << entry;
  }
}

}  // namespace
}  // namespace cbst
