// play_bench.cpp: the board operations whose cost grows with the puzzle:
// opening a puzzle, spreading a new game, re-placing a large group and
// walking it, and painting the table.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <utility>

#include "gfx/display_probe.h"
#include "image/bmp_file.h"
#include "play/board.h"
#include "play/board_painter.h"
#include "play/virtual_table.h"
#include "puzzle/cut.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/random.h"
#include "puzzle/table_picture.h"
#include "support/recording_host.h"
#include "support/synthetic_photo.h"

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
    return PaintBoard(puz, *buffer, {kTableWindow, rect, false, shadow, nullptr, {}});
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
    WritePuzzleFile(puz, file.c_str(), nullptr, {&photo, nullptr}, nullptr).code();
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
    OpenPuzzleForPlay(primer, request, table).code();
  }
  OpenTimings total;
  int pieces = 0;
  for (auto _ : state) {
    Puz puz;
    VirtualTable table(puz, 1920, 1080);
    OpenTimings timings;
    OpenPuzzleForPlay(puz, request, table, &timings).code();
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
