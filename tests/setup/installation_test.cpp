// The installation as the player meets it: the program starting with the
// setup hooks, its welcome window, a full setup into a folder, and the
// removal of that copy.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "setup/file_copy.h"
#include "setup/program_group.h"
#include "setup/setup_codes.h"
#include "setup/setup_words.h"
#include "setup_home.h"
#include "support/program_launcher.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

using testing::FilesUnder;
using testing::FileText;
using testing::Touch;

QAbstractButton* ButtonOf(int id) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    for (auto* button : window->findChildren<QAbstractButton*>())
      if (button->property("id").toInt() == id && button->isVisible()) return button;
  }
  return nullptr;
}

// Plays the player's part while a window waits: answers message boxes with
// `box_answer` and otherwise runs the next step once its button is there.
class Player {
 public:
  using Step = std::function<bool()>;  // true once done
  Player(std::vector<Step> steps, QMessageBox::StandardButton box_answer)
      : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this, box_answer] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back(box->text().toStdString());
        if (QAbstractButton* button = box->button(box_answer)) button->click();
        return;
      }
      if (next_ < steps_.size() && steps_[next_]()) ++next_;
    });
    timer_.start(20);
  }
  std::vector<std::string> boxes;

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QTimer timer_;
};

Player::Step Click(int id) {
  return [id] {
    QAbstractButton* button = ButtonOf(id);
    // Clicked from the event loop: what the click opens must not run
    // inside the timer that clicks.
    if (button) QTimer::singleShot(0, button, &QAbstractButton::click);
    return button != nullptr;
  };
}

class InstallationTest : public testing::SetupHome {
 protected:
  void SetUp() override {
    SetupHome::SetUp();
    testing::CopyFromBuiltProgram(program_directory_,
                                  {"CS21eng.dix", "cbsteng.html", "Two Good Dogs.puz"});
    Touch(program_directory_ / "cbst", "#!/bin/sh\n");
    setenv("LANG", "en_GB.UTF-8", 1);
    InstallSetup();
  }
  void TearDown() override {
    InstallSetupHooks(nullptr);
    SetupHome::TearDown();
  }
  std::unique_ptr<Program> MakeProgram(const fs::path& directory) {
    return launcher_.Make(directory);
  }
  static int CloseAndFinish(Program& program) {
    return testing::ProgramLauncher::CloseAndFinish(program);
  }

  testing::ProgramLauncher launcher_;
};

TEST_F(InstallationTest, TheFirstRunWelcomesAndMakesTheMenuAndTheShortcut) {
  {
    auto program = MakeProgram(program_directory_);
    // The welcome hides the setup's folder: what is left fills the window
    // without a gap of more than a button or two above the buttons.
    int spare = -1, button = 0;
    const Player::Step measure = [&] {
      QAbstractButton* ok = ButtonOf(1);
      if (!ok) return false;
      const QWidget* welcome = ok->window();
      spare = welcome->height() - welcome->minimumSizeHint().height();
      button = ok->height();
      return true;
    };
    Player player({measure, Click(1)}, QMessageBox::Yes);
    ASSERT_TRUE(program->Start(""));
    EXPECT_TRUE(player.boxes.empty());
    EXPECT_GE(spare, 0);
    EXPECT_LT(spare, 2 * button);
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }
  EXPECT_EQ(std::string(settings_->Read("WelcomeDone230").c_str()), "Yes");
  EXPECT_EQ(settings_->ReadNumber("PGManInstl210"), 100);
  EXPECT_EQ(ProgramGroup("Cobblestack").ItemFiles().size(), 2u);
  EXPECT_TRUE(fs::exists(desktop() / "cobblestack.desktop"));

  // The next start goes straight to the table.
  auto program = MakeProgram(program_directory_);
  Player player({}, QMessageBox::No);
  ASSERT_TRUE(program->Start(""));
  EXPECT_TRUE(player.boxes.empty());
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(InstallationTest, LeavingTheWelcomeEndsTheProgramAndItComesBackNextTime) {
  for (int run = 0; run < 2; ++run) {
    auto program = MakeProgram(program_directory_);
    Player player({Click(2)}, QMessageBox::Yes);
    EXPECT_FALSE(program->Start(""));
    EXPECT_EQ(program->exit_code(), 0);
    EXPECT_EQ(player.boxes, std::vector<std::string>{"Do you want to leave without finishing?"});
  }
  EXPECT_FALSE(settings_->Has("WelcomeDone230"));
  EXPECT_FALSE(ProgramGroup("Cobblestack").exists());
}

// The welcome's Help button leads to a topic of its own, whatever language
// the player picked with its flags.
TEST(WelcomeHelpTest, EveryLanguagesHelpPageHasTheWelcomesTopic) {
  const std::string anchor = "id=\"ctx" + std::to_string(kHelpTopicWelcome) + "\"";
  for (const char* language : {"eng", "cas", "cat", "deu", "fra", "ita"}) {
    const fs::path page = fs::path(CBST_PROGRAM_DIR) / (std::string("cbst") + language + ".html");
    EXPECT_NE(FileText(page).find(anchor), std::string::npos) << page;
  }
}

TEST_F(InstallationTest, AFullSetupIsRemovedAgainByItsOwnCopy) {
  const fs::path target = home_->root() / "games" / "Cobblestack";
  testing::ScriptedQuestions questions(kAnswerOk);
  Status done = FullSetup(program_directory_ / "cbst", target, "cas", questions, nullptr);
  ASSERT_EQ(done.code(), 0);

  // Every file is there, and the log lists each copy and the uninstaller.
  const std::vector<std::string> copied = FilesUnder(target);
  EXPECT_EQ(copied, (std::vector<std::string>{"CS21eng.dix", "Two Good Dogs.puz", "cbst",
                                              "cbsteng.html", "cssetup.log", "remove"}));
  std::string log = "[Cobblestack Setup]\n";
  for (const char* name : {"CS21eng.dix", "Two Good Dogs.puz", "cbst", "cbsteng.html", "remove"})
    log += (target / name).string() + "\n";
  EXPECT_EQ(FileText(target / "cssetup.log"), log);
  EXPECT_EQ(fs::status(target / "cbst").permissions(),
            fs::status(program_directory_ / "cbst").permissions());
  const std::string user_settings = UserSettingsPath();
  EXPECT_EQ(
      std::string(ReadProfileString(user_settings.c_str(), "CobblestackSetup", "Run").c_str()),
      (target / "cbst").string() + " @instalprogman /lang:cas");

  // The new copy starts for its program group, then plays.
  {
    auto program = MakeProgram(target);
    Player player({Click(1)}, QMessageBox::Yes);
    ASSERT_TRUE(program->Start("@instalprogman"));
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }
  ASSERT_TRUE(fs::exists(desktop() / "cobblestack.desktop"));

  // What goes and what stays is the removal's own test; here the copy's
  // "@remove" reaches it.
  auto program = MakeProgram(target);
  Player player({}, QMessageBox::Ok);
  EXPECT_FALSE(program->Start("@remove"));
  EXPECT_EQ(player.boxes.size(), 1u);
  EXPECT_EQ(FilesUnder(target), std::vector<std::string>{"cbst"}) << "the running program waits";
  EXPECT_FALSE(ProgramGroup("Cobblestack").exists());
  // The first copy was never touched.
  EXPECT_EQ(FilesUnder(program_directory_).size(), 4u);
}

TEST_F(InstallationTest, APackGoesIntoThePuzzlesFolderWhileTheInstallerWaits) {
  ASSERT_TRUE(settings_->Write("WelcomeDone230", "Yes"));
  const fs::path puzzles = home_->root() / "my puzzles";
  ASSERT_TRUE(settings_->Write("DirPuzzles", puzzles.string()));
  const fs::path pack = home_->root() / "pack";
  Touch(pack / "Harbour.puz", "harbour");
  Touch(pack / "Lighthouse.PUZ", "lighthouse");
  Touch(pack / "readme.txt");
  const auto done_pack = [] {
    return std::string(
        ReadProfileString(UserSettingsPath().c_str(), "CobblestackSetup", "DonePack").c_str());
  };

  auto program = MakeProgram(program_directory_);
  std::string while_shown;
  Player player({[&] {
                   if (!ButtonOf(1)) return false;
                   while_shown = done_pack();
                   return true;
                 },
                 Click(1)},
                QMessageBox::Ok);
  EXPECT_FALSE(program->Start("cbst @instalpack@" + pack.string()));
  EXPECT_EQ(while_shown, "1");
  EXPECT_EQ(done_pack(), "2");
  EXPECT_EQ(FilesUnder(puzzles), (std::vector<std::string>{"Harbour.puz", "Lighthouse.PUZ"}));
  EXPECT_EQ(FileText(puzzles / "Lighthouse.PUZ"), "lighthouse");
}

TEST_F(InstallationTest, TheGroupOfferedOnceAtStartStaysInTheOptionsUntilMade) {
  ASSERT_TRUE(settings_->Write("WelcomeDone230", "Yes"));
  {
    auto program = MakeProgram(program_directory_);
    Player player({}, QMessageBox::No);
    ASSERT_TRUE(program->Start(""));
    EXPECT_EQ(player.boxes,
              std::vector<std::string>{"Would you like to add Cobblestack to the programs menu?"});
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }
  EXPECT_EQ(settings_->ReadNumber("PGManInstl210"), 1);

  auto program = MakeProgram(program_directory_);
  bool offered_again = true;
  Player player({Click(kOptionsProgramGroupButton),
                 [] { return ButtonOf(kOptionsProgramGroupButton) == nullptr; }, Click(1),
                 [&offered_again] {
                   if (!ButtonOf(1)) return false;
                   offered_again = ButtonOf(kOptionsProgramGroupButton) != nullptr;
                   return true;
                 },
                 Click(1)},
                QMessageBox::No);
  ASSERT_TRUE(program->Start(""));
  EXPECT_TRUE(player.boxes.empty());
  EXPECT_FALSE(ProgramGroup("Cobblestack").exists());
  for (int time = 0; time < 2; ++time) {
    Event open = MakeEvent(kEventCommand, CommandPayload{kCommandOptions});
    program->table()->Dispatch(open);
  }
  EXPECT_TRUE(ProgramGroup("Cobblestack").exists());
  EXPECT_EQ(settings_->ReadNumber("PGManInstl210"), 100);
  EXPECT_FALSE(offered_again);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

}  // namespace
}  // namespace cbst
