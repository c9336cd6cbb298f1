// Removal by the setup log, and unregistering, in a temporary home.
#include "setup/removal.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "setup/program_group.h"
#include "setup/shortcuts.h"
#include "setup_home.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

using testing::FilesUnder;
using testing::ScriptedQuestions;
using testing::Touch;

class RemovalTest : public testing::SetupHome {
 protected:
  // An installation as a setup leaves it: logged files, one of them in a
  // folder of its own and the program itself, plus what playing made.
  void Install(const std::vector<std::string>& logged) {
    std::string log = "[Cobblestack Setup]\n";
    for (const std::string& name : logged) {
      Touch(program_directory_ / name);
      log += (program_directory_ / name).string() + "\n";
    }
    Touch(program_directory_ / "cssetup.log", log);
    Touch(program_directory_ / "My Puzzle.PUZ");
    Touch(program_directory_ / "evening.sav");
    Touch(program_directory_ / "scores" / "tiger.3R");
    Touch(program_directory_ / "dircache.tmp");
    ASSERT_TRUE(CreateDesktopLink(Place()));
  }
};

TEST_F(RemovalTest, TheLogAndTheNamedFilesGoAndNothingElse) {
  Install({"cbst", "CS21eng.dix", "help/cbsteng.html", "remove"});
  Touch(program_directory_ / "notes.txt");  // the player's own, not in the log
  // A logged name that cannot be deleted: a folder with something in it.
  fs::create_directories(program_directory_ / "sounds" / "kept");
  std::string log = testing::FileText(program_directory_ / "cssetup.log");
  Touch(program_directory_ / "cssetup.log", log + (program_directory_ / "sounds").string() + "\n");

  ScriptedQuestions questions(kAnswerOk);
  std::vector<fs::path> in_use;
  ASSERT_TRUE(Remove(Place(), questions, in_use));
  // The program is running: it waits for the end of the run.
  EXPECT_EQ(in_use, std::vector<fs::path>{program_directory_ / "cbst"});
  EXPECT_EQ(FilesUnder(program_directory_), (std::vector<std::string>{"cbst", "notes.txt"}));
  EXPECT_FALSE(fs::exists(desktop() / "cobblestack.desktop"));
  // The confirmation, then the file that stayed, by name.
  ASSERT_EQ(questions.asked.size(), 2u);
  EXPECT_EQ(questions.asked[1],
            "Unable to remove the file " + (program_directory_ / "sounds").string());
}

TEST_F(RemovalTest, CancellingKeepsEverything) {
  Install({"CS21eng.dix"});
  const std::vector<std::string> before = FilesUnder(home_->root());
  ScriptedQuestions questions(kAnswerCancel);
  std::vector<fs::path> in_use;
  EXPECT_FALSE(Remove(Place(), questions, in_use));
  EXPECT_EQ(FilesUnder(home_->root()), before);
}

TEST_F(RemovalTest, RemovingTwiceOnlyOffersTheShortcutTheSecondTime) {
  Install({"CS21eng.dix"});
  ScriptedQuestions questions(kAnswerOk);
  std::vector<fs::path> in_use;
  ASSERT_TRUE(Remove(Place(), questions, in_use));
  // The player makes a new shortcut, and a puzzle, then removes again.
  ASSERT_TRUE(CreateDesktopLink(Place()));
  Touch(program_directory_ / "kept.puz");
  questions.asked.clear();
  EXPECT_FALSE(Remove(Place(), questions, in_use));
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0].find("This will remove"), std::string::npos);
  EXPECT_FALSE(fs::exists(desktop() / "cobblestack.desktop"));
  EXPECT_TRUE(fs::exists(program_directory_ / "kept.puz"));
}

TEST_F(RemovalTest, UnregisteringLeavesFileTypesThatAreNoLongerOurs) {
  ASSERT_TRUE(SetClassesRootValue("\\.puz", "Cobblestack_Puzzle"));
  ASSERT_TRUE(SetClassesRootValue("\\Cobblestack_Puzzle\\shell\\open\\command", "cbst %1"));
  // Another program has taken ".sav" since.
  ASSERT_TRUE(SetClassesRootValue("\\.sav", "OtherGame.Save"));
  ASSERT_TRUE(SetClassesRootValue("\\Cobblestack_SavedPuzzle", "Cobblestack_SavedPuzzle"));
  Touch(program_directory_ / "remove");
  ASSERT_TRUE(CreateProgramGroupAndShortcuts(Place(), "eng"));
  ASSERT_TRUE(ProgramGroup("Cobblestack").exists());

  Unregister();
  EXPECT_EQ(std::string(ClassesRootValue("\\.puz").c_str()), "");
  EXPECT_EQ(std::string(ClassesRootValue("\\Cobblestack_Puzzle\\shell\\open\\command").c_str()),
            "");
  EXPECT_EQ(std::string(ClassesRootValue("\\.sav").c_str()), "OtherGame.Save");
  EXPECT_EQ(std::string(ClassesRootValue("\\Cobblestack_SavedPuzzle").c_str()), "");
  EXPECT_EQ(UninstallCommand(), "");
  EXPECT_FALSE(ProgramGroup("Cobblestack").exists());
  EXPECT_TRUE(FilesUnder(applications()).empty());
}

}  // namespace
}  // namespace cbst
