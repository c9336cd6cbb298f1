// The installation words of the command line: which one decides, and the
// files the outside installer hands over.
#include "setup/setup_words.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "setup_home.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

using testing::Touch;

TEST(SetupWordsTest, TheFirstWordInTheirOrderDecides) {
  struct Case {
    const char* line;
    bool welcome_done;
    SetupWord word;
  };
  const Case cases[] = {
      {"@remove @setup", true, SetupWord::kSetup},
      {"@remove @setup", false, SetupWord::kSetup},
      {"@instalprogman /lang:deu", false, SetupWord::kProgramGroup},
      // A first run shows the welcome whatever else the line says.
      {"x@instalpack@pack", false, SetupWord::kFirstRun},
      {"/home/me/Two Good Dogs.puz", false, SetupWord::kFirstRun},
      {"x@instalpack@pack @remove", true, SetupWord::kPack},
      {"@instalfiles@/src@@a.puz @remove", true, SetupWord::kFiles},
      {"@remove", true, SetupWord::kRemove},
      {"/home/me/Two Good Dogs.puz", true, SetupWord::kNone},
      // The words are matched as they are written.
      {"@REMOVE", true, SetupWord::kNone},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.line);
    EXPECT_EQ(RouteSetupWords(each.line, each.welcome_done).word, each.word);
  }
  EXPECT_EQ(RouteSetupWords("@instalprogman /lang:deu", true).language, "deu");
  EXPECT_EQ(RouteSetupWords("@instalprogman", true).language, "");
}

class InstalFilesTest : public testing::SetupHome {
 protected:
  StartMode Act(std::string& line) {
    const SetupContext context{(program_directory_ / "cbst").string(),
                               program_directory_.string() + "/", settings_.get(), nullptr, false};
    testing::ScriptedQuestions questions(kAnswerOk);
    return ActOnSetupRoute(RouteSetupWords(line, true), context, line, questions);
  }
  std::string DonePack() const {
    return ReadProfileString(UserSettingsPath().c_str(), "CobblestackSetup", "DonePack").c_str();
  }
};

TEST_F(InstalFilesTest, FilesAreCopiedIntoTheProgramDirectoryAndTheProgramGoesOn) {
  const fs::path source = home_->root() / "cd";
  Touch(source / "a.puz", "first");
  Touch(source / "b.puz", "second");
  Touch(source / "c.puz", "not asked for");
  std::string line = "@instalfiles@" + source.string() + "@@a.puz@b.puz";
  EXPECT_EQ(Act(line), StartMode::kGoOn);
  EXPECT_EQ(line, "");
  EXPECT_EQ(testing::FilesUnder(program_directory_), (std::vector<std::string>{"a.puz", "b.puz"}));
  EXPECT_EQ(testing::FileText(program_directory_ / "b.puz"), "second");
  EXPECT_EQ(DonePack(), "2");

  // Into a sub-folder, stopping at the first file that is missing.
  testing::RecordingSink sink;
  line = "@instalfiles@" + source.string() + "@extra@c.puz@missing.puz@a.puz";
  EXPECT_EQ(Act(line), StartMode::kDestroyAndEnd);
  EXPECT_TRUE(fs::exists(program_directory_ / "extra" / "c.puz"));
  EXPECT_FALSE(fs::exists(program_directory_ / "extra" / "a.puz"));
  EXPECT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(DonePack(), "2");
}

}  // namespace
}  // namespace cbst
