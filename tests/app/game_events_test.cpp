// game_events_test.cpp: the game's menus, keys and quitting, and the
// clock and counts of a game played, on a real table with and without a
// puzzle.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <utility>

#include "app/about_text.h"
#include "app/game_effects.h"
#include "app/game_events.h"
#include "app/game_keys.h"
#include "app/options.h"
#include "platform/message_box.h"
#include "platform/platform_window_qt.h"
#include "platform/sound_player.h"
#include "play/game_flags.h"
#include "play/game_score.h"
#include "play/piece_boxes.h"
#include "play/wloupe.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "support/recording_game.h"
#include "support/synthetic_photo.h"
#include "support/table_hand.h"
#include "support/test_application.h"
#include "text/traductor.h"
#include "text/wcredits.h"
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
  void Sleep(std::int64_t microseconds) override {
    if (on_sleep) on_sleep();
    now += microseconds;
  }

  std::int64_t now = 0;
  int asked = 0;
  std::function<void()> on_sleep;  // looks at the screen while time passes
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

KeyPayload Typed(char32_t character) {
  KeyPayload key;
  key.kind = KeyKind::kCharacter;
  key.character = character;
  return key;
}

TEST(GameKeys, TheKeypadNamesTheSameBoxesWithNumLockOnAndOff) {
  // Num Lock on: the keypad types figures; off: it sends End, Down, ...
  const int without_num_lock[] = {kVkEnd, kVkDown, kVkNext, kVkLeft, kVkClear, kVkRight};
  for (int box = 0; box < 6; ++box) {
    const KeyAction typed = ActionForKey(Typed(U'1' + box));
    const KeyAction keypad = ActionForKey(Key(KeyKind::kDown, without_num_lock[box]));
    EXPECT_EQ(typed.kind, KeyAction::Kind::kToggleBox);
    EXPECT_EQ(keypad.kind, KeyAction::Kind::kToggleBox);
    EXPECT_EQ(typed.parameter, box);
    EXPECT_EQ(keypad.parameter, box);
    // With Alt, the figure keys and the keypad with and without Num Lock.
    for (const KeyPayload& alt : {Key(KeyKind::kDown, '1' + box, kModAlt),
                                  Key(KeyKind::kDown, kVkNumpad0 + 1 + box, kModAlt),
                                  Key(KeyKind::kDown, without_num_lock[box], kModAlt)}) {
      const KeyAction action = ActionForKey(alt);
      EXPECT_EQ(action.kind, KeyAction::Kind::kBoxPiece) << alt.virtual_key;
      EXPECT_EQ(action.parameter, box);
    }
  }
  EXPECT_EQ(ActionForKey(Typed(U'9')).parameter, 8);
  EXPECT_EQ(ActionForKey(Typed(U'0')).kind, KeyAction::Kind::kNone);
  // The grey arrows and page keys beside the keypad name no box.
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkNext, 0, true)).kind, KeyAction::Kind::kNone);
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, kVkLeft, kModAlt, true)).kind, KeyAction::Kind::kNone);
  EXPECT_EQ(ActionForKey(Key(KeyKind::kDown, '3', kModControl)).kind, KeyAction::Kind::kNone);
}

// The game's piece boxes as the keys see them.
class RecordingBoxes final : public PieceBoxes {
 public:
  int count() const override { return boxes; }
  bool OfferKey(const KeyPayload& key) override {
    ++offers;
    // A box that hands the key back to the game.
    if (table) {
      Event again = MakeEvent(kEventKey, key);
      table->Dispatch(again);
    }
    return visible;
  }
  void Toggle(int box) override { toggled.push_back(box); }
  std::optional<int> PieceUnderCursor() override { return std::nullopt; }
  void TakeGroup(int piece, int box) override { taken.emplace_back(piece, box); }
  void HideAll() override { ++hidden; }
  void ShowAll() override { --hidden; }

  int boxes = 2;
  bool visible = true;
  WPuz* table = nullptr;
  int offers = 0;
  int hidden = 0;
  std::vector<int> toggled;
  std::vector<std::pair<int, int>> taken;
};

// A hook that may keep the game from helping.
class VetoingHook final : public GameHook {
 public:
  void OnGameHookEvent(Event& event) override {
    seen.push_back(event.code);
    if (veto) event.set_handled();
  }
  bool veto = true;
  std::vector<std::uint16_t> seen;
};

class GameEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-game-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    settings_ = std::make_unique<Settings>((directory_ / "cbst.ini").string());
    table_ = application_.Make<WPuz>(puz_);
    ASSERT_TRUE(table_->CreateTable("Table"));
    events_ = std::make_unique<GameEvents>(*table_, puz_, *settings_, directory_.string(), false);
    events_->set_clock(&clock_);
    table_->set_game(events_.get());
    saved_options_ = ProgramOptions();
  }
  void TearDown() override {
    ProgramOptions() = saved_options_;
    if (application_.Holds(table_)) table_->set_game(nullptr);
    fs::remove_all(directory_);
  }

  void Open(std::uint32_t options = 0, const Dib* thumbnail = nullptr) {
    Puz made;
    made.title = "Pond";
    made.level_rows = {3};
    made.level_columns = {4};
    made.puzzle_seed = 3;
    made.option_flags = options;
    made.state = kStateOwnLevels;
    const Dib photo = testing::SyntheticPhoto(400, 300);
    const fs::path path = directory_ / "pond.puz";
    ASSERT_EQ(WritePuzzleFile(made, path.c_str(), thumbnail, {&photo, nullptr}, nullptr).code(), 0);
    OpenRequest request;
    request.path = path.c_str();
    ASSERT_EQ(OpenPuzzleForPlay(puz_, request, *table_, nullptr).code(), 0);
  }
  bool Press(const KeyPayload& key) {
    Event event = MakeEvent(kEventKey, key);
    table_->Dispatch(event);
    return event.handled();
  }
  void Command(std::uint32_t command, std::intptr_t parameter) {
    Event event = MakeEvent(kEventCommand, CommandPayload{command, parameter});
    table_->Dispatch(event);
    EXPECT_TRUE(event.handled()) << command;
  }
  // Puts the mouse over a point of the piece that a hit finds.
  void PointAt(int piece) {
    const Rect16 rect = puz_.cut.pieces[static_cast<std::size_t>(piece)].window;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
      for (int x = rect.x; x < rect.x + rect.width; ++x) {
        if (table_->board().HitTest(kTableWindow, x, y) != piece) continue;
        QCursor::setPos(WidgetOf(table_->platform_window())->mapToGlobal(QPoint(x, y)));
        // The move the toolkit makes of it belongs to this application.
        application_.ProcessPending();
        return;
      }
    }
    FAIL() << "no point of piece " << piece << " is on top";
  }
  std::vector<Rect16> Places() {
    std::vector<Rect16> places;
    for (const SPuz& piece : puz_.cut.pieces)
      places.push_back(piece.board);
    return places;
  }

  testing::TestApplication application_;
  fs::path directory_;
  std::unique_ptr<Settings> settings_;
  Puz puz_;
  WPuz* table_ = nullptr;
  std::unique_ptr<GameEvents> events_;
  CountingClock clock_;
  Options saved_options_;
};

TEST_F(GameEventsTest, TheMenusHoldWhatTheGameAllowsAndEveryItemIsReady) {
  const auto ready = [](const XPopMenu& menu) {
    for (const MenuItem& item : menu.items())
      EXPECT_TRUE(item.enabled) << item.command;
  };
  XPopMenu empty;
  events_->BuildMenu(kMenuGame, empty);
  EXPECT_EQ(Commands(empty), (std::vector<std::uint32_t>{
                                 kCommandOpen, kCommandMakePuzzle, kCommandOptions, kCommandAbout,
                                 kCommandHelpContents, kCommandMinimise, kCommandQuit}));
  ready(empty);

  Open(kOptionNoHelp);
  XPopMenu no_help;
  events_->BuildMenu(kMenuGame, no_help);
  EXPECT_TRUE(no_help.Has(kCommandSave));
  EXPECT_TRUE(no_help.Has(kCommandSpread));
  EXPECT_FALSE(no_help.Has(kCommandAutomaticHelp));
  EXPECT_FALSE(no_help.Has(kCommandLiveRanking));
  const std::vector<Rect16> before = Places();
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_EQ(Places(), before) << "F5 helps nowhere in a puzzle without help";

  Open();
  puz_.game_flags |= kGameCompetition;
  XPopMenu playing;
  events_->BuildMenu(kMenuGame, playing);
  for (std::uint32_t command :
       {kCommandOpen, kCommandMakePuzzle, kCommandSave, kCommandOptions, kCommandAbout,
        kCommandBackground, kCommandLiveRanking, kCommandTogglePreview, kCommandAutomaticHelp,
        kCommandSpread, kCommandHelpContents, kCommandMinimise, kCommandQuit})
    EXPECT_TRUE(playing.Has(command)) << command;
  ready(playing);
  XPopMenu preview;
  events_->BuildMenu(kMenuPreview, preview);
  EXPECT_EQ(Commands(preview),
            (std::vector<std::uint32_t>{kCommandNoPreview, kCommandPreviewHelp}));
  ready(preview);

  // Once the game is solved, neither the menu, F5 nor the command helps.
  puz_.state |= kGameSolved;
  XPopMenu solved;
  events_->BuildMenu(kMenuGame, solved);
  EXPECT_FALSE(solved.Has(kCommandAutomaticHelp));
  const std::vector<Rect16> unsolved = Places();
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  Command(kCommandAutomaticHelp, 0);
  EXPECT_EQ(Places(), unsolved);
}

TEST_F(GameEventsTest, ThePreviewKeysShowThePreviewWindowAndItsOwnKeyPutsItAway) {
  testing::RecordingEffects effects;
  table_->set_effects(&effects);
  Open();
  const KeyPayload space = Key(KeyKind::kDown, kVkSpace);
  const KeyPayload keypad = Key(KeyKind::kDown, kVkNumpad0);
  EXPECT_TRUE(Press(space));
  ASSERT_TRUE(table_->preview_window_shown());
  EXPECT_EQ(table_->preview_key(), static_cast<std::intptr_t>(KeyCodeOf(space)));
  KeyPayload held = space;
  held.repeat = true;
  EXPECT_TRUE(Press(held));
  EXPECT_TRUE(table_->preview_window_shown()) << "a key held down does not blink it";
  EXPECT_TRUE(Press(space));
  EXPECT_FALSE(table_->preview_window_shown()) << "its own key puts it away";
  EXPECT_EQ(effects.paused, 0);

  // Another of the preview's keys puts it away first, then shows it again
  // as that key's.
  Press(space);
  Press(keypad);
  EXPECT_TRUE(table_->preview_window_shown());
  EXPECT_EQ(table_->preview_key(), static_cast<std::intptr_t>(KeyCodeOf(keypad)));
  // Shift leaves it; any other key puts it away and does its own work.
  Press(Key(KeyKind::kDown, kVkShift));
  EXPECT_TRUE(table_->preview_window_shown());
  Press(Key(KeyKind::kDown, kVkShift));  // the loupe it opened goes again
  Press(Key(KeyKind::kUp, kVkShift));
  EXPECT_EQ(table_->loupe(), nullptr);
  const std::vector<Rect16> before = Places();
  Press(Key(KeyKind::kDown, 'R', kModControl));
  EXPECT_FALSE(table_->preview_window_shown());
  EXPECT_NE(Places(), before) << "the key's own command ran too";

  // Shown by the double click on the empty table, any preview key hides it.
  const Rect16 area = table_->AssemblyArea();
  const int x = area.x + area.width - 5, y = area.y + area.height / 2;
  ASSERT_EQ(table_->board().HitTest(kTableWindow, x, y), kNoPiece);
  Event twice = MakeEvent(kEventMouse, MousePayload{kMouseLeftDouble, x, y, 0});
  table_->Dispatch(twice);
  ASSERT_TRUE(table_->preview_window_shown());
  EXPECT_EQ(table_->preview_key(), 0);
  Press(Key(KeyKind::kDown, kVkInsert, 0, false));
  EXPECT_FALSE(table_->preview_window_shown());
  table_->set_effects(nullptr);
}

TEST_F(GameEventsTest, APuzzleOrGameWithoutPreviewShowsNoPreviewWindow) {
  Open(kOptionNoPreview);
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkSpace)));
  Command(kCommandTogglePreview, 0);
  EXPECT_FALSE(table_->preview_window_shown());
  // The preview menu takes the picture off the table for this game.
  Open();
  ASSERT_FALSE(table_->PreviewPlace().Empty());
  Command(kCommandNoPreview, 1);
  EXPECT_TRUE(table_->PreviewPlace().Empty());
  EXPECT_TRUE(puz_.game_flags & kGameNoPreview);
  Press(Key(KeyKind::kDown, kVkSpace));
  EXPECT_FALSE(table_->preview_window_shown()) << "taken off the table for this game";
  const auto menu_item = [this] {
    XPopMenu menu;
    events_->BuildMenu(kMenuGame, menu);
    for (const MenuItem& item : menu.items())
      if (item.command == kCommandTogglePreview) return item;
    ADD_FAILURE() << "the game's menu names the preview";
    return MenuItem{};
  };
  EXPECT_FALSE(menu_item().enabled) << "the menu offers no preview it cannot show";
  Command(kCommandNoPreview, 0);
  EXPECT_TRUE(menu_item().enabled);
  EXPECT_FALSE(table_->PreviewPlace().Empty());
  EXPECT_FALSE(puz_.game_flags & kGameNoPreview);
  Press(Key(KeyKind::kDown, kVkSpace));
  EXPECT_TRUE(table_->preview_window_shown());
  Command(kCommandNoPreview, 1);
  EXPECT_FALSE(table_->preview_window_shown()) << "the window goes with the picture";
}

TEST_F(GameEventsTest, ShiftOpensTheLoupeAtTheMouseAndClosesIt) {
  EXPECT_FALSE(Press(Key(KeyKind::kDown, kVkShift))) << "no game, no loupe";
  EXPECT_EQ(table_->loupe(), nullptr);
  Open();
  Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
  table_->Dispatch(show);
  application_.ProcessPending();
  QCursor::setPos(WidgetOf(table_->platform_window())->mapToGlobal(QPoint(400, 300)));
  // The toolkit's move belongs to this application.
  application_.ProcessPending();
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkShift)));
  ASSERT_NE(table_->loupe(), nullptr);
  const ClientPoint mouse = table_->CursorPosition();
  EXPECT_EQ(table_->loupe()->WindowRect(),
            LoupeWindowRect(table_->loupe_settings(), mouse.x, mouse.y));
  Press(Key(KeyKind::kUp, kVkShift));
  // Held for a "+", Shift leaves the loupe open; tapped alone, it closes it.
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkShift)));
  Press(Key(KeyKind::kDown, kVkOemPlus, kModShift));
  EXPECT_TRUE(Press(Key(KeyKind::kUp, kVkShift)));
  ASSERT_NE(table_->loupe(), nullptr);
  EXPECT_EQ(table_->loupe()->settings().zoom, 3.0);
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkShift)));
  EXPECT_NE(table_->loupe(), nullptr) << "not while it is held";
  EXPECT_TRUE(Press(Key(KeyKind::kUp, kVkShift)));
  EXPECT_EQ(table_->loupe(), nullptr);
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
  // The shrinking frames are drawn on the table itself, with no window
  // over it.
  std::vector<std::uint32_t> corner;
  int windows_over = 0;
  clock_.on_sleep = [&] {
    table_->back_buffer().dc().Flush();
    corner.push_back(table_->back_buffer().dc().GetPixel(0, 0));
    for (QWidget* widget : QApplication::topLevelWidgets())
      windows_over += widget->isVisible();
  };
  table_->Dispatch(quit);
  clock_.on_sleep = nullptr;
  EXPECT_GE(clock_.now, std::int64_t{kQuitMilliseconds + 2 * kQuitWaitMilliseconds} * 1000);
  EXPECT_GT(clock_.asked, 0);
  const std::uint32_t cleared = table_->back_buffer().dc().GetPixel(0, 0);
  EXPECT_NE(std::count(corner.begin(), corner.end(), cleared), std::ssize(corner));
  EXPECT_EQ(windows_over, 0);
  // The closing table shows its background only: no piece, no preview
  // picture, no frame around the assembly area.
  const Rect16 client = table_->ClientRect();
  int other_pixels = 0;
  for (int y = 0; y < client.height; y += 5) {
    for (int x = 0; x < client.width; x += 5)
      other_pixels += table_->back_buffer().dc().GetPixel(x, y) != cleared;
  }
  EXPECT_EQ(other_pixels, 0);
  application_.ProcessPending();
  EXPECT_FALSE(application_.Holds(table_));
}

TEST_F(GameEventsTest, BoxKeysReachTheBoxesThatExist) {
  Open();
  RecordingBoxes boxes;
  events_->set_boxes(&boxes);
  EXPECT_TRUE(Press(Typed(U'2')));
  EXPECT_FALSE(Press(Typed(U'3'))) << "only two boxes";
  EXPECT_EQ(boxes.toggled, std::vector<int>{1});

  const int piece = 5;
  PointAt(piece);
  EXPECT_FALSE(Press(Key(KeyKind::kDown, '3', kModAlt)));
  EXPECT_TRUE(boxes.taken.empty()) << "Alt+3 with two boxes does nothing";
  boxes.boxes = 3;
  EXPECT_TRUE(Press(Key(KeyKind::kDown, '3', kModAlt)));
  EXPECT_EQ(boxes.taken, (std::vector<std::pair<int, int>>{{piece, 2}}));
  table_->board().Pin(piece);
  EXPECT_TRUE(Press(Key(KeyKind::kDown, '3', kModAlt)));
  EXPECT_EQ(boxes.taken.size(), 1u) << "a pinned piece stays where it is";

  // Tab goes to the topmost box once, even when the box hands it back.
  boxes.table = table_;
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkTab)));
  EXPECT_EQ(boxes.offers, 1);
  boxes.table = nullptr;

  // With no box visible, Esc hides the game only when the player wants it.
  boxes.visible = false;
  ProgramOptions().bits |= kOptionsNoAnimation;
  ProgramOptions().bits &= ~kOptionsEscMinimises;
  EXPECT_FALSE(Press(Key(KeyKind::kDown, kVkEscape)));
  ProgramOptions().bits |= kOptionsEscMinimises;
  EXPECT_TRUE(Press(Key(KeyKind::kDown, kVkEscape)));

  // Putting the boxes away and back, as the game's settings do.
  Command(kCommandHideBoxes, 1);
  EXPECT_EQ(boxes.hidden, 1);
  EXPECT_TRUE(puz_.game_flags & kGameHideBoxes);
  Command(kCommandHideBoxes, 0);
  EXPECT_EQ(boxes.hidden, 0);
  EXPECT_FALSE(puz_.game_flags & kGameHideBoxes);

  // Closing the game puts the boxes away.
  Event quit = MakeEvent(kEventCommand, CommandPayload{kCommandQuit, 0});
  table_->Dispatch(quit);
  EXPECT_EQ(boxes.hidden, 1);
  events_->set_boxes(nullptr);
}

TEST_F(GameEventsTest, AHookMayKeepTheGameFromHelping) {
  Open();
  VetoingHook hook;
  events_->AddHook(hook);
  const std::vector<Rect16> before = Places();
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_EQ(hook.seen, std::vector<std::uint16_t>{kEventHelpAsked});
  EXPECT_EQ(Places(), before);
  hook.veto = false;
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_NE(Places(), before);
  events_->RemoveHook(hook);
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_EQ(hook.seen.size(), 2u);
}

TEST_F(GameEventsTest, MenuItemsAreDecoratedAsTheyAreBuilt) {
  Open();
  XPopMenu menu;
  events_->BuildMenu(kMenuGame, menu);
  menu.AskDecorations(*table_);
  const MenuItem* options = menu.Find(kCommandOptions);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->accelerator, "F3");
  EXPECT_FALSE(options->icon.empty());
  EXPECT_EQ(menu.Find(kCommandOpen)->accelerator, "Ctrl+O");
  EXPECT_TRUE(menu.Find(kCommandOpen)->icon.empty());
  EXPECT_NE(options->icon.pixels, menu.Find(kCommandSpread)->icon.pixels);
}

TEST_F(GameEventsTest, AboutShowsTheCreditsOverTheTableWithTheClockStopped) {
  const Dib thumbnail = testing::SyntheticPhoto(64, 48);
  Open(0, &thumbnail);
  testing::RecordingEffects effects;
  table_->set_effects(&effects);
  std::ofstream(directory_ / "credits.wav") << "RIFF";
  SoundPlayer sounds(directory_.string());
  events_->set_sounds(&sounds);

  WCredits* shown = nullptr;
  int paused_while_shown = 0;
  bool closed = false;
  clock_.on_sleep = [&] {
    if (closed) return;
    for (const auto& window : application_.windows())
      if (window->IsA(WCredits::kClass)) shown = static_cast<WCredits*>(window.get());
    ASSERT_NE(shown, nullptr);
    paused_while_shown = effects.paused;
    EXPECT_EQ(shown->parent(), table_) << "a child of the table, over it";
    const Markup& markup = shown->markup();
    const auto thumb = std::find_if(markup.items.begin(), markup.items.end(), [](const auto& item) {
      return item.kind == MarkupItemKind::kBitmap;
    });
    ASSERT_NE(thumb, markup.items.end());
    const Rect16 place =
        shown->item_rects()[static_cast<std::size_t>(thumb - markup.items.begin())];
    EXPECT_EQ(place.width, 64) << "the puzzle's thumbnail";
    EXPECT_EQ(place.height, 48);
    EXPECT_EQ(thumb[1].text, "Pond");
    EXPECT_EQ(markup.items.back().text.find("Decompression"), 0u) << "the picture is JPEG";
    EXPECT_EQ(sounds.last_started(), (directory_ / "credits.wav").string());
    closed = true;
    Event key = MakeEvent(kEventKey, Key(KeyKind::kDown, kVkEscape));
    shown->Dispatch(key);
  };
  Command(kCommandAbout, 0);
  EXPECT_EQ(paused_while_shown, 1);
  EXPECT_EQ(effects.paused, 0) << "running again";
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(application_.Holds(shown));
  EXPECT_TRUE(application_.Holds(table_));
  table_->set_effects(nullptr);
  clock_.on_sleep = nullptr;
}

// The game's own effects and score keeper on the table. The keeper's clock
// moves when the test says, and as the table's animations wait.
class ScoredGameTest : public GameEventsTest {
 protected:
  static constexpr std::uint32_t kAnimationWait = 10;

  void SetUp() override {
    GameEventsTest::SetUp();
    table_->set_effects(&effects_);
    table_->play().clock = &clock_;
    clock_.on_sleep = [this] { ticks_ += kAnimationWait; };
  }
  void TearDown() override {
    if (application_.Holds(table_)) table_->set_effects(nullptr);
    GameEventsTest::TearDown();
  }
  void Activate(bool active) { application_.TellActivation(active); }
  void Tick() {
    Event tick = MakeEvent(kEventTimer, TimerPayload{kTableTickTimer, 0});
    table_->Dispatch(tick);
  }
  std::uint32_t ticks_ = 1;
  GameScore score_{[this] { return ticks_; }};
  SoundPlayer sounds_{fs::temp_directory_path().string(), kSoundOptionMute};
  GameEffects effects_{sounds_, score_, puz_};
};

TEST_F(ScoredGameTest, AGamePlayedOnTheTableIsCountedAndItsClockStopsWhenItIsDone) {
  Open(kOptionNoRotable);
  ASSERT_EQ(score_.clock_state(), ClockState::kRunning);
  EXPECT_EQ(score_.base(), 2000) << "twelve pieces that do not turn";

  // The spread and the help run while the clock stands still.
  Press(Key(KeyKind::kDown, 'R', kModControl));
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  EXPECT_GT(ticks_, 1u) << "the spread and the help's flight took their time";
  EXPECT_EQ(score_.Elapsed(), 0);
  EXPECT_EQ(score_.helps(), 1) << "the first piece, put in its corner";

  // The player puts in every piece but the last, a second each.
  testing::TableHand hand(*table_);
  const int count = table_->board().piece_count();
  for (int index = 1; index < count - 1; ++index) {
    ticks_ += 1000;
    hand.DragBesidePlacedNeighbour(index);
  }
  const int total = SidesToJoin(3, 4);
  constexpr int last_sides = 4;  // the last piece is a corner: two pairs
  EXPECT_EQ(score_.moves(), count - 2);
  EXPECT_EQ(score_.joined_sides(), total - last_sides);
  ASSERT_FALSE(table_->board().solved());
  // The table's timer brings the score up to the time.
  ticks_ += 1000;
  const std::int32_t before_tick = score_.current_score();
  Tick();
  EXPECT_EQ(score_.current_score(), before_tick - 10);

  // The help puts the last piece in: the puzzle is done, and the clock
  // stops at the time the player took.
  Press(Key(KeyKind::kUp, kVkF1 + 4));
  ASSERT_TRUE(table_->board().solved());
  EXPECT_EQ(score_.clock_state(), ClockState::kStopped);
  const std::int32_t played = (count - 1) * 1000;
  EXPECT_EQ(score_.Elapsed(), played);
  EXPECT_EQ(score_.joined_sides(), total);
  EXPECT_EQ(score_.helped_sides(), last_sides);

  // Done is done: time and drags count no more.
  ticks_ += 5000;
  hand.DragBy(0, 40, 30);
  Tick();
  EXPECT_EQ(score_.moves(), count - 2);
  EXPECT_EQ(score_.Elapsed(), played);
}

TEST_F(ScoredGameTest, MessageBoxesAndThePlayersAbsenceHoldTheClock) {
  Open();
  ticks_ += 1000;
  int held_by_box = 0, held_after_return = 0;
  QTimer::singleShot(0, [&] {
    held_by_box = score_.pause_depth();
    ticks_ += 3000;
    // Away and back while the box waits: the box still holds the clock.
    Activate(false);
    ticks_ += 3000;
    Activate(true);
    held_after_return = score_.pause_depth();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->escapeButton()->click();
  });
  table_->MessageBox("Wait", kBoxOk);
  EXPECT_EQ(held_by_box, 1);
  EXPECT_EQ(held_after_return, 1);
  EXPECT_EQ(score_.pause_depth(), 0);
  EXPECT_EQ(score_.Elapsed(), 1000);

  // Back at the table, every pause left open ends.
  Activate(false);
  table_->PauseClock();
  ticks_ += 2000;
  EXPECT_EQ(score_.pause_depth(), 2);
  Activate(true);
  EXPECT_EQ(score_.pause_depth(), 0);
  ticks_ += 500;
  EXPECT_EQ(score_.Elapsed(), 1500);

  // A new game opened while the player is away waits for the player.
  Activate(false);
  Open();
  ticks_ += 700;
  EXPECT_EQ(score_.Elapsed(), 0);
  Activate(true);
  ticks_ += 300;
  EXPECT_EQ(score_.Elapsed(), 300);
}

}  // namespace
}  // namespace cbst
