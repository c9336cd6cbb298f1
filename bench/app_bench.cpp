// app_bench.cpp: how long the puzzle browser takes to list a folder of a
// thousand puzzles, reading every file and then from the folder's cache.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/browser_lines.h"
#include "app/dir_cache.h"
#include "gfx/dib.h"
#include "puzzle/puz.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr int kPuzzleFiles = 1000;
constexpr int kPictureWidth = 32;
constexpr int kPictureHeight = 24;

// A folder of kPuzzleFiles small puzzles of three levels each, made once
// and removed when the program ends.
class PuzzleFolder {
 public:
  PuzzleFolder()
      : path_(fs::temp_directory_path() / ("cbst_bench_folder_" + std::to_string(getpid()))) {
    fs::create_directories(path_);
    Dib picture(kPictureWidth, kPictureHeight, 24);
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth * 3; ++x)
        picture.row(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 3);
    for (int index = 0; index < kPuzzleFiles; ++index) {
      Puz puz;
      puz.title = VString("Puzzle number " + std::to_string(index));
      puz.level_rows = {2, 3, 4};
      puz.level_columns = {2, 4, 6};
      puz.state = kStateOwnLevels;
      const fs::path file = path_ / ("puzzle" + std::to_string(index) + ".puz");
      if (WritePuzzleFile(puz, file.c_str(), nullptr, {&picture, nullptr}, nullptr).code() != 0)
        ok_ = false;
    }
  }
  ~PuzzleFolder() { fs::remove_all(path_); }
  std::string path() const { return path_.string(); }
  bool ok() const { return ok_; }

 private:
  fs::path path_;
  bool ok_ = true;
};

PuzzleFolder& Folder() {
  static PuzzleFolder folder;
  return folder;
}

void BM_ListFolderUncached(benchmark::State& state) {
  PuzzleFolder& folder = Folder();
  if (!folder.ok()) state.SkipWithError("the puzzles could not be written");
  std::size_t lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(fs::path(folder.path()) / kDirCacheName);
    state.ResumeTiming();
    const BrowserListing listing = FillBrowserLines(folder.path());
    lines = listing.lines.size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["files"] = kPuzzleFiles;
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ListFolderUncached)->Unit(benchmark::kMillisecond);

void BM_ListFolderCached(benchmark::State& state) {
  PuzzleFolder& folder = Folder();
  if (!folder.ok()) state.SkipWithError("the puzzles could not be written");
  FillBrowserLines(folder.path());  // writes the cache
  int read = 0;
  for (auto _ : state) {
    const BrowserListing listing = FillBrowserLines(folder.path());
    read += listing.files_read;
    benchmark::DoNotOptimize(listing.lines.size());
  }
  if (read != 0) state.SkipWithError("the cache was not used");
  state.counters["files"] = kPuzzleFiles;
}
BENCHMARK(BM_ListFolderCached)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cbst
