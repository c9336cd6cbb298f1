// puzzle_entries.cpp: fuzz entries for puzzle files: the header with its
// thumbnail, as the browser and "cbst-tool info" read it, and a whole
// opening for a new game, as the game and "cbst-tool open" do it, without
// and with the picture cache.
#include <algorithm>

#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "play/virtual_table.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/thumb.h"

namespace cbst::fuzz {
namespace {

// A small table keeps an opening, with its reduction, cut, sheets and
// painting, to milliseconds.
constexpr int kTableWidth = 320;
constexpr int kTableHeight = 240;
// A fixed game seed, so that an input opens the same way every time.
constexpr std::uint32_t kGameSeed = 7;

// Opens the puzzle for a new game on a small table and paints the table.
bool OpenOnSmallTable(const std::string& path, bool cache_allowed) {
  Puz puz;
  VirtualTable table(puz, kTableWidth, kTableHeight);
  OpenRequest request;
  request.path = path.c_str();
  request.game_seed = kGameSeed;
  request.cache_allowed = cache_allowed;
  if (OpenPuzzleForPlay(puz, request, table).failed()) return false;
  table.PaintAll();
  return true;
}

}  // namespace

int FuzzPuzzleHeader(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string path = WriteInput("input.puz", data, size);
  Thumb thumb;
  thumb.Open(path.c_str(), true).MarkHandled();
  return 0;
}

int FuzzOpenPuzzle(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string path = WriteInput("input.puz", data, size);
  // Without the cache option the file is only read.
  OpenOnSmallTable(path, false);
  const std::string after = ReadWholeFile(path);
  Require(after.size() == size &&
              std::equal(after.begin(), after.end(), data,
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }),
          "opening a puzzle without the cache option changed the file");
  return 0;
}

int FuzzOpenCachedPuzzle(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  // The input is a copy, so the cache may be written into it.
  const std::string path = WriteInput("cached.puz", data, size);
  if (!OpenOnSmallTable(path, true)) return 0;
  // The second opening reads the picture the first one cached.
  Require(OpenOnSmallTable(path, true),
          "a puzzle that opened does not open again once its picture is cached");
  return 0;
}

}  // namespace cbst::fuzz
