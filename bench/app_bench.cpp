// app_bench.cpp: how long the puzzle browser takes to list a folder of a
// thousand puzzles, reading every file and then from the folder's cache,
// and to open its window over that folder.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/browser_lines.h"
#include "app/dir_cache.h"
#include "app/settings.h"
#include "app/wdir.h"
#include "gfx/dib.h"
#include "gfx/display_probe.h"
#include "puzzle/puz.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/thumb.h"
#include "ui/application.h"

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

// The program's Application, made by main so that it goes before the
// program's statics do.
std::unique_ptr<Application>& BenchApplication() {
  static std::unique_ptr<Application> application;
  return application;
}

// The browser's window over the cached folder, from its making to its
// first showing with every line in its list; closed as soon as it is up.
void BM_OpenBrowserCached(benchmark::State& state) {
  PuzzleFolder& folder = Folder();
  if (!folder.ok()) state.SkipWithError("the puzzles could not be written");
  FillBrowserLines(folder.path());  // writes the cache
  Application& application = *BenchApplication();
  const Settings settings((fs::path(folder.path()) / "bench.ini").string());
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    // Clicking ends the window and its buttons with it: one click, last.
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
      if (button->property("id").toInt() != kBrowserClose) continue;
      button->click();
      return;
    }
  });
  closer.start(0);
  for (auto _ : state) {
    BrowserChoice choice;
    auto* browser = application.Make<WDir>(settings, folder.path(), "", choice, nullptr);
    RunModalDialog(browser, nullptr);
    benchmark::DoNotOptimize(choice.chosen);
  }
  state.counters["lines"] = static_cast<double>(FillBrowserLines(folder.path()).lines.size());
}
BENCHMARK(BM_OpenBrowserCached)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cbst

int main(int argc, char** argv) {
  // No window is looked at: the offscreen platform serves also where a
  // display is set.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int toolkit_argc = 1;
  static char name[] = "app_bench";
  static char* toolkit_argv[] = {name, nullptr};
  cbst::BenchApplication() = std::make_unique<cbst::Application>(toolkit_argc, toolkit_argv);
  cbst::ProbeDisplay(false);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  cbst::BenchApplication().reset();
  return 0;
}
