// game_events_test.cpp: the game's menus, keys and quitting, on a real
// table with and without a puzzle.
#include <unistd.h>

#include <filesystem>

#include "app/game_events.h"
#include "app/game_keys.h"
#include "app/options.h"
#include "play/game_flags.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "support/synthetic_photo.h"
#include "ui/application.h"
#include "ui/pop_menu.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// Time that passes only when asked to wait, and counts the asking.
class CountingClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override {
    ++asked;
    return now;
  }
  void Sleep(std::int64_t microseconds) override { now += microseconds; }

  std::int64_t now = 0;
  int asked = 0;
};

KeyPayload Key(KeyKind kind, int virtual_key, std::uint8_t modifiers = 0, bool extended = false) {
  KeyPayload key;
  key.kind = kind;
  key.virtual_key = virtual_key;
  key.modifiers = modifiers;
  key.extended = extended;
  return key;
}

std::vector<std::uint32_t> Commands(const XPopMenu& menu) {
  std::vector<std::uint32_t> commands;
  for (const MenuItem& item : menu.items())
    commands.push_back(item.command);
  return commands;
}

TEST(GameKeys, WholeCodesTellTheSpreadKeysFromTheirNeighbours) {
  for (std::uint8_t modifiers : {kModControl, kModAlt, std::uint8_t(kModControl | kModAlt)}) {
    const KeyAction action = ActionForKey(Key(KeyKind::kDown, 'R', modifiers));
    EXPECT_EQ(action.kind, KeyAction::Kind::kCommand) << int(modifiers);
    EXPECT_EQ(action.command, kCommandSpread);
  }
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, 'R', kModControl | kModShift)).kind,
            KeyAction::Kind::kNone)
      << "one modifier more is another key";
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, 'R')).kind, KeyAction::Kind::kNone);

  // F5 acts when released, not when pressed.
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkF1 + 4)).kind, KeyAction::Kind::kNone);
  EXPECT_EQ(ActionForKey(Key(KeyKind::kUp, kVkF1 + 4)).command, kCommandAutomaticHelp);

  // The preview keys: Space, keypad 0, the keypad's Insert; the grey
  // Insert is swallowed. The preview is told which key opened it.
  const KeyAction space = ActionForKey(Key(KeyKind::kDown, kVkSpace));
  EXPECT_EQ(space.command, kCommandTogglePreview);
  EXPECT_EQ(space.parameter, KeyCode(kKeyPressed, 0, kVkSpace));
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkNumpad0)).command, kCommandTogglePreview);
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkInsert, 0, false)).command, kCommandTogglePreview);
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkInsert, 0, true)).kind, KeyAction::Kind::kSwallow);
  EXPECT_EQ(KeyCodeOf(Key(KeyKind::kDown, 'O', kModControl | kModAlt)),
            KeyCode(kKeyPressed, kKeyCtrl | kKeyAlt, 'O'));
}

class GameEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-game-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    settings_ = std::make_unique<Settings>((directory_ / "cbst.ini").string());
    table_ = application_.Make<WPuz>(puz_);
    ASSERT_TRUE(table_->CreateTable("Table"));
    events_ = std::make_unique<GameEvents>(*table_, puz_, *settings_, directory_.string(),
                                           game_flags_, false);
    events_->set_clock(&clock_);
    table_->set_game(events_.get());
    saved_options_ = ProgramOptions();
  }
  void TearDown() override {
    ProgramOptions() = saved_options_;
    if (application_.Holds(table_)) table_->set_game(nullptr);
    fs::remove_all(directory_);
  }

  void Open(std::uint32_t options = 0) {
    Puz made;
    made.title = "Pond";
    made.level_rows = {3};
    made.level_columns = {4};
    made.puzzle_seed = 3;
    made.option_flags = options;
    made.state = kStateOwnLevels;
    const Dib photo = testing::SyntheticPhoto(400, 300);
    const fs::path path = directory_ / "pond.puz";
    ASSERT_EQ(WritePuzzleFile(made, path.c_str(), nullptr, {&photo, nullptr}, nullptr).code(), 0);
    OpenRequest request;
    request.path = path.c_str();
    ASSERT_EQ(OpenPuzzleForPlay(puz_, request, *table_, nullptr).code(), 0);
  }
  void Press(const KeyPayload& key) {
    Event event = MakeEvent(kEventKey, key);
    table_->Dispatch(event);
  }
  std::vector<Rect16> Places() {
    std::vector<Rect16> places;
    for (const SPuz& piece : puz_.cut.pieces)
      places.push_back(piece.board);
    return places;
  }

  int argc_ = 1;
  char name_[10] = "app_tests";
  char* argv_[2] = {name_, nullptr};
  Application application_{argc_, argv_};
  fs::path directory_;
  std::unique_ptr<Settings> settings_;
  Puz puz_;
  WPuz* table_ = nullptr;
  std::uint32_t game_flags_ = 0;
  std::unique_ptr<GameEvents> events_;
  CountingClock clock_;
  Options saved_options_;
};

TEST_F(GameEventsTest, TheGameMenuHoldsWhatTheGameAllows) {
  XPopMenu empty;
  events_->BuildMenu(kMenuGame, empty);
  EXPECT_EQ(Commands(empty), (std::vector<std::uint32_t>{
                                 kCommandOpen, kCommandMakePuzzle, kCommandOptions, kCommandAbout,
                                 kCommandHelpContents, kCommandMinimise, kCommandQuit}));

  Open(kOptionNoHelp);
  XPopMenu no_help;
  events_->BuildMenu(kMenuGame, no_help);
  EXPECT_TRUE(no_help.Has(kCommandSave));
  EXPECT_TRUE(no_help.Has(kCommandSpread));
  EXPECT_FALSE(no_help.Has(kCommandAutomaticHelp));
  EXPECT_FALSE(no_help.Has(kCommandCompetition));
  const std::vector<Rect16> before = Places();
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_EQ(Places(), before) << "F5 helps nowhere in a puzzle without help";

  game_flags_ |= kGameCompetition;
  XPopMenu competing;
  events_->BuildMenu(kMenuGame, competing);
  EXPECT_TRUE(competing.Has(kCommandCompetition));
}

TEST_F(GameEventsTest, F5HelpsAndCtrlRSpreadsAGame) {
  Open();
  std::vector<Rect16> before = Places();
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_NE(Places(), before) << "the help moves the first piece to its corner";
  before = Places();
  Press(Key(KeyKind::kDown, 'R', kModControl | kModShift));
  EXPECT_EQ(Places(), before);
  Press(Key(KeyKind::kDown, 'R', kModControl));
  EXPECT_NE(Places(), before);
}

TEST_F(GameEventsTest, QuittingAnUnchangedGameAsksNothingAndAnimatesUnlessTold) {
  Open();
  ProgramOptions().bits |= kOptionsNoAnimation;
  Event quit = MakeEvent(kEventCommand, CommandPayload{kCommandQuit, 0});
  table_->Dispatch(quit);
  EXPECT_TRUE(quit.handled());
  EXPECT_EQ(clock_.now, 0) << "no animation and no waiting";
  application_.ProcessPending();
  EXPECT_FALSE(application_.Holds(table_)) << "the table is gone";
}

TEST_F(GameEventsTest, QuittingWithAnimationsShrinksTheTableAndWaits) {
  Open();
  ProgramOptions().bits &= ~kOptionsNoAnimation;
  Event quit = MakeEvent(kEventCommand, CommandPayload{kCommandQuit, 0});
  table_->Dispatch(quit);
  EXPECT_GE(clock_.now, std::int64_t{kQuitMilliseconds + 2 * kQuitWaitMilliseconds} * 1000);
  EXPECT_GT(clock_.asked, 0);
  application_.ProcessPending();
  EXPECT_FALSE(application_.Holds(table_));
}

}  // namespace
}  // namespace cbst
