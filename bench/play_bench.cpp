// play_bench.cpp: the board operations whose cost grows with the puzzle:
// opening a puzzle, spreading a new game, re-placing a large group and
// walking it, painting the table, one drag step on the table window, and
// one step of the loupe following the mouse over it.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unordered_set>
#include <utility>

#include "gfx/display_probe.h"
#include "image/bmp_file.h"
#include "platform/platform_window_qt.h"
#include "play/board.h"
#include "play/board_painter.h"
#include "play/virtual_table.h"
#include "play/wloupe.h"
#include "play/wpuz.h"
#include "puzzle/cut.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/random.h"
#include "puzzle/table_picture.h"
#include "support/recording_host.h"
#include "support/synthetic_photo.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

// A 1350 x 760 picture (about half a full-HD table) cut into about
// `pieces` pieces, unturned.
Puz CutGame(int pieces) {
  const int rows = static_cast<int>(std::lround(std::sqrt(pieces * 9.0 / 16.0)));
  CutRequest request{1350, 760, rows, pieces / rows};
  request.no_rotation = true;
  Random random;
  random.Seed(12345);
  Puz puz;
  puz.cut = CutPieces(request, random);
  for (SPuz& piece : puz.cut.pieces)
    UpdatePlacement(piece);
  return puz;
}

// Every inner side joined: the whole cut is one group.
void JoinEverything(Puz& puz) {
  for (SPuz& piece : puz.cut.pieces) {
    for (int side = 0; side < kSideCount; ++side) {
      if (piece.neighbour[side] != kNoNeighbour) piece.joined_sides |= 1u << side;
    }
  }
}

// Spreading a new game over the free part of a full-HD table.
void BM_Scatter(benchmark::State& state) {
  Puz puz = CutGame(static_cast<int>(state.range(0)));
  testing::RecordingHost host;
  host.covered = {host.assembly};
  Board board(puz, host);
  ProgramRandom().Seed(1);
  for (auto _ : state)
    benchmark::DoNotOptimize(board.Scatter(kTableWindow, false, false));
  state.counters["pieces"] = board.piece_count();
}
BENCHMARK(BM_Scatter)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The re-placement a drop makes when it joins a piece to a 1000-piece
// group: every member moves to its exact place.
void BM_ReplaceGroup(benchmark::State& state) {
  Puz puz = CutGame(static_cast<int>(state.range(0)));
  JoinEverything(puz);
  testing::RecordingHost host;
  Board board(puz, host);
  int shift = 0;
  for (auto _ : state) {
    shift = 1 - shift;
    board.MovePiece(0, 0, 100 + shift, 100);
    board.Replace(0, false);
  }
  state.counters["pieces"] = board.piece_count();
}
BENCHMARK(BM_ReplaceGroup)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_GroupOf(benchmark::State& state) {
  Puz puz = CutGame(static_cast<int>(state.range(0)));
  JoinEverything(puz);
  testing::RecordingHost host;
  Board board(puz, host);
  for (auto _ : state)
    benchmark::DoNotOptimize(board.GroupOf(0));
  state.counters["pieces"] = board.piece_count();
}
BENCHMARK(BM_GroupOf)->Arg(5000)->Unit(benchmark::kMicrosecond);

// A new game of about `pieces` pieces with its sheets, spread over a
// full-HD table, and the table's back buffer.
struct PaintedGame {
  explicit PaintedGame(int pieces) : puz(CutGame(pieces)), board(puz, host) {
    ProbeDisplay(false);  // before any bitmap, which takes the display's mode
    puz.picture = MakeBmpMem(1350, 760);
    puz.picture->Clear(0x80);
    ready = DrawPieceSheets(puz, nullptr).ok();
    host.covered = {host.assembly};
    ProgramRandom().Seed(1);
    board.Scatter(kTableWindow, false, false);
    shadow = ChooseShadowParameters(puz, {});
    buffer = MakeBmpMem(1920, 1080);
  }
  Rect16 Paint(const Rect16& rect) {
    PaintRequest request;
    request.rect = rect;
    request.shadow = shadow;
    return PaintBoard(puz, *buffer, request);
  }

  Puz puz;
  testing::RecordingHost host;
  Board board;
  ShadowParameters shadow;
  std::unique_ptr<BmpMem> buffer;
  bool ready = false;
};

// Painting the whole table, as when it is first shown.
void BM_PaintTable(benchmark::State& state) {
  PaintedGame game(static_cast<int>(state.range(0)));
  if (!game.ready) state.SkipWithError("the piece sheets could not be drawn");
  for (auto _ : state)
    benchmark::DoNotOptimize(game.Paint(game.host.surface));
  state.counters["pieces"] = game.board.piece_count();
  state.counters["shadow"] = game.shadow.depth;
}
BENCHMARK(BM_PaintTable)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// Repainting where one piece lies, as a drag step does: the cost follows
// the pieces the rectangle meets, not the pieces on the table.
void BM_PaintPiece(benchmark::State& state) {
  PaintedGame game(static_cast<int>(state.range(0)));
  if (!game.ready) state.SkipWithError("the piece sheets could not be drawn");
  const Rect16 rect = WithShadow(game.puz.cut.pieces[0].window, game.shadow);
  for (auto _ : state)
    benchmark::DoNotOptimize(game.Paint(rect));
  state.counters["pieces"] = game.board.piece_count();
}
BENCHMARK(BM_PaintPiece)->Arg(100)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace cbst

namespace cbst {
namespace {

// A puzzle made from a 2-megapixel photograph with five levels of about
// 100, 500, 1000, 2000 and 5000 pieces, written once into a temporary folder.
constexpr std::array<int, 5> kOpenPieceCounts = {100, 500, 1000, 2000, 5000};

class BenchFolder {
 public:
  BenchFolder()
      : folder_(std::filesystem::temp_directory_path() /
                ("cbst-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
  }
  ~BenchFolder() { std::filesystem::remove_all(folder_); }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const std::filesystem::path& path() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

const std::filesystem::path& BenchPuzzle() {
  static const BenchFolder folder;
  static const std::filesystem::path path = [] {
    Puz puz;
    puz.title = "Bench";
    puz.state = kStateOwnLevels;
    puz.puzzle_seed = 2024;
    for (std::size_t level = 0; level < kOpenPieceCounts.size(); ++level) {
      const int rows = static_cast<int>(std::lround(std::sqrt(kOpenPieceCounts[level] * 0.75)));
      puz.level_rows[level] = static_cast<std::int16_t>(rows);
      puz.level_columns[level] = static_cast<std::int16_t>(kOpenPieceCounts[level] / rows);
    }
    const Dib photo = testing::SyntheticPhoto(1632, 1224);
    const auto file = folder.path() / "bench.puz";
    WritePuzzleFile(puz, file.c_str(), nullptr, {&photo, nullptr}, nullptr).MarkHandled();
    return file;
  }();
  return path;
}

// Opening level `range(0)` on a full-HD table: cold decodes the JPEG, warm
// reads the picture cached by an earlier opening.
void BM_OpenPuzzle(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const bool warm = state.range(1) != 0;
  ProbeDisplay(false);  // the game's direct pixels, as at start-up
  OpenRequest request;
  request.path = BenchPuzzle().c_str();
  request.level = level;
  request.cache_allowed = warm;
  if (warm) {
    Puz primer;
    VirtualTable table(primer, 1920, 1080);
    OpenPuzzleForPlay(primer, request, table).MarkHandled();
  }
  OpenTimings total;
  int pieces = 0;
  for (auto _ : state) {
    Puz puz;
    VirtualTable table(puz, 1920, 1080);
    OpenTimings timings;
    OpenPuzzleForPlay(puz, request, table, &timings).MarkHandled();
    pieces = static_cast<int>(puz.cut.pieces.size());
    total.header += timings.header;
    total.picture += timings.picture;
    total.reduce += timings.reduce;
    total.cut += timings.cut;
    total.sheets += timings.sheets;
    total.scatter += timings.scatter;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["pieces"] = pieces;
  state.counters["header_ms"] = total.header / runs;
  state.counters[warm ? "cache_ms" : "decode_ms"] = total.picture / runs;
  state.counters["reduce_ms"] = total.reduce / runs;
  state.counters["cut_ms"] = total.cut / runs;
  state.counters["sheets_ms"] = total.sheets / runs;
  state.counters["scatter_ms"] = total.scatter / runs;
}
BENCHMARK(BM_OpenPuzzle)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->ArgNames({"level", "warm"})
    ->Unit(benchmark::kMillisecond);

// Reducing a decoded picture of `range(0)` megapixels (2: the opening
// benchmark's photograph, 8: a camera's) to half a full-HD table, with the
// preview's half-size copy; 0 draws a 1600 x 900 picture at its own size.
void BM_ReduceToTable(benchmark::State& state) {
  ProbeDisplay(false);
  const int megapixels = static_cast<int>(state.range(0));
  const auto [width, height] = megapixels == 8   ? std::pair{3264, 2448}
                               : megapixels == 2 ? std::pair{1632, 1224}
                                                 : std::pair{1600, 900};
  const Dib photo = testing::SyntheticPhoto(width, height);
  for (auto _ : state) {
    Puz puz;
    if (megapixels == 0) puz.option_flags |= kOptionImgFull;
    VirtualTable table(puz, 1920, 1080);
    benchmark::DoNotOptimize(ReduceToTable(puz, photo, table).code());
  }
  state.counters["megapixels"] = width * height / 1e6;
}
BENCHMARK(BM_ReduceToTable)->Arg(0)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);

// Reading a cached picture of `range(0)` megapixels: a 24-bit BMP at the
// end of a puzzle file.
void BM_ReadCachedPicture(benchmark::State& state) {
  const int megapixels = static_cast<int>(state.range(0));
  const auto [width, height] = megapixels == 8 ? std::pair{3264, 2448} : std::pair{1632, 1224};
  static const BenchFolder folder;
  const auto path = folder.path() / ("cache" + std::to_string(megapixels) + ".bmp");
  File file(path.c_str());
  if (WriteBmp(testing::SyntheticPhoto(width, height), 0, file).code() != 0) {
    state.SkipWithError("the picture could not be written");
    return;
  }
  for (auto _ : state) {
    Dib dib;
    benchmark::DoNotOptimize(ReadBmp(dib, nullptr, false, 0, file).code());
  }
  state.counters["megapixels"] = width * height / 1e6;
}
BENCHMARK(BM_ReadCachedPicture)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cbst

namespace cbst {
namespace {

// The screen, the level of the benchmark puzzle (about 5000 pieces), and
// the block of pieces joined into the dragged group, with the place of its
// top-left piece on the table: left of the empty assembly area, so that the
// whole group lies over the spread pieces (about 900 of them).
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kDragLevel = 4;
constexpr int kGroupRows = 25;
constexpr int kGroupColumns = 40;
constexpr int kGroupLeft = 100;
constexpr int kGroupTop = 300;
// Loose pieces taken for the single drag keep this far from the edges.
constexpr int kSingleMargin = 200;

// Before the toolkit starts: the offscreen platform with one full-HD
// screen, unless the caller asked for a platform of their own.
bool ChooseScreen(const std::filesystem::path& folder) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return false;
  const auto config = folder / "screen.json";
  std::ofstream(config) << "{\"screens\": [{\"name\": \"bench\", \"x\": 0, \"y\": 0, "
                        << "\"width\": " << kScreenWidth << ", \"height\": " << kScreenHeight
                        << ", \"dpi\": 96, \"dpr\": 1}]}\n";
  return qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str());
}

// The offscreen platform cannot grab the mouse and says so at every
// pick-up; everything else the toolkit says is passed on.
QtMessageHandler& ToolkitMessages() {
  static QtMessageHandler handler = nullptr;
  return handler;
}
void QuietAboutGrabbing(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QLatin1String("grabbing the mouse"))) return;
  if (ToolkitMessages()) {
    ToolkitMessages()(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

class DragTable;

// The toolkit's objects the benchmarks share: the program's Application,
// which brings the toolkit up (the display is probed after it, as at
// start-up), and the drag benchmarks' table. Both are made on first use,
// and main owns them so that they go before the program's statics do:
// the toolkit cannot be taken down once static destruction has begun.
class Toolkit {
 public:
  Toolkit();
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  Application& application();
  DragTable& drag_table();

 private:
  BenchFolder folder_;
  std::unique_ptr<Application> application_;
  std::unique_ptr<DragTable> drag_table_;  // made on the application, goes first
};

Toolkit* the_toolkit = nullptr;

Application& BenchApplication() {
  return the_toolkit->application();
}

// Counts the paint events of the widget it watches: the updates that
// reached the screen.
class PaintCounter final : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints_;
    return false;
  }
  int paints() const { return paints_; }

 private:
  int paints_ = 0;
};

// The table window the player drags on: the program's WPuz on a full-HD
// screen of the offscreen platform, with the benchmark puzzle's level of
// about 5000 pieces opened on it, and a block of 25 x 40 of its pieces
// joined into one group lying on top in the middle of the table. It is
// made once: the drag benchmarks run many times over.
class DragTable {
 public:
  DragTable() {
    Application& application = BenchApplication();
    table_ = application.Make<WPuz>(puz_);
    if (!table_->CreateTable("Bench")) return;
    Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowFullScreenInactive});
    table_->Dispatch(show);
    OpenRequest request;
    request.path = BenchPuzzle().c_str();
    request.level = kDragLevel;
    request.game_seed = 1;
    if (OpenPuzzleForPlay(puz_, request, *table_).code() != 0) return;
    if (!JoinGroup()) return;
    table_->Refresh();
    QCoreApplication::processEvents();
    if (QWidget* widget = table_->platform_window()->widget) widget->installEventFilter(&presents_);
    ready_ = FindLoosePiece();
  }
  ~DragTable() { DestroyWindow(table_, 0); }
  DragTable(const DragTable&) = delete;
  DragTable& operator=(const DragTable&) = delete;

  bool ready() const { return ready_; }
  WPuz& table() { return *table_; }
  int pieces() const { return static_cast<int>(puz_.cut.pieces.size()); }
  int group_size() const { return static_cast<int>(group_.size()); }
  // The pieces floating as one picture while carried.
  int floating() const { return static_cast<int>(puz_.carried.size()); }
  int presents() const { return presents_.paints(); }
  // Where to press to pick up the group, or the single loose piece.
  std::pair<int, int> group_point() const { return group_point_; }
  std::pair<int, int> single_point() const { return single_point_; }

  void Mouse(int subcode, int x, int y) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, 0});
    table_->Dispatch(event);
  }

 private:
  static std::pair<int, int> Centre(const SPuz& piece) {
    return {piece.board.x + piece.board.width / 2, piece.board.y + piece.board.height / 2};
  }

  // The block of kGroupRows x kGroupColumns at the top left of the
  // picture, solved in place at (kGroupLeft, kGroupTop) and on top of
  // every loose piece.
  bool JoinGroup() {
    const Cut& cut = puz_.cut;
    if (cut.rows < kGroupRows || cut.columns < kGroupColumns) return false;
    std::unordered_set<int> block;
    for (int row = 0; row < kGroupRows; ++row) {
      for (int column = 0; column < kGroupColumns; ++column)
        block.insert(row * cut.columns + column);
    }
    for (const int member : block) {
      SPuz& piece = puz_.cut.pieces[static_cast<std::size_t>(member)];
      for (int side = 0; side < kSideCount; ++side) {
        if (block.contains(piece.neighbour[side])) piece.joined_sides |= 1u << side;
      }
    }
    Board& board = table_->board();
    board.MovePiece(0, 0, kGroupLeft, kGroupTop);
    board.Replace(0, false);
    board.BringToFront(0, 0);
    group_ = board.GroupOf(0);
    group_point_ = Centre(puz_.cut.pieces[0]);
    return static_cast<int>(group_.size()) == kGroupRows * kGroupColumns &&
           board.HitTest(kTableWindow, group_point_.first, group_point_.second) == 0;
  }

  // The topmost loose piece whose middle the mouse finds, away from the
  // table's edges.
  bool FindLoosePiece() {
    Board& board = table_->board();
    for (const std::int16_t index : puz_.cut.z_order) {
      const SPuz& piece = puz_.cut.pieces[static_cast<std::size_t>(index)];
      if (piece.joined_sides != 0 || piece.box != kTableWindow) continue;
      const auto [x, y] = Centre(piece);
      if (x < kSingleMargin || y < kSingleMargin || x > table_->width() - kSingleMargin ||
          y > table_->height() - kSingleMargin)
        continue;
      if (board.HitTest(kTableWindow, x, y) != index) continue;
      single_point_ = {x, y};
      return true;
    }
    return false;
  }

  Puz puz_;
  WPuz* table_ = nullptr;  // held by the application
  std::vector<int> group_;
  std::pair<int, int> group_point_;
  std::pair<int, int> single_point_;
  PaintCounter presents_;
  bool ready_ = false;
};

Toolkit::Toolkit() {
  the_toolkit = this;
}

Toolkit::~Toolkit() {
  drag_table_.reset();
  application_.reset();
  the_toolkit = nullptr;
}

Application& Toolkit::application() {
  if (!application_) {
    ChooseScreen(folder_.path());
    ToolkitMessages() = qInstallMessageHandler(QuietAboutGrabbing);
    static int argc = 1;
    static char name[] = "play_bench";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<Application>(argc, argv);
    ProbeDisplay(false);
  }
  return *application_;
}

DragTable& Toolkit::drag_table() {
  if (!drag_table_) drag_table_ = std::make_unique<DragTable>();
  return *drag_table_;
}

DragTable& TheDragTable() {
  return the_toolkit->drag_table();
}

// Each step moves the mouse this far, back and forth over kDragSweep steps.
constexpr int kDragStepPixels = 3;
constexpr int kDragSweep = 20;

// One drag step on the table window, from the mouse event to the screen:
// the left-button drag event goes through Window::Dispatch as the widget
// would send it, the table repaints the changed rectangle into its back
// buffer and asks its widget for an update of it, and processing the
// pending events delivers that update as the event loop does after every
// mouse move: the widget's paint event copies the rectangle to its image
// and the toolkit's backing store, and flushes it to the screen. A forced
// repaint (Window::Update) would instead repaint the whole widget, which
// a drag never does. range(0): 0 drags one loose piece, 1 the 1000-piece
// group; range(1): 1 composes the group over the layer saved under it, 0
// repaints the pieces under it at every step.
void BM_DragStep(benchmark::State& state) {
  const bool group = state.range(0) != 0;
  DragTable& drag = TheDragTable();
  if (!drag.ready()) {
    state.SkipWithError("the table or its game could not be made");
    return;
  }
  drag.table().set_carried_layer(state.range(1) != 0);
  const auto [x, y] = group ? drag.group_point() : drag.single_point();
  drag.Mouse(kMouseLeftDown, x, y);
  QCoreApplication::processEvents();
  if (drag.table().dragged() == kNoPiece) {
    state.SkipWithError("nothing was picked up");
    return;
  }
  const int floating = drag.floating();
  const int presents_before = drag.presents();
  int step = 0;
  for (auto _ : state) {
    // Out and back along a line, so that the piece stays where it was.
    const int phase = step++ % (2 * kDragSweep);
    const int offset =
        kDragStepPixels * (phase < kDragSweep ? phase + 1 : 2 * kDragSweep - phase - 1);
    drag.Mouse(kMouseLeftDrag, x + offset, y + offset / 2);
    QCoreApplication::processEvents();
  }
  const int presents = drag.presents() - presents_before;
  drag.Mouse(kMouseLeftDrag, x, y);
  drag.Mouse(kMouseLeftUp, x, y);
  QCoreApplication::processEvents();
  state.counters["presents"] = benchmark::Counter(presents, benchmark::Counter::kAvgIterations);
  state.counters["floating"] = floating;
  state.counters["pieces"] = drag.pieces();
  state.counters["dragged"] = group ? drag.group_size() : 1;
  state.counters["table_width"] = drag.table().width();
  state.counters["table_height"] = drag.table().height();
}
BENCHMARK(BM_DragStep)
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->ArgNames({"group", "layer"})
    ->Unit(benchmark::kMillisecond);

// A whole short gesture on the same table, as the player feels its ends:
// the press that picks the piece or the 1000-piece group up (the group's
// picture is composed and what lies under it painted once), one step, and
// the release that lays it down again, each delivered to the screen.
// range(0): 0 a loose piece, 1 the group.
void BM_PickUpAndDrop(benchmark::State& state) {
  const bool group = state.range(0) != 0;
  DragTable& drag = TheDragTable();
  if (!drag.ready()) {
    state.SkipWithError("the table or its game could not be made");
    return;
  }
  drag.table().set_carried_layer(true);
  const auto [x, y] = group ? drag.group_point() : drag.single_point();
  for (auto _ : state) {
    drag.Mouse(kMouseLeftDown, x, y);
    QCoreApplication::processEvents();
    drag.Mouse(kMouseLeftDrag, x + kDragStepPixels, y);
    QCoreApplication::processEvents();
    drag.Mouse(kMouseLeftDrag, x, y);
    drag.Mouse(kMouseLeftUp, x, y);
    QCoreApplication::processEvents();
  }
  state.counters["dragged"] = group ? drag.group_size() : 1;
  state.counters["pieces"] = drag.pieces();
}
BENCHMARK(BM_PickUpAndDrop)->Arg(0)->Arg(1)->ArgName("group")->Unit(benchmark::kMillisecond);

// One step of the loupe over the 5000-piece table, from the mouse event to
// the screen: the move goes through Window::Dispatch, the table moves the
// loupe, which composes what lies under it and magnifies it into its view,
// and processing the pending events delivers the loupe's paint and the
// table's repaint of the place the loupe left, as the event loop does
// after every mouse move. range(0): the loupe's size (at magnification 2).
void BM_LoupeStep(benchmark::State& state) {
  DragTable& drag = TheDragTable();
  if (!drag.ready()) {
    state.SkipWithError("the table or its game could not be made");
    return;
  }
  WPuz& table = drag.table();
  table.set_loupe_settings({static_cast<int>(state.range(0)), kLoupeDefaultZoom});
  const auto [x, y] = drag.group_point();
  if (!table.OpenLoupe(kLoupeLeftButton, x, y)) {
    state.SkipWithError("the loupe did not open");
    return;
  }
  QCoreApplication::processEvents();
  PaintCounter presents;
  if (QWidget* widget = table.loupe()->platform_window()->widget)
    widget->installEventFilter(&presents);
  int step = 0;
  for (auto _ : state) {
    const int phase = step++ % (2 * kDragSweep);
    const int offset =
        kDragStepPixels * (phase < kDragSweep ? phase + 1 : 2 * kDragSweep - phase - 1);
    drag.Mouse(kMouseMove, x + offset, y + offset / 2);
    QCoreApplication::processEvents();
  }
  state.counters["presents"] =
      benchmark::Counter(presents.paints(), benchmark::Counter::kAvgIterations);
  state.counters["pieces"] = drag.pieces();
  state.counters["loupe_size"] = static_cast<double>(state.range(0));
  state.counters["table_width"] = table.width();
  state.counters["table_height"] = table.height();
  table.CloseLoupe();
  QCoreApplication::processEvents();
}
BENCHMARK(BM_LoupeStep)->Arg(kLoupeDefaultSize)->Arg(kLoupeMaxSize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cbst

int main(int argc, char** argv) {
  cbst::Toolkit toolkit;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
