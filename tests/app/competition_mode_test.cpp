// competition_mode_test.cpp: a game in competition mode on a real table:
// the small score window's values and colours on the screen, its commands,
// tips and clicks, and the ranking file a save writes.
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/competition_mode.h"
#include "app/game_effects.h"
#include "app/game_events.h"
#include "app/saved_games.h"
#include "app/wdir.h"
#include "platform/platform_window_qt.h"
#include "platform/sound_player.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "play/wpuz.h"
#include "play/wspuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_writer.h"
#include "scores/wminiscore.h"
#include "support/control_of.h"
#include "support/pixel_blocks.h"
#include "support/recording_game.h"
#include "support/synthetic_photo.h"
#include "support/test_application.h"
#include "text/text_codes.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/tips.h"
#include "ui/virtual_keys.h"
#include "ui/win_dlg.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// The window as the screen shows it, kept for a look when CBST_GRAB_DIR
// names a folder.
QImage Grab(Window& window, const char* name) {
  const QImage image = WidgetOf(window.platform_window())->grab().toImage();
  if (const char* folder = std::getenv("CBST_GRAB_DIR"))
    image.save(QString::fromStdString((fs::path(folder) / name).string()));
  return image;
}

// How many pixels of `field` show `colour` (0x00BBGGRR).
int PixelsOf(const QImage& image, MiniScoreField field, std::uint32_t colour) {
  const std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
  const Rect16 rect = WMiniScore::FieldRect(field);
  int count = 0;
  for (int y = rect.y; y < rect.y + rect.height; ++y)
    for (int x = rect.x; x < rect.x + rect.width; ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == rgb) ++count;
  return count;
}

// How often a test looks for the dialog it answers.
constexpr int kAnswerEveryMs = 20;

// A twelve-piece puzzle: 6000 points to start with, 1000 for each pair.
class CompetitionModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-competition-" + std::to_string(::getpid()));
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    dictionary_.set_directory(CBST_PROGRAM_DIR);
    ASSERT_EQ(dictionary_.Load("eng", kDictionaryTag, "eng").code(), 0);
    settings_ = std::make_unique<Settings>((directory_ / "cbst.ini").string());
    table_ = application_.Make<WPuz>(puz_);
    ASSERT_TRUE(table_->CreateTable("Table"));
    events_ = std::make_unique<GameEvents>(*table_, puz_, *settings_, directory_.string(), false);
    table_->set_game(events_.get());
    table_->set_effects(&effects_);
    Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
    table_->Dispatch(show);
    window_ = application_.Make<WMiniScore>(*table_, score_);
    ASSERT_TRUE(window_->CreateMiniScore());
    mode_ = std::make_unique<CompetitionMode>(puz_, score_, directory_.string());
    mode_->set_window(window_);
    saver_ = std::make_unique<GameSaver>(puz_, *table_, score_, effects_, *settings_,
                                         directory_.string());
    effects_.set_competition(mode_.get());
    events_->set_competition(mode_.get());
    saver_->set_competition(mode_.get());
  }
  void TearDown() override {
    if (application_.Holds(table_)) {
      table_->set_game(nullptr);
      table_->set_effects(nullptr);
    }
    fs::remove_all(directory_);
  }

  fs::path PuzzlePath() const { return directory_ / "pond.puz"; }
  // Games ranked before on this puzzle, whose saved games are there.
  void Rank(std::initializer_list<std::pair<const char*, std::int32_t>> games) {
    Ranking ranking;
    ranking.puzzle = VString(PuzzlePath().string());
    for (const auto& [name, score] : games) {
      RankingEntry entry;
      entry.game = VString(name);
      entry.score = score;
      ranking.entries.push_back(entry);
      std::ofstream((directory_ / (std::string(name) + ".sav")).string()) << "saved";
    }
    ASSERT_TRUE(SaveRanking(ranking).ok());
  }
  void Open(std::uint32_t game_flags) {
    Puz made;
    made.title = "Pond";
    made.level_rows = {3};
    made.level_columns = {4};
    made.puzzle_seed = 3;
    made.state = kStateOwnLevels;
    const Dib photo = testing::SyntheticPhoto(400, 300);
    ASSERT_EQ(
        WritePuzzleFile(made, PuzzlePath().c_str(), nullptr, {&photo, nullptr}, nullptr).code(), 0);
    OpenRequest request;
    request.path = PuzzlePath().c_str();
    request.game_flags = game_flags;
    ASSERT_EQ(OpenPuzzleForPlay(puz_, request, *table_, nullptr).code(), 0);
    table_->boxes().Close();
    application_.ProcessPending();
  }
  void Command(std::uint32_t command, std::intptr_t parameter) {
    Event event = MakeEvent(kEventCommand, CommandPayload{command, parameter});
    table_->Dispatch(event);
  }
  void Mouse(int subcode, int x, int y) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, 0});
    window_->Dispatch(event);
  }

  testing::TestApplication application_;
  Traductor dictionary_;
  fs::path directory_;
  std::unique_ptr<Settings> settings_;
  Puz puz_;
  WPuz* table_ = nullptr;
  WMiniScore* window_ = nullptr;
  std::unique_ptr<GameEvents> events_;
  std::uint32_t ticks_ = 1;
  GameScore score_{[this] { return ticks_; }};
  SoundPlayer sounds_{fs::temp_directory_path().string(), kSoundOptionMute};
  GameEffects effects_{sounds_, score_, puz_};
  std::unique_ptr<CompetitionMode> mode_;
  std::unique_ptr<GameSaver> saver_;
};

TEST_F(CompetitionModeTest, TheScoreWindowShowsTheGameRunningWithItsPlacesInTheirColours) {
  // One game far above, one just below: a little slower and this game
  // loses its place (red); at its pace it would pass both (green).
  Rank({{"top", 99999}, {"near", 5900}});
  Open(kGameCompetition);
  ASSERT_TRUE(window_->visible()) << "a game in competition mode shows its score";
  // Beside the assembly area, and the scattered pieces keep clear of it.
  const Rect16 place = window_->WindowRect();
  EXPECT_LE(place.x + place.width, table_->AssemblyArea().x);
  for (const SPuz& piece : puz_.cut.pieces)
    EXPECT_FALSE(piece.window.Overlaps(place)) << piece.window.x << "," << piece.window.y;
  ticks_ += 1000;
  score_.Tick();
  EXPECT_EQ(window_->FieldText(MiniScoreField::kTime), "00:00:01");
  EXPECT_EQ(window_->FieldText(MiniScoreField::kScore), "          5990");
  EXPECT_EQ(window_->FieldText(MiniScoreField::kPlace), "02/03");
  EXPECT_EQ(window_->FieldText(MiniScoreField::kProjectedPlace), "03/03");

  application_.ProcessPending();
  QImage shown = Grab(*window_, "miniscore.png");
  EXPECT_EQ(shown.pixel(1, 1) & 0xFFFFFF, 0x000080u) << "dark blue";
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kTime, kMiniScoreClockRunning), 0);
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kScore, kMiniScoreScores), 0);
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kProjection, kMiniScoreScores), 0);
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kPlace, kMiniScoreFalling), 0);
  EXPECT_EQ(PixelsOf(shown, MiniScoreField::kPlace, kMiniScoreRising), 0);
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kProjectedPlace, kMiniScoreRising), 0);
  EXPECT_EQ(PixelsOf(shown, MiniScoreField::kProjectedPlace, kMiniScoreFalling), 0);

  // Done: the clock stands, its time in grey.
  score_.StopClock();
  application_.ProcessPending();
  shown = Grab(*window_, "miniscore_done.png");
  EXPECT_GT(PixelsOf(shown, MiniScoreField::kTime, kMiniScoreClockStill), 0);
  EXPECT_EQ(PixelsOf(shown, MiniScoreField::kTime, kMiniScoreClockRunning), 0);
  EXPECT_EQ(PixelsOf(shown, MiniScoreField::kPlace, kMiniScoreFalling), 0) << "no trend when done";
}

// On a screen that scales (the suite runs again with QT_SCALE_FACTOR=2) the
// score is text drawn at the screen's own pixels, not a picture of the
// window's logical size blown up into blocks of 2 x 2.
TEST_F(CompetitionModeTest, OnAScreenThatScalesTheScoreIsDrawnAtTheScreensPixels) {
  if (QGuiApplication::primaryScreen()->devicePixelRatio() == 1.0)
    GTEST_SKIP() << "the screen does not scale";
  Open(kGameCompetition);
  application_.ProcessPending();
  const QImage shown = Grab(*window_, "miniscore_scaled.png").convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(testing::SplitBlocks(shown), 0);
}

TEST_F(CompetitionModeTest, TheWindowOpensTheRankingOffersTipsSparesTheDragAndFollowsTheCommands) {
  Open(kGameCompetition);
  testing::RecordingGame game;
  table_->set_game(&game);
  const Rect16 score = WMiniScore::FieldRect(MiniScoreField::kScore);
  Mouse(kMouseLeftDouble, score.x + 2, score.y + 2);
  KeyPayload f1;
  f1.virtual_key = kVkF1;
  Event help = MakeEvent(kEventKey, f1);
  window_->Dispatch(help);
  EXPECT_EQ(game.commands, (std::vector<std::pair<std::uint32_t, std::intptr_t>>{
                               {kCommandLiveRanking, 0}, {kCommandHelp, kHelpTopicMiniScore}}));
  // The game's other keys pass through to the table, and on to the game.
  KeyPayload f2;
  f2.virtual_key = kVkF1 + 1;
  Event other = MakeEvent(kEventKey, f2);
  window_->Dispatch(other);
  EXPECT_EQ(game.keys, std::vector<int>{kVkF1 + 1});
  table_->set_game(events_.get());

  Mouse(kMouseMove, score.x + 2, score.y + 2);
  EXPECT_EQ(application_.tips().control_id(), kTextMiniTips + 1);
  EXPECT_EQ(application_.tips().text(), Text(kTextMiniTips + 1));
  const Rect16 place = WMiniScore::FieldRect(MiniScoreField::kProjectedPlace);
  Mouse(kMouseMove, place.x + 2, place.y + 2);
  EXPECT_EQ(application_.tips().control_id(), kTextMiniTips + 4);
  Event off = MakeEvent(kEventMouse, MousePayload{kMouseMove, 5, 5, 0});
  table_->Dispatch(off);
  EXPECT_EQ(application_.tips().control_id(), 0) << "off the window, its tip goes";

  // A group carried over the time: every value but the time is repainted.
  const Rect16 window = window_->WindowRect();
  puz_.dragged = 0;
  const Rect16 time = WMiniScore::FieldRect(MiniScoreField::kTime);
  puz_.carried_bounds = {static_cast<std::int16_t>(window.x + time.x + 20),
                         static_cast<std::int16_t>(window.y + time.y + 1), 30, 10};
  window_->ScoreChanged(kScoreAllChanged);
  EXPECT_EQ(window_->repainted(), 0x1Eu);
  puz_.dragged = -1;
  window_->ScoreChanged(kScoreTimeChanged | kScorePlaceChanged);
  EXPECT_EQ(window_->repainted(), 0x05u);

  // The game's commands hide and show it, and end and start the competition.
  Command(kCommandHideScore, 1);
  EXPECT_FALSE(window_->visible());
  Command(kCommandCompetitionMode, 0);
  EXPECT_EQ(score_.current_rank(), kNoRank);
  Command(kCommandCompetitionMode, 1);
  EXPECT_FALSE(window_->visible()) << "hidden as the game asks";
  EXPECT_EQ(score_.current_rank(), 0);
  Command(kCommandShowScore, 0);
  EXPECT_TRUE(window_->visible());
  Command(kCommandCompetitionMode, 0);
  Command(kCommandShowScore, 0);
  EXPECT_FALSE(window_->visible()) << "no score window out of competition";
}

TEST_F(CompetitionModeTest, TheScoreWindowGoesWithTheGameWhenAnotherIsChosen) {
  Open(kGameCompetition);
  Command(kCommandShowScore, 0);
  ASSERT_TRUE(window_->visible());
  // The player looks through the puzzles and takes none.
  int browsed = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&browsed] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !testing::ControlOf<QListWidget>(dialog, kBrowserList)) return;
    ++browsed;
    if (auto* cancel = testing::ControlOf<QPushButton>(dialog, kCommandCancel)) cancel->click();
  });
  answer.start(kAnswerEveryMs);
  Command(kCommandOpen, 0);
  EXPECT_EQ(browsed, 1);
  EXPECT_TRUE(puz_.cut.pieces.empty());
  EXPECT_FALSE(window_->visible()) << "no score of a game no longer on the table";
}

TEST_F(CompetitionModeTest, ASaveByThePlayerWritesTheGameToTheRanking) {
  Rank({{"top", 99999}});
  Open(kGameCompetition);
  puz_.saved_game_path = VString((directory_ / "mine.sav").string());
  puz_.player = VString("  Eve ");
  puz_.state |= kGameHasSaveFile;
  ticks_ += 4560;
  Ranking written;
  written.puzzle = VString(PuzzlePath().string());
  ASSERT_TRUE(saver_->SaveGame(kSaveAutomatic).ok());
  LoadRanking(written);
  EXPECT_EQ(written.entries.size(), 1u) << "an automatic save leaves the ranking alone";
  ASSERT_TRUE(saver_->SaveGame(0).ok());
  LoadRanking(written);
  ASSERT_EQ(written.entries.size(), 2u);
  const RankingEntry& mine = written.entries[1];
  EXPECT_EQ(mine.game, "mine");
  EXPECT_EQ(mine.player, "Eve");
  EXPECT_EQ(mine.time, 4500);
  EXPECT_EQ(mine.score, 6000 - 45);
}

}  // namespace
}  // namespace cbst
