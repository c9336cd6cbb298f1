// Registering the puzzle and saved-game file types with the desktop.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/file_types.h"
#include "platform/registry.h"
#include "support/desktop_home.h"
#include "support/file_text.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

using testing::FileText;

// Every file under `root` with its contents and time of writing.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const fs::path& root) {
  std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file())
      files[entry.path().string()] = {FileText(entry.path()), entry.last_write_time()};
  }
  return files;
}

TEST(FileTypesTest, RegisteringTwiceChangesNothing) {
  testing::DesktopHome home("file_types_twice");
  RegisterFileTypes("/opt/cobblestack/cbst");
  EXPECT_EQ(std::string(ClassesRootValue("\\.puz").c_str()), "Cobblestack_Puzzle");
  EXPECT_EQ(std::string(ClassesRootValue("\\.sav").c_str()), "Cobblestack_SavedPuzzle");
  EXPECT_EQ(std::string(ClassesRootValue("\\Cobblestack_Puzzle\\shell\\open\\command").c_str()),
            "/opt/cobblestack/cbst %1");
  const std::string desktop = FileText(home.data() / "applications" / "cobblestack.desktop");
  EXPECT_NE(desktop.find("Exec=\"/opt/cobblestack/cbst\" %f"), std::string::npos);
  EXPECT_NE(desktop.find("application/x-cobblestack-puzzle;"), std::string::npos);
  const std::string package = FileText(home.data() / "mime" / "packages" / "cobblestack.xml");
  EXPECT_NE(package.find("<glob pattern=\"*.sav\"/>"), std::string::npos);

  const auto before = Snapshot(home.root());
  RegisterFileTypes("/opt/cobblestack/cbst");
  EXPECT_EQ(Snapshot(home.root()), before);
}

TEST(FileTypesTest, AnotherProgramsExtensionIsLeftAlone) {
  testing::DesktopHome home("file_types_other");
  ASSERT_TRUE(SetClassesRootValue("\\.puz", "OtherGame.Puzzle"));
  RegisterFileTypes("/opt/cobblestack/cbst");
  EXPECT_EQ(std::string(ClassesRootValue("\\.puz").c_str()), "OtherGame.Puzzle");
  EXPECT_EQ(std::string(ClassesRootValue("\\.sav").c_str()), "Cobblestack_SavedPuzzle");
  // Our own type is still described, but the desktop is not told that
  // *.puz files are ours.
  EXPECT_EQ(std::string(ClassesRootValue("\\Cobblestack_Puzzle").c_str()), "Cobblestack_Puzzle");
  const std::string package = FileText(home.data() / "mime" / "packages" / "cobblestack.xml");
  EXPECT_EQ(package.find("*.puz"), std::string::npos);
  EXPECT_NE(package.find("*.sav"), std::string::npos);
}

}  // namespace
}  // namespace cbst
