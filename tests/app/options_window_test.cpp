// The options window in a running program: each box edits its bit at once,
// the record is saved as the window closes, and the pieces are drawn again
// when their shading changes.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "app/game_events.h"
#include "app/options.h"
#include "app/program.h"
#include "app/system_info.h"
#include "app/wadvanced.h"
#include "app/winfo.h"
#include "app/woptions.h"
#include "gfx/display_format.h"
#include "gfx/display_probe.h"
#include "play/game_flags.h"
#include "play/wpuz.h"
#include "scores/ranking_file.h"
#include "scores/wranking.h"
#include "support/control_of.h"
#include "support/desktop_home.h"
#include "support/file_text.h"
#include "support/program_launcher.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/tips.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::ControlOf;

constexpr char kSample[] = "Two Good Dogs.puz";

using testing::FileText;

std::vector<std::uint8_t> SheetBytes(Puz& puz) {
  std::vector<std::uint8_t> bytes;
  if (!puz.sheets.image) return bytes;
  const PixelView view = puz.sheets.image->pixels();
  for (int y = 0; y < view.height; ++y)
    bytes.insert(bytes.end(), view.At(0, y), view.At(0, y) + view.width * view.bytes);
  return bytes;
}

class OptionsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    home_ = std::make_unique<testing::DesktopHome>("options_" + name);
    directory_ = home_->root() / "program";
    testing::CopyFromBuiltProgram(directory_, {"CS21eng.dix", kSample});
    setenv("LANG", "en_GB.UTF-8", 1);
    program_ = launcher_.Make(directory_);  // the browser takes the puzzle it offers
    ASSERT_TRUE(program_->Start("\"" + (directory_ / kSample).string() + "\""));
  }
  void TearDown() override {
    // Closed without the question whether to save the game.
    program_->puzzle()->state &= ~kGameChanged;
    testing::ProgramLauncher::CloseAndFinish(*program_);
    program_.reset();
  }

  testing::ProgramLauncher launcher_;
  std::unique_ptr<testing::DesktopHome> home_;
  fs::path directory_;
  std::unique_ptr<Program> program_;
};

TEST_F(OptionsWindowTest, EveryBoxFlipsItsBitAtOnceAndTheRecordIsSavedOnClose) {
  Options& options = ProgramOptions();
  ASSERT_EQ(options.bits, 0u);
  Puz& puz = *program_->puzzle();
  puz.state &= ~kGameChanged;
  const std::vector<std::uint8_t> sheet_before = SheetBytes(puz);
  ASSERT_FALSE(sheet_before.empty());

  bool seen = false;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || seen || !ControlOf(dialog, kOptionsCompetitionBox)) return;
    seen = true;
    QWidget* hide_score = ControlOf(dialog, kOptionsHideScoreBox);
    ASSERT_NE(hide_score, nullptr);
    EXPECT_TRUE(hide_score->isHidden()) << "no competition, no score box";
    auto* tips_box = qobject_cast<QCheckBox*>(ControlOf(dialog, 2513));
    ASSERT_NE(tips_box, nullptr);
    EXPECT_TRUE(tips_box->isChecked()) << "tips are on while their bit is clear";
    for (const OptionBox& box : OptionBoxes()) {
      auto* check = qobject_cast<QCheckBox*>(ControlOf(dialog, box.id));
      ASSERT_NE(check, nullptr) << box.id;
      const std::uint32_t before = options.bits;
      check->click();
      EXPECT_EQ(options.bits ^ before, box.bit) << box.id;
      EXPECT_TRUE(options.dirty);
      if (box.id == kOptionsCompetitionBox) {
        EXPECT_FALSE(hide_score->isHidden());
      }
    }
    // Switches that change how the game plays are there before the window goes.
    EXPECT_FALSE(Application::Instance()->tips().enabled());
    EXPECT_FALSE(program_->table()->play().rect_animations);
    qobject_cast<QCheckBox*>(ControlOf(dialog, kOptionsCompetitionBox))->click();
    EXPECT_TRUE(hide_score->isHidden());
    qobject_cast<QPushButton*>(ControlOf(dialog, static_cast<int>(kCommandOk)))->click();
  });
  clicker.start(20);
  Event open = MakeEvent(kEventCommand, CommandPayload{kCommandOptions});
  program_->table()->Dispatch(open);
  clicker.stop();
  ASSERT_TRUE(seen);

  std::uint32_t expected = 0;
  for (const OptionBox& box : OptionBoxes())
    expected |= box.bit;
  expected &= ~kOptionsCompetition;
  EXPECT_EQ(options.bits, expected);
  EXPECT_FALSE(options.dirty);
  EXPECT_NE(FileText(directory_ / "cbst.ini").find("Options=" + std::to_string(expected)),
            std::string::npos);
  // Grey edges: the game was built again with pieces drawn the other way.
  EXPECT_EQ(puz.cut.pieces.empty(), false);
  EXPECT_NE(SheetBytes(puz), sheet_before);
  EXPECT_NE(puz.state & kGameChanged, 0u);
}

TEST_F(OptionsWindowTest, TheNewGameBoxesSayTheyLeaveTheGameBeingPlayedAlone) {
  auto* window = Application::Instance()->Make<WOptions>(ProgramOptions(), program_->settings(),
                                                         nullptr, nullptr);
  ASSERT_TRUE(window->CreateDialog(program_->table()));
  const std::string added = Text(kTextNewGamesOnly);
  ASSERT_FALSE(added.empty());
  const auto tip_of = [&](int id) {
    Event hover = MakeEvent(kEventHover, HoverPayload{id, {0, 0, 40, 20}, 5, 5, "", window});
    window->Dispatch(hover);
    return Application::Instance()->tips().text();
  };
  const std::string competition = tip_of(kOptionsCompetitionBox);
  EXPECT_EQ(competition, std::string(ControlText(kTipContext, kOptionsCompetitionBox)) + added);
  const std::string sounds = tip_of(2505);
  EXPECT_EQ(sounds.find(added), std::string::npos) << sounds;
  EXPECT_FALSE(sounds.empty());
  window->EndDialog(kCommandCancel);
}

TEST_F(OptionsWindowTest, TheGameSettingsBoxesChangeTheGameBeingPlayed) {
  Puz& puz = *program_->puzzle();
  puz.game_flags = kGameHideScore;
  bool seen = false;
  std::string facts;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || seen || !ControlOf(dialog, kInfoCompetition)) return;
    seen = true;
    const auto box = [&](int id) { return qobject_cast<QCheckBox*>(ControlOf(dialog, id)); };
    for (const int id : {kInfoCompetition, kInfoNoPreview, kInfoHideBoxes, kInfoHideScore})
      ASSERT_NE(box(id), nullptr) << id;
    EXPECT_TRUE(box(kInfoHideScore)->isChecked());
    EXPECT_FALSE(box(kInfoCompetition)->isChecked());
    box(kInfoCompetition)->click();
    EXPECT_EQ(puz.game_flags & kGameCompetition, kGameCompetition);
    box(kInfoHideBoxes)->click();
    EXPECT_EQ(puz.game_flags & kGameHideBoxes, kGameHideBoxes);
    box(kInfoNoPreview)->click();
    EXPECT_EQ(puz.game_flags & kGameNoPreview, kGameNoPreview);
    box(kInfoHideScore)->click();
    EXPECT_EQ(puz.game_flags & kGameHideScore, 0u);
    facts = ControlOf(dialog, kInfoFacts)->property("text").toString().toStdString();
    qobject_cast<QPushButton*>(ControlOf(dialog, static_cast<int>(kCommandOk)))->click();
  });
  clicker.start(20);
  Event open = MakeEvent(kEventCommand, CommandPayload{kCommandGameSettings});
  program_->table()->Dispatch(open);
  clicker.stop();
  ASSERT_TRUE(seen);
  EXPECT_EQ(puz.game_flags, kGameCompetition | kGameNoPreview | kGameHideBoxes);
  EXPECT_NE(facts.find("Two Good Dogs"), std::string::npos) << facts;
  EXPECT_NE(facts.find("6 x 4 = 24 pieces"), std::string::npos) << facts;
  EXPECT_NE(facts.find("Joins made: 0 / 38"), std::string::npos) << facts;
}

// Answers the modal windows as they come up, one step each, and tells
// whether every step ran.
class ModalSteps {
 public:
  explicit ModalSteps(std::vector<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == last_ || next_ == steps_.size()) return;
      last_ = modal;
      steps_[next_++](modal);
    });
    timer_.start(10);
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  std::vector<std::function<void(QWidget*)>> steps_;
  std::size_t next_ = 0;
  QWidget* last_ = nullptr;
  QTimer timer_;
};

void Click(QWidget* window, int id) {
  auto* button = qobject_cast<QPushButton*>(ControlOf(window, id));
  ASSERT_NE(button, nullptr) << id;
  button->click();
}

TEST_F(OptionsWindowTest, ACopiedCertificatePastesIntoTheRankingThatF4Shows) {
  Puz& puz = *program_->puzzle();
  puz.game_flags |= kGameCompetition;
  puz.player = VString("Ana");
  const auto dispatch = [&](Event event) { program_->table()->Dispatch(event); };

  // The game settings window copies the game's certificate.
  ModalSteps copy({[](QWidget* info) {
    Click(info, kInfoCopyCertificate);
    Click(info, static_cast<int>(kCommandOk));
  }});
  dispatch(MakeEvent(kEventCommand, CommandPayload{kCommandGameSettings}));
  ASSERT_TRUE(copy.done());
  QString text = QApplication::clipboard()->text();
  ASSERT_TRUE(text.startsWith("****Cobblestack****BOC{\r\nPuzzle:Two Good Dogs\r\n"))
      << text.toStdString();

  // Another player's better game, pasted on the table, offered and added.
  text.replace("Player:Ana", "Player:Bo")
      .replace(QRegularExpression("Score:[-0-9]*"), "Score:999999");
  QApplication::clipboard()->setText(text);
  QString told;
  ModalSteps paste(
      {[](QWidget* offered) { Click(offered, static_cast<int>(kCommandAddToRanking)); },
       [&](QWidget* box) {
         told = qobject_cast<QMessageBox*>(box)->text();
         qobject_cast<QMessageBox*>(box)->defaultButton()->click();
       }});
  KeyPayload paste_key;
  paste_key.virtual_key = 'V';
  paste_key.modifiers = kModControl;
  dispatch(MakeEvent(kEventKey, paste_key));
  ASSERT_TRUE(paste.done());
  EXPECT_TRUE(told.contains("Two Good Dogs")) << told.toStdString();
  Ranking file;
  file.puzzle = puz.file_path;
  file.level = puz.level;
  LoadRanking(file);
  ASSERT_EQ(file.entries.size(), 1u);
  EXPECT_EQ(file.entries[0].player, "Bo");
  EXPECT_EQ(file.entries[0].score, 999999);

  // F4 shows the ranking with both games; their rows and colours are the
  // ranking window's own tests.
  ModalSteps ranking({[&](QWidget* window) { Click(window, static_cast<int>(kCommandOk)); }});
  KeyPayload f4;
  f4.virtual_key = kVkF1 + 3;
  dispatch(MakeEvent(kEventKey, f4));
  EXPECT_TRUE(ranking.done());
}

TEST(GameFactsTest, PlayingTimeIsHoursMinutesAndSeconds) {
  EXPECT_EQ(PlayingTime(0), "0:00:00");
  EXPECT_EQ(PlayingTime(59999), "0:00:59");
  EXPECT_EQ(PlayingTime(3725000), "1:02:05");
  EXPECT_EQ(PlayingTime(-5), "0:00:00");
}

TEST_F(OptionsWindowTest, TheSpecialOptionsReachTheTurningAndTheDrawingAndSurviveARestart) {
  Puz& puz = *program_->puzzle();
  puz.state &= ~kGameChanged;
  const std::vector<std::uint8_t> sheet_before = SheetBytes(puz);
  std::vector<std::string> messages;
  std::string report;
  int step = 0;
  // A timer of their own for the message boxes: they come up while the
  // clicker's tick is still running.
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages.push_back(box->text().toStdString());
      box->defaultButton()->click();
    }
  });
  answerer.start(20);
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !ControlOf(dialog, kAdvancedForceRotation)) return;
    const auto check = [&](int id) { return qobject_cast<QCheckBox*>(ControlOf(dialog, id)); };
    switch (step++) {
      case 0:
        EXPECT_FALSE(check(kAdvancedForceRotation)->isChecked());
        EXPECT_TRUE(check(kAdvancedFastDrawing)->isChecked()) << "checked while the bit is clear";
        check(kAdvancedForceRotation)->click();  // the message box comes up here
        break;
      case 1:
        EXPECT_EQ(puz.sheets.force_pixel_turning, 1) << "the open game turns the slow way";
        qobject_cast<QPushButton*>(ControlOf(dialog, kAdvancedCopyReport))->click();
        report = QGuiApplication::clipboard()->text().toStdString();
        check(kAdvancedFastDrawing)->click();
        EXPECT_NE(ProgramOptions().bits & kOptionsOtherBitmapMethod, 0u);
        qobject_cast<QPushButton*>(ControlOf(dialog, static_cast<int>(kCommandOk)))->click();
        break;
      default:
        break;
    }
  });
  clicker.start(20);
  Event open = MakeEvent(kEventCommand, CommandPayload{kCommandAdvancedOptions});
  program_->table()->Dispatch(open);
  clicker.stop();
  ASSERT_EQ(step, 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Text(kTextForcedRotationHint));
  EXPECT_EQ(report.rfind("Pgm:Cobblestack", 0), 0u) << report;
  EXPECT_NE(report.find("\r\nBmpMask="), std::string::npos) << "a puzzle is open";
  EXPECT_NE(report.find("\r\nXMaskScreen:"), std::string::npos) << "copied before the switch";
  EXPECT_NE(report.find("ForceDIRotate=1\r\n"), std::string::npos) << report;
  const std::string file = FileText(directory_ / "cbst.ini");
  EXPECT_NE(file.find("ForceDIRotate=1"), std::string::npos);
  EXPECT_NE(file.find("Options=" + std::to_string(kOptionsOtherBitmapMethod)), std::string::npos)
      << file;
  EXPECT_EQ(CurrentDisplayFormat().mode, kModeRasterOps) << "the fast method is off";
  EXPECT_NE(puz.state & kGameChanged, 0u) << "the game was built again";
  EXPECT_EQ(SheetBytes(puz), sheet_before) << "the same pieces, drawn the other way";

  // The next run turns the slow way from the start.
  Options next;
  next.Load(program_->settings());
  EXPECT_EQ(next.forced_rotation, 1);
  EXPECT_EQ(next.PieceDrawing().force_pixel_turning, 1);
  ProbeDisplay(false);  // the display as the other tests expect it
}

TEST(SystemReportTest, ThePiecesComeInTheirOrderWithTheirSeparators) {
  SystemFacts facts;
  facts.identity = "Cobblestack 2.10";
  facts.platform_version = "6.1";
  facts.bits_per_pixel = 32;
  facts.width_bytes = 7680;
  facts.mask_bits = 8;
  facts.display.width = 1920;
  facts.display.height = 1080;
  facts.masks[0] = 0xFF0000;
  facts.masks[1] = 0xFF00;
  facts.masks[2] = 0xFF;
  facts.shifts[0] = 16;
  facts.shifts[1] = 8;
  facts.shifts[2] = 0;
  facts.settings_lines = {"[Main]", "Options=0"};
  const std::string report = SystemReport(facts);
  EXPECT_EQ(report,
            "Pgm:Cobblestack 2.10\r\nWinVersion:6.1\r\nSysInfo-Processor:0\r\n"
            "\r\nBmpWMain: bitspixel=32\r\nplanes=1\r\nwidthbytes=7680\r\nBmpMask=8\r\n\r\n"
            "Technol:0\r\nHRes::1920\r\nVRes::1080\r\nBitsPix:32\r\nPlanes:1\r\nClip:0\r\n"
            "NumColors:0\r\nSizepal:0\r\nNumres:0\r\nColorres:0\r\nRastercaps:0\r\nCurve:0\r\n"
            "Line:0\r\nText:0\r\n"
            "\r\nXMaskScreen:16711680,65280,255\r\nLShift:16,8,0\r\n"
            "\r\n------------------------------\r\n\r\ncbst.ini \r\n[Main]\r\nOptions=0\r\n");
  facts.other_bitmap_method = true;
  facts.mask_bits.reset();
  const std::string other = SystemReport(facts);
  EXPECT_EQ(other.find("BmpMask"), std::string::npos);
  EXPECT_NE(other.find("Text:0\r\nNo BmpMemX\r\n---"), std::string::npos) << other;
}

}  // namespace
}  // namespace cbst
