// open_puzzle.cpp: opening a puzzle file for play and building its game.
#include "puzzle/open_puzzle.h"

#include <chrono>

#include "base/status_codes.h"
#include "platform/busy.h"
#include "platform/clock.h"
#include "puzzle/make_piezas.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puz_options.h"
#include "puzzle/random.h"
#include "puzzle/table_picture.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

int& OpeningCounter() {
  static int openings = 0;
  return openings;
}

class OpeningUnderWay {
 public:
  OpeningUnderWay() { ++OpeningCounter(); }
  ~OpeningUnderWay() { --OpeningCounter(); }
  OpeningUnderWay(const OpeningUnderWay&) = delete;
  OpeningUnderWay& operator=(const OpeningUnderWay&) = delete;
};

class Stopwatch {
 public:
  // Milliseconds since the last lap.
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double milliseconds = std::chrono::duration<double, std::milli>(now - last_).count();
    last_ = now;
    return milliseconds;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// The table is busy for as long as the game is being built.
class TableBusy {
 public:
  explicit TableBusy(PlayTable& table) : table_(table) { table_.SetBusy(true); }
  ~TableBusy() { table_.SetBusy(false); }
  TableBusy(const TableBusy&) = delete;
  TableBusy& operator=(const TableBusy&) = delete;

 private:
  PlayTable& table_;
};

Status BuildPuzzle(Puz& puz, Thumb& thumb, const OpenRequest& request, PlayTable& table,
                   OpenTimings& timings, Stopwatch& watch) {
  puz.state |= kStateBuilding | kStateBuildingBusy;
  const TableBusy busy(table);
  const bool resuming = (puz.state & kStateRestoring) != 0;

  Dib dib;
  PictureCacheWrite cache;
  CBST_TRY(
      LoadTablePicture(dib, puz, thumb, table, request.cache_allowed, &timings.from_cache, &cache));
  timings.picture = watch.Lap();
  CBST_TRY(ReduceToTable(puz, dib, table));
  // The decoded picture is kept only to be cached once the game stands.
  if (!cache.append) dib = Dib();
  timings.reduce = watch.Lap();

  Random& random = ProgramRandom();
  if (puz.game_seed == 0) {
    puz.game_seed = TickCount();
    if (puz.game_seed == 0) puz.game_seed = 1;
  }
  random.Seed(puz.game_seed);

  if (puz.level == kCustomLevel && !resuming && !table.ChooseCustomSize(puz)) {
    Status cancelled(kStatusQuietCancel);
    cancelled.MarkHandled();
    return cancelled;
  }
  CBST_TRY(MakePiezas(puz, puz.picture_rect.width, puz.picture_rect.height, random));
  timings.cut = watch.Lap();
  CBST_TRY(DrawPieceSheets(puz, table.Progress(kDrawingPiecesMessage), request.sheets));
  timings.sheets = watch.Lap();

  puz.state &= ~kStateBuilding;
  if (!resuming) puz.boxes = DefaultBoxes(table.width(), table.height());
  table.SetCaption(VString::Format("%s:%s", kProgramTitle, puz.title.c_str()).view());

  table.StartClock();
  if (!resuming) {
    const bool whole = puz.HasOption(kOptionScatterFull);
    // Pieces that do not fit beside the picture's place go anywhere.
    if (!table.ScatterPieces(puz, whole) && !whole) table.ScatterPieces(puz, true);
  }
  timings.scatter = watch.Lap();
  StorePictureCache(thumb, dib, cache);
  puz.state &= ~kStateBuildingBusy;
  return Status();
}

}  // namespace

int OpeningsInProgress() {
  return OpeningCounter();
}

Status OpenPuzzleForPlay(Puz& puz, const OpenRequest& request, PlayTable& table,
                         OpenTimings* timings) {
  const OpeningUnderWay under_way;
  OpenTimings local;
  OpenTimings& times = timings ? *timings : local;
  Stopwatch watch;
  const bool resuming = (puz.state & kStateRestoring) != 0;
  if (!resuming) {
    puz.Clear();
    puz.file_path = request.path;
    puz.game_flags = request.game_flags;
  }
  const WaitCursor wait;
  Thumb thumb;
  if (Status header = thumb.Open(request.path.c_str(), false); header.peek() != 0) {
    puz.Clear();
    return header;
  }
  puz.title = thumb.title;
  puz.level_rows = {};
  puz.level_columns = {};
  std::copy(thumb.level_rows.begin(), thumb.level_rows.end(), puz.level_rows.begin());
  std::copy(thumb.level_columns.begin(), thumb.level_columns.end(), puz.level_columns.begin());
  if (thumb.flags & kThumbNoCustomSize) puz.size_flags |= kSizeNoCustom;

  puz.level = request.level;
  if (request.level < 0 || request.level >= thumb.level_count) {
    puz.level = kCustomLevel;
    puz.size_flags |= kSizeCustomInUse;
  }

  puz.puzzle_seed = 0;
  puz.background = kDefaultBackground;
  const DisplayFacts display = table.display();
  const ScreenFacts screen{display.width, display.height,
                           display.Colours() >= 1 && display.Colours() <= 16};
  OptionString options(thumb.options.view());
  if (Status parsed = ParseOptions(puz, OptionMode::kPuzzle, options, screen); parsed.peek()) {
    puz.Clear();
    return parsed;
  }
  puz.option_flags |= kOptionAssemblyFrame;
  if (request.options & kOpenNoTurning) puz.option_flags |= kOptionNoRotable;
  if (request.options & kOpenMosaic) puz.option_flags |= kOptionNoDeform;
  if (!resuming) puz.game_seed = request.game_seed;
  if (puz.puzzle_seed != 0) puz.game_seed = puz.puzzle_seed;
  times.header = watch.Lap();

  Status built = BuildPuzzle(puz, thumb, request, table, times, watch);
  if (built.peek() != 0) {
    puz.Clear();
    return built;
  }
  return Status();
}

}  // namespace cbst
