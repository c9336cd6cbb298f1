// The program from start to end, in a program directory of its own with a
// temporary home, under the offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <tuple>

#include <unistd.h>

#include "app/game_events.h"
#include "app/open_from_shell.h"
#include "app/options.h"
#include "app/program.h"
#include "app/saved_games.h"
#include "gfx/pixel_access.h"
#include "platform/platform_window_qt.h"
#include "platform/profile.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "play/game_score.h"
#include "play/wbox.h"
#include "play/wpuz.h"
#include "play/wsaveas.h"
#include "support/box_answerer.h"
#include "support/browser_answerer.h"
#include "support/control_of.h"
#include "support/desktop_home.h"
#include "support/file_text.h"
#include "support/program_launcher.h"
#include "support/recording_sink.h"
#include "text/traductor.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr char kSample[] = "Two Good Dogs.puz";

using testing::BoxAnswerer;
using testing::FileText;
using testing::kBuiltProgram;

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    home_ = std::make_unique<testing::DesktopHome>("start_up_" + name);
    directory_ = home_->root() / "program";
    testing::CopyFromBuiltProgram(directory_, {"CS21eng.dix", kSample});
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "en_GB.UTF-8", 1);
  }
  void TearDown() override { fs::permissions(directory_, fs::perms::owner_all); }

  std::unique_ptr<Program> MakeProgram() { return launcher_.Make(directory_); }
  // A program started with the sample puzzle on its command line.
  std::unique_ptr<Program> StartWithSample() {
    auto program = MakeProgram();
    EXPECT_TRUE(program->Start(Quoted(directory_ / kSample)));
    return program;
  }
  static std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }
  // Lets the table take back the keyboard and the activation from the
  // browser that started the game, as it does before a player's first move.
  static void Settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kSettleMs)
      QApplication::processEvents(QEventLoop::AllEvents, kSettleMs);
  }
  static constexpr int kSettleMs = 100;
  static int CloseAndFinish(Program& program) {
    return testing::ProgramLauncher::CloseAndFinish(program);
  }

  testing::ProgramLauncher launcher_;
  std::unique_ptr<testing::DesktopHome> home_;
  fs::path directory_;
};

TEST_F(StartUpTest, APuzzleOnTheCommandLineIsPlayedAndTheOptionsAreSavedAtTheEnd) {
  testing::RecordingSink sink;
  auto program = MakeProgram();
  const std::string puzzle = (directory_ / kSample).string();
  ASSERT_TRUE(program->Start("\"" + puzzle + "\""));
  ASSERT_NE(program->table(), nullptr);
  EXPECT_EQ(program->puzzle()->cut.pieces.size(), 24u) << "the first level, 6 x 4";
  ASSERT_NE(program->score(), nullptr);
  EXPECT_EQ(program->score()->clock_state(), ClockState::kRunning) << "the game is timed";
  EXPECT_FALSE(program->program_directory_read_only());
  const fs::path settings = directory_ / "cbst.ini";
  EXPECT_NE(FileText(settings).find("LastPuz=" + puzzle), std::string::npos);
  EXPECT_EQ(FileText(settings).find("Options="), std::string::npos);
  // The table shows what the board holds: a piece is drawn where it lies.
  EXPECT_TRUE(program->table()->exists());

  EXPECT_EQ(CloseAndFinish(*program), 0);
  EXPECT_NE(FileText(settings).find("Options=0"), std::string::npos);
  EXPECT_NE(FileText(settings).find("Loupe=150,2"), std::string::npos);
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_TRUE(fs::exists(home_->data() / "applications" / "cobblestack.desktop"));
}

TEST_F(StartUpTest, TheSettingsFollowFileProfile) {
  std::ofstream(directory_ / "cbst.ini") << "[Main]\nFileProfile=elsewhere\n";
  auto program = MakeProgram();
  EXPECT_EQ(program->settings().path(), (directory_ / "elsewhere.ini").string());
  ASSERT_TRUE(program->Start(""));
  EXPECT_EQ(program->puzzle()->cut.pieces.size(), 0u) << "nothing was played before";
  EXPECT_EQ(CloseAndFinish(*program), 0);
  EXPECT_NE(FileText(directory_ / "elsewhere.ini").find("Options="), std::string::npos);
  EXPECT_EQ(FileText(directory_ / "cbst.ini").find("Options="), std::string::npos);
}

TEST_F(StartUpTest, ASpanishSystemGetsTheSpanishDictionary) {
  fs::copy_file(kBuiltProgram / "CS21eng.dix", directory_ / "CS21cas.dix");
  fs::create_directories(home_->config());
  std::ofstream(home_->config() / "win.ini") << "[Intl]\nsLanguage=esn\n";
  auto program = MakeProgram();
  ASSERT_TRUE(program->Start(""));
  ASSERT_NE(Traductor::Instance(), nullptr);
  EXPECT_EQ(std::string(Traductor::Instance()->language().c_str()), "cas");
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, WithoutADictionaryTheProgramEndsBeforeAnyWindow) {
  fs::remove(directory_ / "CS21eng.dix");
  testing::RecordingSink sink;
  auto program = MakeProgram();
  EXPECT_FALSE(program->Start(""));
  EXPECT_NE(program->exit_code(), 0);
  EXPECT_EQ(program->table(), nullptr);
  EXPECT_TRUE(Application::Instance()->windows().empty());
  EXPECT_FALSE(sink.reports.empty());
}

TEST_F(StartUpTest, APuzzleElsewhereIsOpenedAfterAWarning) {
  const fs::path elsewhere = home_->root() / "elsewhere";
  fs::create_directories(elsewhere);
  fs::copy_file(directory_ / kSample, elsewhere / kSample);
  auto program = MakeProgram();
  BoxAnswerer answerer(true);
  ASSERT_TRUE(program->Start((elsewhere / kSample).string()));
  ASSERT_EQ(answerer.texts.size(), 1u);
  EXPECT_NE(answerer.texts[0].find("different than the one where is the Cobblestack program"),
            std::string::npos);
  EXPECT_EQ(program->puzzle()->cut.pieces.size(), 24u);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, AReadOnlyProgramDirectoryIsToldAndCancelEndsTheProgram) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write anywhere";
  // The settings are kept elsewhere, as the program directory cannot hold them.
  std::ofstream(directory_ / "cbst.ini")
      << "[Main]\nFileProfile=" << (home_->root() / "settings.ini").string() << "\n";
  fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
  {
    auto program = MakeProgram();
    BoxAnswerer answerer(true);
    ASSERT_TRUE(program->Start(""));
    EXPECT_TRUE(program->program_directory_read_only());
    EXPECT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }
  auto program = MakeProgram();
  BoxAnswerer answerer(false);
  EXPECT_FALSE(program->Start(""));
  EXPECT_EQ(program->exit_code(), 0);
  EXPECT_EQ(answerer.texts.size(), 1u);
}

TEST_F(StartUpTest, SettingsThatCannotBeWrittenLeaveTheOpenedGameOnTheTable) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write anywhere";
  const fs::path elsewhere = home_->root() / "elsewhere";
  fs::create_directories(elsewhere);
  fs::copy_file(directory_ / kSample, elsewhere / kSample);
  // The last game played is still named in the settings, which cannot
  // learn of the new one.
  std::ofstream(directory_ / "cbst.ini") << "[Main]\nWelcomeDone230=Yes\nPGManInstl210=1\nLastPuz="
                                         << (directory_ / "Earlier.sav").string() << "\n";
  fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
  testing::RecordingSink sink;
  auto program = MakeProgram();
  const BoxAnswerer answerer(true);  // the read-only folder, the puzzle elsewhere
  ASSERT_TRUE(program->Start((elsewhere / kSample).string()));
  Application::Instance()->ProcessPending();
  EXPECT_EQ(program->puzzle()->file_path.view(), (elsewhere / kSample).string());
  EXPECT_EQ(program->puzzle()->cut.pieces.size(), 24u);
  for (const std::string& text : sink.texts())
    ADD_FAILURE() << "reported: " << text;
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, TheEmptyTableHintIsShownThreeTimesInTheLifeOfTheInstallation) {
  const std::string puzzle = Quoted(directory_ / kSample);
  std::size_t hints = 0;
  for (int run = 0; run < 2; ++run) {
    auto program = MakeProgram();
    ASSERT_TRUE(program->Start(puzzle));
    Settle();
    WPuz& table = *program->table();
    program->puzzle()->game_flags |= kGameNoPreview;
    const Rect16 empty = table.AssemblyArea();
    BoxAnswerer answerer(true);
    for (int click = 0; click < 2; ++click) {
      Event press = MakeEvent(kEventMouse, MousePayload{kMouseLeftDown, empty.x + empty.width / 2,
                                                        empty.y + empty.height / 2, 0});
      table.Dispatch(press);
    }
    for (const std::string& text : answerer.texts)
      EXPECT_NE(text.find("drag it with the left mouse button"), std::string::npos) << text;
    hints += answerer.texts.size();
    EXPECT_EQ(answerer.texts.size(), run == 0 ? 2u : 1u) << run;
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }
  EXPECT_EQ(hints, 3u);
  EXPECT_NE(FileText(directory_ / "cbst.ini").find("nSayClick2=3"), std::string::npos);
}

TEST_F(StartUpTest, TheOptionToDragOnlyTheGrabbedPieceReachesTheTable) {
  std::ofstream(directory_ / "cbst.ini") << "[Main]\nOptions=2\n";
  auto program = StartWithSample();
  Settle();
  WPuz& table = *program->table();
  program->puzzle()->game_flags |= kGameNoPreview;
  Board& board = table.board();
  // Piece 0 and its neighbour across side 2, its right in the cut, joined.
  const int grabbed = 0;
  const int other = board.piece(grabbed).neighbour[kRight];
  // The rest lie out of the way, where no drop below can join them.
  for (int index = 0; index < board.piece_count(); ++index)
    if (index != grabbed && index != other) board.MovePiece(index, kMoveRedraw, 600, 600);
  while (board.piece(other).rotation != board.piece(grabbed).rotation)
    board.Rotate(other, nullptr, 1, false);
  board.MovePiece(grabbed, kMoveRedraw, 200, 200);
  const auto [place_x, place_y] = board.ExactPlace(grabbed, other);
  board.MovePiece(other, kMoveRedraw, place_x, place_y);
  ASSERT_EQ(board.TryJoin(grabbed), other);

  const auto mouse = [&](int subcode, int x, int y) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, 0});
    table.Dispatch(event);
  };
  const auto drag = [&](int dx, int dy, const auto& while_carried) {
    board.BringToFront(grabbed, 0);
    const Rect16 cell = board.piece(grabbed).board;
    const int x = cell.x + cell.width / 2, y = cell.y + cell.height / 2;
    mouse(kMouseLeftDown, x, y);
    mouse(kMouseLeftDrag, x + dx, y + dy);
    while_carried();
    mouse(kMouseLeftUp, x + dx, y + dy);
    EXPECT_EQ(board.piece(grabbed).board.x, cell.x + dx);
    EXPECT_EQ(board.piece(other).board.x, board.ExactPlace(grabbed, other).first)
        << "the group lies together after the drop";
    EXPECT_EQ(board.piece(other).board.y, board.ExactPlace(grabbed, other).second);
  };
  drag(40, 30, [&] {
    EXPECT_TRUE(board.carried_group().empty()) << "only the grabbed piece is carried";
    EXPECT_EQ(board.piece(other).board.x, place_x) << "its group waits for the drop";
    EXPECT_EQ(board.piece(other).board.y, place_y);
  });

  // Changed while the program runs, the option takes effect at once.
  ProgramOptions().bits &= ~kOptionsDragGrabbedPiece;
  program->ApplyOptions();
  drag(-40, -30,
       [&] { EXPECT_EQ(board.carried_group().size(), 2u) << "the whole group is carried"; });
  // The game has changed: closing it without saving.
  const BoxAnswerer no(false, QMessageBox::No);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, PicturesSavedGamesAndSetupWordsAreToldWhatTheyAre) {
  // A picture that cannot be read is refused as such, a saved game named
  // for what it is, and the program goes on with an empty table.
  const std::pair<const char*, const char*> files[] = {
      {"harbour.JPG", "could not be loaded"},
      {"harbour.jpeg", "could not be loaded"},
      {"scan.bmp", "could not be loaded"},
      {"evening.sav", "is not a puzzle, a saved game or a picture"},
  };
  for (const auto& [name, told] : files) {
    SCOPED_TRACE(name);
    const std::string path = (directory_ / name).string();
    std::ofstream(path) << "whatever it holds";
    testing::RecordingSink sink;
    auto program = MakeProgram();
    ASSERT_TRUE(program->Start(Quoted(path)));
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_NE(sink.texts()[0].find(told), std::string::npos) << sink.texts()[0];
    EXPECT_NE(sink.texts()[0].find(path), std::string::npos) << sink.texts()[0];
    EXPECT_EQ(program->puzzle()->cut.pieces.size(), 0u);
    EXPECT_EQ(CloseAndFinish(*program), 0);
  }

  // An installation word is told, and the program ends without playing.
  for (const char* words : {"@setup", "@remove", "@instalprogman /lang:deu", "x@instalpack@a"}) {
    SCOPED_TRACE(words);
    testing::RecordingSink sink;
    auto program = MakeProgram();
    EXPECT_FALSE(program->Start(words));
    EXPECT_EQ(program->exit_code(), 0);
    EXPECT_EQ(program->table(), nullptr);
    EXPECT_TRUE(Application::Instance()->windows().empty());
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_NE(sink.texts()[0].find("installs or removes Cobblestack"), std::string::npos)
        << sink.texts()[0];
  }
}

// The program's start-up makes running out of memory end it with its
// message and exit code -1. The sanitizers' operator new never calls the
// handler.
#ifndef __SANITIZE_ADDRESS__
TEST_F(StartUpTest, RunningOutOfMemoryEndsTheProgramWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        auto program = MakeProgram();
        std::vector<char> huge;
        huge.reserve(std::numeric_limits<std::size_t>::max() / 2);
      },
      ::testing::ExitedWithCode(255), "Memory allocation failed");
}
#endif

// The line of the image sheet along piece 0's own top side: a border of the
// picture, with no tab, whatever way the piece lies.
std::vector<std::uint32_t> TopBorderOfFirstPiece(const Puz& puz) {
  const SPuz& corner = puz.cut.pieces[0];
  const Rect16& cell = corner.cell;
  const int screen_side = (kSideTop + corner.rotation) % kSideCount;
  const bool across = screen_side == kSideTop || screen_side == kSideBottom;
  const int fixed = screen_side == kSideLeft    ? cell.x
                    : screen_side == kSideTop   ? cell.y
                    : screen_side == kSideRight ? cell.LastColumn()
                                                : cell.LastRow();
  const PixelView image = puz.sheets.image->pixels();
  std::vector<std::uint32_t> line;
  for (int along = across ? cell.x : cell.y; along <= (across ? cell.LastColumn() : cell.LastRow());
       ++along)
    line.push_back(LoadPixel(across ? image.At(along, fixed) : image.At(fixed, along), 4) &
                   0xFFFFFF);
  return line;
}

TEST_F(StartUpTest, TheOptionsForNewGamesReachTheNextGameThatOpens) {
  // No preview (0x200) and hidden boxes (0x80), pieces turned pixel by pixel.
  std::ofstream(directory_ / "cbst.ini") << "[Main]\nOptions=640\nForceDIRotate=1\n";
  const std::string puzzle = (directory_ / kSample).string();
  auto program = MakeProgram();
  ASSERT_TRUE(program->Start("\"" + puzzle + "\""));
  WPuz& table = *program->table();
  const Puz& game = *program->puzzle();
  const auto boxes_shown = [&] {
    int shown = 0;
    for (int box = 0; box < table.boxes().count(); ++box)
      shown += WidgetOf(table.boxes().window(box)->platform_window())->isVisible();
    return shown;
  };
  const auto black_border = [&] {
    const std::vector<std::uint32_t> border = TopBorderOfFirstPiece(game);
    return border == std::vector<std::uint32_t>(border.size(), 0);
  };
  EXPECT_EQ(game.game_flags, kGameNoPreview | kGameHideBoxes);
  EXPECT_TRUE(table.PreviewPlace().Empty());
  EXPECT_EQ(boxes_shown(), 0);
  EXPECT_NE(game.sheets.shader, ShaderKind::kGrey);
  EXPECT_FALSE(black_border()) << "the picture's colours light the outlines";
  EXPECT_NE(game.sheets.force_pixel_turning, 0) << "the turns of this game go pixel by pixel";

  // Changed while a game runs, the options wait for the next game: grey
  // shading draws a lone piece's outline black.
  ProgramOptions().bits = kOptionsGreyShading;
  ProgramOptions().forced_rotation = 0;
  EXPECT_NE(game.sheets.force_pixel_turning, 0);
  const GamePlaces places{program->settings(), program->program_directory()};
  ASSERT_TRUE(OpenFromCommandLine(*program->puzzle(), table, places, puzzle).ok());
  EXPECT_EQ(game.game_flags, 0u);
  EXPECT_FALSE(table.PreviewPlace().Empty());
  EXPECT_EQ(boxes_shown(), 6);
  EXPECT_EQ(game.sheets.shader, ShaderKind::kGrey);
  EXPECT_TRUE(black_border());
  EXPECT_EQ(game.sheets.force_pixel_turning, 0);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

// Answers the save-as dialog once it is up: names the game and confirms,
// and keeps the title it proposed.
class SaveAsAnswerer {
 public:
  SaveAsAnswerer(const QString& title, const QString& player) {
    QObject::connect(&timer_, &QTimer::timeout, [this, title, player] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog || qobject_cast<QMessageBox*>(dialog)) return;
      const auto control = [dialog](int id) { return testing::ControlOf(dialog, id); };
      auto* title_edit = qobject_cast<QLineEdit*>(control(kSaveAsTitle));
      auto* player_edit = qobject_cast<QLineEdit*>(control(kSaveAsPlayer));
      auto* ok = qobject_cast<QPushButton*>(control(static_cast<int>(kCommandOk)));
      if (!title_edit || !player_edit || !ok) return;
      proposed = title_edit->text().toStdString();
      title_edit->setText(title);
      player_edit->setText(player);
      ok->click();
    });
    timer_.start(20);
  }
  std::string proposed;

 private:
  QTimer timer_;
};

TEST_F(StartUpTest, AGameSavedOnceIsSavedOnTheWayOutAndResumedFromTheCommandLine) {
  auto program = StartWithSample();
  WPuz& table = *program->table();
  Board& board = table.board();
  const auto drag = [&](int piece, int dx, int dy) {
    board.BringToFront(piece, 0);
    const Rect16 cell = board.piece(piece).board;
    const int x = cell.x + cell.width / 2, y = cell.y + cell.height / 2;
    for (const auto& [subcode, at_x, at_y] :
         {std::tuple{kMouseLeftDown, x, y}, std::tuple{kMouseLeftDrag, x + dx, y + dy},
          std::tuple{kMouseLeftUp, x + dx, y + dy}}) {
      Event event = MakeEvent(kEventMouse, MousePayload{subcode, at_x, at_y, 0});
      table.Dispatch(event);
    }
  };
  drag(3, 50, 40);
  ASSERT_NE(program->puzzle()->state & kGameChanged, 0u);

  // The first save asks for a name, then says it is done; the name's
  // accent reaches the file name as UTF-8.
  const fs::path saved = directory_ / "Evening caf\u00E9.sav";
  {
    const SaveAsAnswerer names("Evening caf\u00E9", "Ana");
    const BoxAnswerer done(true);
    Event save = MakeEvent(kEventCommand, CommandPayload{kCommandSave});
    table.Dispatch(save);
    const std::size_t pieces = program->puzzle()->cut.pieces.size();
    EXPECT_EQ(names.proposed, "Two Good Dogs-" + std::to_string(pieces));
    ASSERT_EQ(done.texts.size(), 1u);
    EXPECT_NE(done.texts[0].find("saved"), std::string::npos) << done.texts[0];
  }
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_EQ(program->puzzle()->state & kGameChanged, 0u);
  EXPECT_EQ(std::string(program->settings().Read(kKeyLastPuzzle).c_str()), saved.string());

  // Changed again, the game is saved under its name on the way out.
  drag(5, -60, 30);
  std::vector<SPuz> pieces = program->puzzle()->cut.pieces;
  const ScoreCounts counts = program->score()->counts();
  EXPECT_EQ(counts.moves, 2);
  {
    const BoxAnswerer yes(false, QMessageBox::Yes);
    EXPECT_EQ(CloseAndFinish(*program), 0);
    ASSERT_EQ(yes.texts.size(), 1u);
    EXPECT_NE(yes.texts[0].find("changed since it was last saved"), std::string::npos);
  }
  program.reset();

  // Named on the command line, the game goes on where it was left.
  auto again = MakeProgram();
  ASSERT_TRUE(again->Start(Quoted(saved)));
  // Told that the last game changed, the table keeps the game it has.
  Application::Instance()->ProcessPending();
  const Puz& resumed = *again->puzzle();
  ASSERT_EQ(resumed.cut.pieces.size(), pieces.size());
  for (std::size_t index = 0; index < pieces.size(); ++index) {
    EXPECT_EQ(resumed.cut.pieces[index].board, pieces[index].board) << index;
    EXPECT_EQ(resumed.cut.pieces[index].rotation, pieces[index].rotation) << index;
  }
  EXPECT_EQ(resumed.saved_title, "Evening caf\xE9");
  EXPECT_EQ(resumed.player, "Ana");
  EXPECT_EQ(again->score()->moves(), 2);
  EXPECT_EQ(again->score()->clock_state(), ClockState::kRunning);
  EXPECT_GE(again->score()->Elapsed(), counts.elapsed);
  // Nothing changed since: closing asks nothing.
  const BoxAnswerer none(false);
  EXPECT_EQ(CloseAndFinish(*again), 0);
  EXPECT_TRUE(none.texts.empty());
}

TEST_F(StartUpTest, AutomaticSavesFollowJoinsAndTheMinuteAndQuittingSavesWithoutAsking) {
  auto program = StartWithSample();
  Puz& puz = *program->puzzle();
  GameSaver& saver = *program->saver();
  puz.game_flags |= kGameAutoSave;
  {
    // Named once, through the dialog Ctrl+A shows; its box keeps the
    // automatic saves on.
    const SaveAsAnswerer names("Autumn", "Ana");
    Event save_as = MakeEvent(kEventCommand, CommandPayload{kCommandSaveAs});
    program->table()->Dispatch(save_as);
  }
  const fs::path saved = directory_ / "Autumn.sav";
  ASSERT_TRUE(fs::exists(saved));
  ASSERT_NE(puz.game_flags & kGameAutoSave, 0u);
  const auto bytes = [&saved] { return FileText(saved); };

  // A move within the minute waits; one a minute later is saved, and the
  // game stays changed; a join is saved at once.
  Board& board = program->table()->board();
  const std::string first = bytes();
  board.MovePiece(4, kMoveRedraw, 300, 300);
  puz.state |= kGameChanged;
  saver.AutoSave(kAutoSaveWhenDue | kAutoSaveAutomatic);
  EXPECT_EQ(bytes(), first) << "saved again within the minute";
  puz.last_save_tick -= kAutoSaveInterval;
  saver.AutoSave(kAutoSaveWhenDue | kAutoSaveAutomatic);
  const std::string second = bytes();
  EXPECT_NE(second, first);
  EXPECT_NE(puz.state & kGameChanged, 0u) << "an automatic save leaves the game changed";
  board.MovePiece(4, kMoveRedraw, 320, 310);
  saver.AutoSave(kAutoSaveUrgent | kAutoSaveAutomatic);
  EXPECT_NE(bytes(), second) << "a join is saved at once";

  // On the way out the changed game is saved without a question.
  board.MovePiece(4, kMoveRedraw, 340, 330);
  const std::string before_quit = bytes();
  const BoxAnswerer none(false);
  EXPECT_EQ(CloseAndFinish(*program), 0);
  EXPECT_TRUE(none.texts.empty());
  EXPECT_NE(bytes(), before_quit);
}

TEST_F(StartUpTest, RebuildingAGameKeepsItsPiecesAndLeavesNoFileBehind) {
  auto program = StartWithSample();
  Puz& puz = *program->puzzle();
  program->table()->board().MovePiece(2, kMoveRedraw, 700, 500);
  program->table()->board().MoveToWindow(5, 1, 10, 10);
  const std::vector<SPuz> before = puz.cut.pieces;
  const std::uint32_t seed = puz.game_seed;
  ASSERT_TRUE(program->saver()->Rebuild().ok());
  ASSERT_EQ(puz.cut.pieces.size(), before.size());
  for (std::size_t index = 0; index < before.size(); ++index) {
    EXPECT_EQ(puz.cut.pieces[index].board, before[index].board) << index;
    EXPECT_EQ(puz.cut.pieces[index].box, before[index].box) << index;
  }
  EXPECT_EQ(puz.game_seed, seed);
  EXPECT_NE(puz.state & kGameChanged, 0u) << "the rebuilt game still needs saving";
  EXPECT_EQ(puz.state & kGameHasSaveFile, 0u) << "a game never saved has no file yet";
  for (const auto& entry : fs::directory_iterator(directory_))
    EXPECT_NE(entry.path().extension(), ".sav") << entry.path();
  const BoxAnswerer no(false, QMessageBox::No);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, CancellingTheQuestionOnTheWayOutKeepsTheGameAndItsClock) {
  auto program = StartWithSample();
  program->puzzle()->state |= kGameChanged;
  {
    const BoxAnswerer cancel(false, QMessageBox::Cancel);
    Event close = MakeEvent(kEventCommand, CommandPayload{kCommandClose});
    program->table()->Dispatch(close);
    EXPECT_EQ(cancel.texts.size(), 1u);
  }
  EXPECT_TRUE(program->table()->exists());
  EXPECT_FALSE(program->puzzle()->cut.pieces.empty());
  EXPECT_EQ(program->score()->clock_state(), ClockState::kRunning);
  EXPECT_EQ(program->score()->pause_depth(), 0);
  const BoxAnswerer no(false, QMessageBox::No);
  EXPECT_EQ(CloseAndFinish(*program), 0);
  EXPECT_TRUE(fs::directory_iterator(directory_) != fs::directory_iterator());
  for (const auto& entry : fs::directory_iterator(directory_))
    EXPECT_NE(entry.path().extension(), ".sav") << "nothing saved after No";
}

TEST_F(StartUpTest, ASaveThatFailsOnTheWayOutIsToldAndKeepsTheGame) {
  auto program = StartWithSample();
  Puz& puz = *program->puzzle();
  // Its file cannot be written: a folder has its name.
  const fs::path blocked = directory_ / "Blocked.sav";
  fs::create_directory(blocked);
  puz.saved_game_path = VString(blocked.string());
  puz.saved_title = "Blocked";
  puz.state |= kGameHasSaveFile | kGameChanged;
  {
    testing::RecordingSink sink;
    const BoxAnswerer yes(false, QMessageBox::Yes);
    Event close = MakeEvent(kEventCommand, CommandPayload{kCommandClose});
    program->table()->Dispatch(close);
    EXPECT_EQ(yes.texts.size(), 1u);
    ASSERT_EQ(sink.texts().size(), 1u) << "the failed save is not told";
    EXPECT_NE(sink.texts()[0].find("Blocked.sav"), std::string::npos) << sink.texts()[0];
  }
  EXPECT_TRUE(program->table()->exists());
  EXPECT_FALSE(puz.cut.pieces.empty());
  EXPECT_NE(puz.state & kGameChanged, 0u);
  const BoxAnswerer no(false, QMessageBox::No);
  EXPECT_EQ(CloseAndFinish(*program), 0);
}

TEST_F(StartUpTest, ClosingTheTableAnyWayQuitsTheGameAndEndsTheProgram) {
  // The window manager's close (its button, Alt+F4), the close request and
  // the end of the session.
  for (const std::uint32_t request : {0u, kCommandClose, kCommandEndSession}) {
    SCOPED_TRACE(request);
    auto program = StartWithSample();
    WPuz* table = program->table();
    int boxes_shown = 0;
    for (int box = 0; box < table->boxes().count(); ++box)
      boxes_shown += WidgetOf(table->boxes().window(box)->platform_window())->isVisible();
    ASSERT_EQ(boxes_shown, 6);
    if (request == 0) {
      WidgetOf(table->platform_window())->close();
    } else {
      Event close = MakeEvent(kEventCommand, CommandPayload{request, 0});
      table->Dispatch(close);
    }
    ASSERT_TRUE(Application::Instance()->Holds(table)) << "the quit closes the table when done";
    for (int box = 0; box < table->boxes().count(); ++box)
      EXPECT_FALSE(WidgetOf(table->boxes().window(box)->platform_window())->isVisible())
          << "the quit put the boxes away first";
    EXPECT_EQ(program->Finish(), 0);
    EXPECT_TRUE(Application::Instance()->windows().empty());
  }
}

}  // namespace
}  // namespace cbst
