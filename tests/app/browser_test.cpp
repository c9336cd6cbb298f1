// The puzzle browser: its lines from a folder of puzzles and saved games,
// its filters and their stored settings, and choosing a game through it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

#include "app/browser_line_drawing.h"
#include "app/browser_lines.h"
#include "app/dir_cache.h"
#include "app/game_events.h"
#include "app/program.h"
#include "app/saved_games.h"
#include "app/wdir.h"
#include "platform/key_state.h"
#include "platform/platform_window_qt.h"
#include "play/board_codes.h"
#include "play/game_score.h"
#include "play/saved_game.h"
#include "play/wnpieces.h"
#include "play/wpuz.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/thumb.h"
#include "support/browser_answerer.h"
#include "support/control_of.h"
#include "support/desktop_home.h"
#include "support/help_pages_asked.h"
#include "support/program_launcher.h"
#include "support/recording_sink.h"
#include "support/synthetic_photo.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::ControlOf;

using testing::kBuiltProgram;
constexpr char kDogs[] = "Two Good Dogs.puz";
constexpr char kFigs[] = "Figs in a Bowl.puz";

int LevelCount(const fs::path& puzzle) {
  Thumb header;
  EXPECT_EQ(header.Open(puzzle.c_str(), false).code(), 0) << puzzle;
  return header.level_count;
}

// A saved game of the dogs at `level`, with `joined` sides joined.
void WriteSavedGame(const fs::path& path, const char* player, int level, int joined) {
  SavedGame game;
  game.title = VString(path.stem().string());
  game.puzzle = VString(kDogs);
  game.level = static_cast<std::uint8_t>(level);
  game.player = VString(player);
  game.counters.joined_sides = joined;
  game.counters.elapsed = 125000;
  ASSERT_EQ(StoreSavedGame(path.c_str(), game).code(), 0);
}

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    home_ = std::make_unique<testing::DesktopHome>("browser_" + name);
    directory_ = home_->root() / "program";
    testing::CopyFromBuiltProgram(directory_, {"CS21eng.dix", kDogs});
    setenv("LANG", "en_GB.UTF-8", 1);
  }
  // The dogs' first level, fully joined.
  int AllSides() {
    Thumb header;
    EXPECT_EQ(header.Open((directory_ / kDogs).c_str(), false).code(), 0);
    return SidesToJoin(header.level_rows[0], header.level_columns[0]);
  }
  fs::path SettingsFile() const { return home_->root() / "browser.ini"; }

  std::unique_ptr<testing::DesktopHome> home_;
  fs::path directory_;
};

TEST_F(BrowserTest, FillListsEveryLevelAndEverySavedGameAndLeavesDamagedFilesOut) {
  fs::copy_file(kBuiltProgram / kFigs, directory_ / kFigs);
  std::ofstream(directory_ / "Broken.puz") << "PUZZ but nothing after it";
  std::ofstream(directory_ / "broken.sav") << "not a saved game";
  WriteSavedGame(directory_ / "a.sav", "ann", 1, 10);
  WriteSavedGame(directory_ / "b.sav", "Bob", 0, AllSides());
  WriteSavedGame(directory_ / "c.sav", "ann", 0, 0);

  int calls = 0;
  const BrowserListing listing =
      FillBrowserLines(directory_.string(), {.after_file = [&calls] { ++calls; }, .reading = {}});
  const int figs = LevelCount(directory_ / kFigs);
  const int dogs = LevelCount(directory_ / kDogs);
  ASSERT_EQ(listing.lines.size(), static_cast<std::size_t>(figs + dogs + 3));
  EXPECT_EQ(calls, 7) << "after every file, readable or not";
  // Puzzles first, each level in turn, then the saved games.
  EXPECT_EQ(listing.lines[0].title, "Figs in a Bowl");
  EXPECT_EQ(listing.lines[figs].level, 0);
  EXPECT_EQ(listing.lines[figs + 1].level, 1);
  const BrowserLine& a = listing.lines[figs + dogs];
  EXPECT_EQ(a.kind, LineKind::kSavedGame);
  EXPECT_EQ(a.player, "ann");
  EXPECT_EQ(a.level, 1);
  EXPECT_GT(a.progress, 0.0);
  EXPECT_LT(a.progress, 1.0);
  EXPECT_EQ(listing.lines[figs + dogs + 1].progress, 0.0) << "finished";
  EXPECT_EQ(listing.lines[figs + dogs + 2].progress, 1.0) << "not begun";
  EXPECT_EQ(listing.players, (std::vector<std::string>{"ann", "Bob"}));
  EXPECT_EQ(PlayedTime(a), "0:02:05");
  EXPECT_EQ(a.puzzle_path, (directory_ / kDogs).string());
  EXPECT_EQ(a.puzzle_title, "Two Good Dogs");

  EXPECT_TRUE(FillBrowserLines((directory_ / "none").string()).lines.empty());
}

// The folder cache gives back what reading the files gives, and only for
// files (and the puzzles of saved games) that have not changed.
TEST_F(BrowserTest, TheFolderCacheGivesWhatAFreshScanGivesUntilAFileChanges) {
  fs::copy_file(kBuiltProgram / kFigs, directory_ / kFigs);
  std::ofstream(directory_ / "broken.sav") << "not a saved game";
  WriteSavedGame(directory_ / "a.sav", "ann", 1, 10);
  WriteSavedGame(directory_ / "b.sav", "Bob", 0, 4);

  const BrowserListing fresh = FillBrowserLines(directory_.string());
  EXPECT_EQ(fresh.files_read, 5);
  ASSERT_TRUE(fs::exists(directory_ / kDirCacheName));
  const BrowserListing cached = FillBrowserLines(directory_.string());
  EXPECT_EQ(cached.files_read, 0);
  EXPECT_EQ(cached.lines, fresh.lines);
  EXPECT_EQ(cached.players, fresh.players);

  // Another player in a saved game: read again, and only that file.
  WriteSavedGame(directory_ / "a.sav", "Carmen", 1, 10);
  const BrowserListing changed = FillBrowserLines(directory_.string());
  EXPECT_EQ(changed.files_read, 1);
  EXPECT_EQ(changed.players, (std::vector<std::string>{"Carmen", "Bob"}));
  // The same size, a later time: read again.
  const auto touch = [](const fs::path& path) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
  };
  touch(directory_ / kFigs);
  EXPECT_EQ(FillBrowserLines(directory_.string()).files_read, 1);
  // A changed puzzle brings its saved games with it.
  touch(directory_ / kDogs);
  EXPECT_EQ(FillBrowserLines(directory_.string()).files_read, 3);
  // A file gone is gone from the list.
  fs::remove(directory_ / kFigs);
  const BrowserListing fewer = FillBrowserLines(directory_.string());
  EXPECT_EQ(fewer.files_read, 0);
  EXPECT_EQ(fewer.lines.size(), fresh.lines.size() - LevelCount(kBuiltProgram / kFigs));
}

TEST_F(BrowserTest, ADamagedFolderCacheIsIgnoredAndWrittenAgain) {
  WriteSavedGame(directory_ / "a.sav", "ann", 1, 10);
  const BrowserListing fresh = FillBrowserLines(directory_.string());
  const fs::path cache = directory_ / kDirCacheName;
  std::ifstream in(cache, std::ios::binary);
  const std::vector<std::uint8_t> good((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
  in.close();
  ASSERT_GT(good.size(), 16u);

  // Cut anywhere, or with a byte of its count, version or a line changed:
  // never taken for a cache.
  DirCache decoded;
  EXPECT_TRUE(DecodeDirCache(good, directory_.string(), decoded));
  for (std::size_t length = 0; length < good.size(); ++length) {
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + length);
    ASSERT_FALSE(DecodeDirCache(cut, directory_.string(), decoded)) << length;
  }
  for (const std::size_t at : {std::size_t{4}, std::size_t{6}, good.size() - 5}) {
    std::vector<std::uint8_t> wrong = good;
    wrong[at] ^= 0x5A;
    EXPECT_FALSE(DecodeDirCache(wrong, directory_.string(), decoded)) << at;
  }

  // On disk: the scan reads every file and the cache is good again.
  for (const std::string& damage :
       {std::string("garbage"), std::string(good.begin(), good.begin() + 30)}) {
    std::ofstream(cache, std::ios::binary | std::ios::trunc) << damage;
    const BrowserListing again = FillBrowserLines(directory_.string());
    EXPECT_EQ(again.files_read, 2);
    EXPECT_EQ(again.lines, fresh.lines);
    EXPECT_EQ(FillBrowserLines(directory_.string()).files_read, 0);
  }
}

TEST_F(BrowserTest, TheFiltersPassWhatTheirBoxesSay) {
  BrowserLine puzzle;
  const auto game = [](int level, const char* player, double progress) {
    BrowserLine line;
    line.kind = LineKind::kSavedGame;
    line.level = level;
    line.custom = level == kCustomLevel;
    line.player = player;
    line.progress = progress;
    return line;
  };
  const BrowserLine started = game(2, "ann", 0.5);
  const BrowserLine finished = game(0, "Bob", 0.0);
  const BrowserLine custom = game(kCustomLevel, "ann", 0.3);
  const Settings settings(SettingsFile().string());

  // Nothing stored: new puzzles and games in progress of every level.
  BrowserFilter filter = ReadBrowserFilter(settings);
  EXPECT_TRUE(PassesFilter(puzzle, filter));
  EXPECT_TRUE(PassesFilter(started, filter));
  EXPECT_TRUE(PassesFilter(custom, filter));
  EXPECT_FALSE(PassesFilter(finished, filter));

  // Levels 1 and 3 and the custom level only.
  settings.Write(kKeyBrowserLevel, "0,2,5", kSectionBrowser);
  filter = ReadBrowserFilter(settings);
  EXPECT_FALSE(filter.all_levels);
  EXPECT_TRUE(PassesFilter(puzzle, filter));
  EXPECT_TRUE(PassesFilter(started, filter));
  EXPECT_TRUE(PassesFilter(custom, filter));
  puzzle.level = 1;
  EXPECT_FALSE(PassesFilter(puzzle, filter));
  puzzle.level = 0;

  // A player named with other capitals is the same player; puzzles belong
  // to nobody.
  filter.player = "Ann";
  EXPECT_TRUE(PassesFilter(started, filter));
  EXPECT_FALSE(PassesFilter(puzzle, filter));
  filter.player.clear();

  // Without "O" the puzzles go and the games stay; "F" alone shows only
  // the finished ones.
  filter.show_new = false;
  EXPECT_FALSE(PassesFilter(puzzle, filter));
  EXPECT_TRUE(PassesFilter(started, filter));
  filter.show_started = false;
  filter.show_finished = true;
  EXPECT_FALSE(PassesFilter(started, filter));
  EXPECT_TRUE(PassesFilter(finished, filter));

  // A custom game needs its own box once all levels is off.
  filter = BrowserFilter();
  filter.all_levels = false;
  filter.levels[2] = true;
  EXPECT_TRUE(PassesFilter(started, filter));
  EXPECT_FALSE(PassesFilter(custom, filter));
}

TEST_F(BrowserTest, StoredChoicesComeBackAsTheyWereWritten) {
  const Settings settings(SettingsFile().string());
  BrowserFilter filter;
  filter.show_new = false;
  filter.show_finished = true;
  filter.custom = true;
  filter.all_levels = false;
  filter.player = "Ann";
  filter.no_rotation = true;
  filter.levels[1] = filter.levels[4] = true;
  WriteBrowserFilter(settings, filter);
  EXPECT_EQ(std::string(settings.Read(kKeyBrowserLevel, kSectionBrowser).c_str()), "1,4,5");
  EXPECT_EQ(std::string(settings.Read(kKeyBrowserStatus, kSectionBrowser).c_str()), "AF");
  const BrowserFilter back = ReadBrowserFilter(settings);
  EXPECT_EQ(back.levels, filter.levels);
  EXPECT_FALSE(back.show_new);
  EXPECT_TRUE(back.show_finished);
  EXPECT_TRUE(back.custom);
  EXPECT_FALSE(back.all_levels);
  EXPECT_EQ(back.player, "Ann");
  EXPECT_TRUE(back.no_rotation);

  // Any player is written as "0"; a status of none of the letters means
  // new and started games.
  WriteBrowserFilter(settings, BrowserFilter{});
  EXPECT_EQ(std::string(settings.Read(kKeyBrowserPlayer, kSectionBrowser).c_str()), "0");
  EXPECT_EQ(std::string(settings.Read(kKeyBrowserLevel, kSectionBrowser).c_str()), "*");
  settings.Write(kKeyBrowserStatus, "xyz", kSectionBrowser);
  const BrowserFilter fallback = ReadBrowserFilter(settings);
  EXPECT_TRUE(fallback.show_new && fallback.show_started && !fallback.show_finished);
  EXPECT_TRUE(fallback.player.empty());
}

// Works the browser once it is up: `act` gets its window.
class BrowserHand {
 public:
  explicit BrowserHand(std::function<void(QWidget*)> act) {
    QObject::connect(&timer_, &QTimer::timeout, [this, act] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog || !ControlOf<QListWidget>(dialog, kBrowserList)) return;
      ++times;
      act(dialog);
    });
    timer_.start(20);
  }
  int times = 0;

 private:
  QTimer timer_;
};

class BrowserFlowTest : public BrowserTest {
 protected:
  // The browser's answers are the test's own.
  std::unique_ptr<Program> Make() { return launcher_.Make(directory_, false); }
  std::unique_ptr<Program> Start() {
    auto program = Make();
    const testing::BrowserAnswerer browser;  // takes the dogs it offers
    EXPECT_TRUE(program->Start("\"" + (directory_ / kDogs).string() + "\""));
    EXPECT_EQ(browser.shown, 1);
    return program;
  }
  static void Open(Program& program) {
    Event open = MakeEvent(kEventCommand, CommandPayload{kCommandOpen});
    program.table()->Dispatch(open);
  }
  static void CloseAndFinish(Program& program) {
    testing::ProgramLauncher::CloseAndFinish(program);
  }
  testing::ProgramLauncher launcher_;
};

TEST_F(BrowserFlowTest, CtrlOOpensTheChosenLevelAndTheFiltersFollowTheirBoxes) {
  WriteSavedGame(directory_ / "ann.sav", "ann", 0, 3);
  auto program = Start();
  ASSERT_TRUE(CommandReady(kCommandOpen));
  const int dogs = LevelCount(directory_ / kDogs);
  ASSERT_GE(dogs, 2);
  Thumb header;
  ASSERT_EQ(header.Open((directory_ / kDogs).c_str(), false).code(), 0);

  int listed = 0, level_two = 0, open_before = -1, chosen_before = -1;
  bool store_enabled = false;
  BrowserHand hand([&](QWidget* dialog) {
    auto* list = ControlOf<QListWidget>(dialog, kBrowserList);
    auto* open = ControlOf<QPushButton>(dialog, kBrowserOpen);
    listed = list->count();
    open_before = open->isEnabled();
    chosen_before = list->currentRow();
    store_enabled = ControlOf<QPushButton>(dialog, kBrowserStore)->isEnabled();
    // Level 2 alone: all levels goes off, one dogs line stays.
    ControlOf<QCheckBox>(dialog, kBrowserFirstLevel + 1)->click();
    EXPECT_FALSE(ControlOf<QCheckBox>(dialog, kBrowserAllLevels)->isChecked());
    level_two = list->count();
    list->setCurrentRow(0);
    EXPECT_TRUE(open->isEnabled());
    open->click();
  });
  Open(*program);
  EXPECT_EQ(hand.times, 1);
  EXPECT_EQ(listed, dogs + 1) << "every level and the saved game";
  EXPECT_EQ(open_before, 1) << "the game just played is chosen";
  EXPECT_EQ(chosen_before, 0) << "the dogs' first level";
  EXPECT_TRUE(store_enabled);
  EXPECT_EQ(level_two, 1);
  EXPECT_EQ(program->puzzle()->level, 1);
  EXPECT_EQ(program->puzzle()->cut.pieces.size(),
            static_cast<std::size_t>(header.level_rows[1] * header.level_columns[1]));
  CloseAndFinish(*program);
}

// Answers the question of the Delete button: No the first time, then Yes.
class DeleteAnswers {
 public:
  DeleteAnswers() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      asked.push_back(box->text().toStdString());
      box->button(asked.size() == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
    });
    timer_.start(20);
  }
  std::vector<std::string> asked;

 private:
  QTimer timer_;
};

// A key pressed and let go on `widget`, which the press may close.
void Press(QWidget* widget, int key, const QString& text = {}) {
  const QPointer<QWidget> alive(widget);
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &down);
  if (!alive) return;
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &up);
}

TEST_F(BrowserFlowTest, TheKeysChooseAndOpenAndDeleteRemovesOnlyTheChosenSavedGame) {
  fs::copy_file(kBuiltProgram / kFigs, directory_ / kFigs);
  WriteSavedGame(directory_ / "ann.sav", "ann", 0, 3);
  auto program = Start();
  const int figs = LevelCount(directory_ / kFigs);
  std::string status_at_end, status_after;
  bool delete_on_puzzle = true;
  int count_before = 0, count_after = 0, row_typed = -1;
  DeleteAnswers answers;
  BrowserHand hand([&](QWidget* dialog) {
    auto* list = ControlOf<QListWidget>(dialog, kBrowserList);
    auto* remove = ControlOf<QPushButton>(dialog, kBrowserDelete);
    auto* status = ControlOf<QLabel>(dialog, kBrowserStatusLine);
    count_before = list->count();
    // The first key comes to the first line, then End goes to the last.
    Press(list, Qt::Key_Down);
    Press(list, Qt::Key_PageDown);
    Press(list, Qt::Key_End);
    status_at_end = status->text().toStdString();
    EXPECT_TRUE(remove->isEnabled()) << "a saved game is chosen";
    remove->click();  // answered No
    EXPECT_TRUE(fs::exists(directory_ / "ann.sav"));
    Press(list, Qt::Key_Delete);  // as the button: answered Yes
    count_after = list->count();
    status_after = status->text().toStdString();
    Press(list, Qt::Key_Home);
    delete_on_puzzle = remove->isEnabled();
    Press(list, Qt::Key_Delete);  // a puzzle line: nothing is asked
    // Typing a title's first letters goes to its first line.
    Press(list, Qt::Key_T, "t");
    Press(list, Qt::Key_W, "w");
    row_typed = list->currentRow();
    Press(list, Qt::Key_Down);
    Press(list, Qt::Key_Return);
  });
  Open(*program);
  // Enter closed the browser before it was let go: the key is up again.
  NoteKey(kVkReturn, false);
  EXPECT_EQ(hand.times, 1);
  EXPECT_EQ(status_at_end.find("Line " + std::to_string(count_before) + " of " +
                               std::to_string(count_before) + ": ann"),
            status_at_end.find("Line"))
      << status_at_end;
  EXPECT_NE(status_at_end.find("Saved games: 1"), std::string::npos) << status_at_end;
  EXPECT_EQ(answers.asked.size(), 2u);
  EXPECT_FALSE(fs::exists(directory_ / "ann.sav"));
  EXPECT_TRUE(fs::exists(directory_ / kDogs)) << "the saved game's puzzle stays";
  EXPECT_EQ(count_after, count_before - 1);
  EXPECT_NE(status_after.find("Saved games: 0"), std::string::npos) << status_after;
  EXPECT_FALSE(delete_on_puzzle) << "puzzle lines cannot be deleted";
  EXPECT_EQ(row_typed, figs) << "the first line of Two Good Dogs";
  // Enter opened the line below: the dogs' second level.
  EXPECT_EQ(std::string(program->puzzle()->file_path.c_str()), (directory_ / kDogs).string());
  EXPECT_EQ(program->puzzle()->level, 1);
  CloseAndFinish(*program);
}

// F1 on the table opens the help's contents, as the game menu tells; in
// the browser it opens the browser's topic, as the Help button there does.
TEST_F(BrowserFlowTest, F1OpensTheContentsOnTheTableAndTheBrowsersTopicInTheBrowser) {
  testing::CopyFromBuiltProgram(directory_, {"cbsteng.html"});
  auto program = Start();
  testing::HelpPagesAsked asked;
  Press(WidgetOf(program->table()->platform_window()), Qt::Key_F1);
  EXPECT_EQ(asked.last(), "cbsteng.html");
  asked.Forget();
  std::string in_browser;
  BrowserHand hand([&](QWidget* dialog) {
    Press(ControlOf<QListWidget>(dialog, kBrowserList), Qt::Key_F1);
    in_browser = asked.last();
    ControlOf<QPushButton>(dialog, kBrowserClose)->click();
  });
  Open(*program);
  EXPECT_EQ(hand.times, 1);
  EXPECT_EQ(in_browser, "cbsteng.html#ctx" + std::to_string(kHelpTopicBrowser));
  CloseAndFinish(*program);
}

// The captions of the filter groups come from the dictionary, as every
// other text of the browser does.
TEST_F(BrowserFlowTest, TheFilterGroupsSpeakThePlayersLanguage) {
  testing::CopyFromBuiltProgram(directory_, {"CS21deu.dix"});
  setenv("LANG", "de_DE.UTF-8", 1);
  auto program = Start();
  QStringList titles;
  BrowserHand hand([&](QWidget* dialog) {
    for (const auto* group : dialog->findChildren<QGroupBox*>())
      titles << group->title();
    ControlOf<QPushButton>(dialog, kBrowserClose)->click();
  });
  Open(*program);
  EXPECT_EQ(hand.times, 1);
  EXPECT_TRUE(titles.contains("Anzeigen")) << titles.join(", ").toStdString();
  EXPECT_TRUE(titles.contains("Stufen")) << titles.join(", ").toStdString();
  CloseAndFinish(*program);
}

// A puzzle that lets the player choose its size: the browser gives it a
// custom line, and opening that asks for the size, checked before the
// game is cut; cancelling the question brings the browser back.
TEST_F(BrowserFlowTest, ACustomLineAsksTheSizeAndChecksIt) {
  Puz pond;
  pond.title = "Pond";
  pond.level_rows = {3};
  pond.level_columns = {4};
  pond.state = kStateOwnLevels;
  const Dib photo = testing::SyntheticPhoto(400, 300);
  ASSERT_EQ(
      WritePuzzleFile(pond, (directory_ / "Pond.puz").c_str(), nullptr, {&photo, nullptr}, nullptr)
          .code(),
      0);
  testing::CopyFromBuiltProgram(directory_, {"cbsteng.html"});
  auto program = Start();

  testing::RecordingSink reports;
  testing::HelpPagesAsked asked;
  int sizes_asked = 0;
  std::string grid, help;
  QTimer answers;
  QObject::connect(&answers, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* edit = modal ? ControlOf<QLineEdit>(modal, kPiecesEdit) : nullptr;
    if (!edit) return;
    ++sizes_asked;
    if (sizes_asked == 1) {
      Press(edit, Qt::Key_F1);
      help = asked.last();
      Press(edit, Qt::Key_Escape);
      return;
    }
    // Too few pieces first: told, and asked again.
    edit->setText("2");
    ControlOf<QPushButton>(modal, kCommandOk)->click();
    edit->clear();
    edit->insert("3x5");
    grid = ControlOf<QLabel>(modal, kPiecesGrid)->text().toStdString();
    ControlOf<QPushButton>(modal, kCommandOk)->click();
  });
  answers.start(20);
  BrowserHand hand([&](QWidget* dialog) {
    auto* list = ControlOf<QListWidget>(dialog, kBrowserList);
    list->setCurrentRow(1);  // the pond's custom line follows its one level
    ControlOf<QPushButton>(dialog, kBrowserOpen)->click();
  });
  Open(*program);
  EXPECT_EQ(hand.times, 2) << "the browser is back after the size was not given";
  EXPECT_EQ(sizes_asked, 2);
  EXPECT_EQ(help, "cbsteng.html#ctx" + std::to_string(kHelpTopicCustomSize));
  ASSERT_EQ(reports.reports.size(), 1u) << "the two pieces";
  EXPECT_NE(reports.texts()[0].find("4 pieces"), std::string::npos) << reports.texts()[0];
  EXPECT_NE(grid.find("3"), std::string::npos) << grid;
  EXPECT_NE(grid.find("15"), std::string::npos) << grid;
  Puz& puz = *program->puzzle();
  EXPECT_EQ(std::string(puz.file_path.c_str()), (directory_ / "Pond.puz").string());
  EXPECT_EQ(puz.level, kCustomLevel);
  EXPECT_EQ(puz.cut.pieces.size(), 15u);
  CloseAndFinish(*program);
}

// Starting with nothing, with the last game remembered, with a saved game
// of the puzzles folder, and dropping a puzzle on the table.
TEST_F(BrowserFlowTest, EveryWayInGoesThroughTheBrowserButASavedGame) {
  {
    // Nothing played before: the browser with nothing chosen; closed, the
    // table stays empty.
    auto program = Make();
    testing::BrowserAnswerer browser;
    ASSERT_TRUE(program->Start(""));
    EXPECT_EQ(browser.shown, 1);
    EXPECT_TRUE(program->puzzle()->cut.pieces.empty());
    CloseAndFinish(*program);
  }
  // The last puzzle played is chosen, even when remembered elsewhere.
  {
    auto program = Make();
    program->settings().Write("LastPuz", "/somewhere/else/Two Good Dogs.puz");
    testing::BrowserAnswerer browser;
    ASSERT_TRUE(program->Start(""));
    EXPECT_EQ(browser.shown, 1);
    EXPECT_EQ(std::string(program->puzzle()->file_path.c_str()), (directory_ / kDogs).string());
    EXPECT_EQ(program->puzzle()->level, 0);
    // A saved game of the folder is resumed at once.
    Puz& puz = *program->puzzle();
    puz.saved_title = VString("Later");
    puz.saved_game_path = VString((directory_ / "Later.sav").string());
    puz.state |= kGameHasSaveFile;
    ASSERT_EQ(program->saver()->SaveGame(0).code(), 0);
    CloseAndFinish(*program);
  }
  {
    auto program = Make();
    testing::BrowserAnswerer browser;
    ASSERT_TRUE(program->Start((directory_ / "Later.sav").string()));
    EXPECT_EQ(browser.shown, 0);
    EXPECT_EQ(std::string(program->puzzle()->saved_game_path.c_str()),
              (directory_ / "Later.sav").string());
    // A puzzle dropped on the table brings the browser for it.
    fs::copy_file(kBuiltProgram / kFigs, directory_ / kFigs);
    Event dropped = MakeEvent(kEventFilesDropped, FilesPayload{{(directory_ / "notes.txt").string(),
                                                                (directory_ / kFigs).string()}});
    program->table()->Dispatch(dropped);
    EXPECT_TRUE(dropped.handled());
    EXPECT_EQ(browser.shown, 1);
    EXPECT_EQ(std::string(program->puzzle()->file_path.c_str()), (directory_ / kFigs).string());
    CloseAndFinish(*program);
  }
}

TEST_F(BrowserFlowTest, ClosingTheBrowserLeavesTheTableEmptyAndTheStoreButtonWritesTheChoices) {
  auto program = Start();
  ASSERT_FALSE(program->puzzle()->cut.pieces.empty());
  BrowserHand hand([&](QWidget* dialog) {
    ControlOf<QCheckBox>(dialog, kBrowserShowNew)->click();
    EXPECT_EQ(ControlOf<QListWidget>(dialog, kBrowserList)->count(), 0);
    ControlOf<QCheckBox>(dialog, kBrowserShowNew)->click();
    ControlOf<QCheckBox>(dialog, kBrowserMosaic)->click();
    ControlOf<QPushButton>(dialog, kBrowserStore)->click();
    ControlOf<QPushButton>(dialog, kBrowserClose)->click();
  });
  Open(*program);
  EXPECT_EQ(hand.times, 1);
  // The game went as the browser came: the player chose nothing new.
  EXPECT_TRUE(program->puzzle()->cut.pieces.empty());
  EXPECT_EQ(program->settings().ReadNumber(kKeyBrowserMosaic, kSectionBrowser), 1);
  EXPECT_EQ(std::string(program->settings().Read(kKeyBrowserStatus, kSectionBrowser).c_str()),
            "OA");
  CloseAndFinish(*program);
}

TEST_F(BrowserFlowTest, ASavedGameChosenInTheBrowserIsResumed) {
  auto program = Start();
  Puz& puz = *program->puzzle();
  const std::size_t first_level = puz.cut.pieces.size();
  const std::string saved = (directory_ / "Evening.sav").string();
  puz.saved_title = VString("Evening");
  puz.saved_game_path = VString(saved);
  puz.state |= kGameHasSaveFile;
  ASSERT_EQ(program->saver()->SaveGame(0).code(), 0);

  // Another level first, then the saved game, the last line.
  const auto choose = [](bool last) {
    return [last](QWidget* dialog) {
      auto* list = ControlOf<QListWidget>(dialog, kBrowserList);
      list->setCurrentRow(last ? list->count() - 1 : 1);
      ControlOf<QPushButton>(dialog, kBrowserOpen)->click();
    };
  };
  {
    BrowserHand hand(choose(false));
    Open(*program);
    ASSERT_EQ(hand.times, 1);
  }
  EXPECT_NE(puz.cut.pieces.size(), first_level);
  {
    BrowserHand hand(choose(true));
    Open(*program);
    ASSERT_EQ(hand.times, 1);
  }
  EXPECT_EQ(puz.cut.pieces.size(), first_level);
  EXPECT_EQ(std::string(puz.saved_game_path.c_str()), saved);
  EXPECT_EQ(std::string(program->settings().Read("LastPuz").c_str()), saved);
  CloseAndFinish(*program);
}

}  // namespace
}  // namespace cbst
