// open_puzzle.cpp: opening a puzzle file for play and building its game.
#include "puzzle/open_puzzle.h"

#include <chrono>
#include <memory>
#include <utility>

#include "base/status_codes.h"
#include "gfx/palette.h"
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

// What the building of a game keeps for its start: the decoded picture while
// it is still to be cached, and the picture's palette, which the table takes
// only once the new game has replaced the old one.
struct BuildLeftovers {
  Dib dib;
  PictureCacheWrite cache;
  std::unique_ptr<Palette> palette;
};

// Everything of a new game that can fail: the picture, the cut and the
// piece sheets. `puz` is not on the table yet.
Status BuildPieces(Puz& puz, Thumb& thumb, const OpenRequest& request, PlayTable& table,
                   OpenTimings& timings, Stopwatch& watch, BuildLeftovers& leftovers) {
  puz.state |= kStateBuilding | kStateBuildingBusy;
  const bool resuming = (puz.state & kStateRestoring) != 0;

  Dib& dib = leftovers.dib;
  CBST_TRY(LoadTablePicture(dib, thumb, table, request.cache_allowed, &timings.from_cache,
                            &leftovers.cache));
  if (dib.palette()) leftovers.palette = std::make_unique<Palette>(*dib.palette());
  timings.picture = watch.Lap();
  CBST_TRY(ReduceToTable(puz, dib, table));
  // The decoded picture is kept only to be cached once the game stands.
  if (!leftovers.cache.append) dib = Dib();
  timings.reduce = watch.Lap();

  Random& random = ProgramRandom();
  if (puz.game_seed == 0) {
    puz.game_seed = TickCount();
    if (puz.game_seed == 0) puz.game_seed = 1;
  }
  random.Seed(puz.game_seed);

  if (puz.level == kCustomLevel && !resuming && !table.ChooseCustomSize(puz)) {
    return QuietCancel();
  }
  CBST_TRY(MakePiezas(puz, puz.picture_rect.width, puz.picture_rect.height, random));
  if (request.resume) CBST_TRY(request.resume->PlacePieces(puz));
  timings.cut = watch.Lap();
  CBST_TRY(DrawPieceSheets(puz, table.Progress(kDrawingPiecesMessage), request.sheets));
  timings.sheets = watch.Lap();
  return Status();
}

// The built game, now the table's: its colours, boxes and caption, the
// clock, the pieces spread and the picture cached.
void StartGame(Puz& puz, Thumb& thumb, PlayTable& table, OpenTimings& timings, Stopwatch& watch,
               const BuildLeftovers& leftovers) {
  const bool resuming = (puz.state & kStateRestoring) != 0;
  puz.state &= ~kStateBuilding;
  table.TakePalette(leftovers.palette.get(), puz.background);
  if (!resuming) puz.boxes = DefaultBoxes(table.width(), table.height());
  table.SetCaption(VString::Format("%s:%s", kProgramTitle, puz.title.c_str()).view());

  table.StartClock();
  if (!resuming) {
    const bool whole = puz.HasOption(kOptionScatterFull);
    // Pieces that do not fit beside the picture's place go anywhere.
    if (!table.ScatterPieces(puz, whole) && !whole) table.ScatterPieces(puz, true);
  }
  timings.scatter = watch.Lap();
  StorePictureCache(thumb, leftovers.dib, leftovers.cache);
  puz.state &= ~kStateBuildingBusy;
}

// The puzzle's title, levels and options from its header, with what the
// player asked for on top.
Status ReadHeader(Puz& puz, const Thumb& thumb, const OpenRequest& request,
                  const PlayTable& table) {
  const bool resuming = request.resume != nullptr;
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
  CBST_TRY(ParseOptions(puz, OptionMode::kPuzzle, options, screen));
  puz.option_flags |= kOptionAssemblyFrame;
  if (request.options & kOpenNoTurning) puz.option_flags |= kOptionNoRotable;
  if (request.options & kOpenMosaic) puz.option_flags |= kOptionNoDeform;
  if (resuming) return request.resume->TakeGame(puz, table);
  puz.game_seed = request.game_seed;
  if (puz.puzzle_seed != 0) puz.game_seed = puz.puzzle_seed;
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
  // The new game is built apart and takes the place of the one on the table
  // only once it stands.
  Puz fresh;
  fresh.file_path = request.path;
  if (request.resume) {
    fresh.state |= kStateRestoring;
  } else {
    fresh.game_flags = request.game_flags;
  }
  const WaitCursor wait;
  Thumb thumb;
  CBST_TRY(thumb.Open(request.path.c_str(), false));
  CBST_TRY(ReadHeader(fresh, thumb, request, table));
  times.header = watch.Lap();

  BuildLeftovers leftovers;
  {
    const TableBusy busy(table);
    CBST_TRY(BuildPieces(fresh, thumb, request, table, times, watch, leftovers));
    puz = std::move(fresh);
    StartGame(puz, thumb, table, times, watch, leftovers);
  }
  return Status();
}

}  // namespace cbst
