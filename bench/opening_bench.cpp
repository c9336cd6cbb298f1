// opening_bench.cpp: the whole opening of a puzzle as a player meets it,
// the game as a process from its start to its first settled frame, side
// by side with djpeg decoding the same picture as a process.
//
// Two puzzles are made at bench time in a copy of the program directory:
// about 1000 pieces of the 1.7-megapixel photograph of the sample puzzle
// "Forest Creek", and about 5000 pieces of the same photograph enlarged to
// 8 megapixels, each with a new game saved by cbst-tool (a saved game named
// on the command line opens straight onto the table; a puzzle opens the
// browser). Each game is opened once first, so that the files are in the
// system's cache (a warm opening, as a player meets it from the second
// time on; the picture cache inside puzzle files is only written when the
// player asks for it), then the game and djpeg run in turn. Runs under the X display of DISPLAY
// (full HD for figures comparable with the README's), otherwise on the toolkit's offscreen screen.
//
//   opening_bench [--idle] [RUNS [PROGRAM_DIRECTORY]]
//
// With --idle the bench waits before each run of the game, long enough for
// the system to take back the memory the runs before it freed. Back to
// back, a fresh process reuses pages the last one has just handed back;
// a player starts the game on a machine that has been doing something
// else, and on a virtual machine whose host takes free memory back, the
// first touch of every page is then dearer.
//
// PROGRAM_DIRECTORY holds another build's cbst and cbst-tool to measure.
//
// Beside them runs bare_window, a toolkit program that only shows one
// full-screen window: the floor under any toolkit game's start, printed
// with its own ratio to djpeg.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/file.h"
#include "gfx/bmp_mem.h"
#include "gfx/dib.h"
#include "gfx/display_probe.h"
#include "image/jpeg.h"
#include "image/jpeg_extent.h"
#include "puzzle/puz.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/thumb.h"
#include "ui/application.h"

extern char** environ;

namespace cbst {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 11;
// Longer than the two seconds after which Linux reports free pages to the
// host of a virtual machine.
constexpr auto kIdlePause = std::chrono::seconds(3);
constexpr char kSamplePuzzle[] = "Forest Creek.puz";
constexpr int kLargeWidth = 3468;  // 8 megapixels in the photograph's shape
constexpr std::uint32_t kBenchSeed = 2024;
constexpr double kMilliseconds = 1000.0;

struct Case {
  const char* name;
  int pieces;
  bool enlarge;
};
constexpr Case kCases[] = {{"1000 pieces, 1.7 MP", 1000, false}, {"5000 pieces, 8 MP", 5000, true}};

// The embedded picture of a puzzle file: where its JPEG stream starts.
std::int64_t JpegStart(Thumb& thumb) {
  return std::int64_t{thumb.picture_at} +
         (thumb.picture_kind == kPicturePaletteAndJpeg ? kPaletteBlockBytes : 0);
}

bool DecodePuzzlePicture(const fs::path& puzzle, Dib& photo) {
  Thumb thumb;
  if (thumb.Open(puzzle.c_str(), false).code() != 0) return false;
  int colours = 0;
  Status decoded = LoadJpegFile(photo, nullptr, 0, colours, JpegStart(thumb), thumb.file);
  thumb.file.Close().MarkHandled();
  return decoded.code() == 0 && photo.valid();
}

// The photograph enlarged smoothly by the program's own stretch.
Dib Enlarged(const Dib& photo, int width) {
  const int height =
      static_cast<int>(std::lround(static_cast<double>(width) * photo.height() / photo.width()));
  BmpMem large(width, height, DisplayFormat::Standard(32));
  const bool half_tone = DibHalfTone();
  SetDibHalfTone(true);
  photo.DrawInto(large.dc(),
                 {0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)});
  SetDibHalfTone(half_tone);
  large.dc().Flush();
  return Dib::FromBitmap(large);
}

// A puzzle whose first level (the one a puzzle named on the command line
// opens) has about `pieces` pieces of near-square shape.
bool WriteBenchPuzzle(const Dib& photo, int pieces, const fs::path& path) {
  Puz puz;
  puz.title = "Opening bench";
  puz.state = kStateOwnLevels;
  puz.puzzle_seed = kBenchSeed;
  const double across = static_cast<double>(photo.width()) / photo.height();
  const int rows = static_cast<int>(std::lround(std::sqrt(pieces / across)));
  puz.level_rows[0] = static_cast<std::int16_t>(rows);
  puz.level_columns[0] = static_cast<std::int16_t>(std::lround(static_cast<double>(pieces) / rows));
  return WritePuzzleFile(puz, path.c_str(), nullptr, {&photo, nullptr}, nullptr).code() == 0;
}

// The puzzle's JPEG stream as a file of its own, for djpeg.
bool ExtractJpeg(const fs::path& puzzle, const fs::path& out) {
  Thumb thumb;
  if (thumb.Open(puzzle.c_str(), false).code() != 0) return false;
  File& file = thumb.file;
  if (!file.IsOpen() && file.Open(kOpenRead).code() != 0) return false;
  const std::int64_t start = JpegStart(thumb);
  const auto end = JpegStreamEnd(file, start);
  bool written = false;
  if (end && file.Seek(start) == start) {
    std::vector<char> bytes(static_cast<std::size_t>(*end - start));
    const auto count = static_cast<std::int32_t>(bytes.size());
    if (file.Read(count, bytes.data()) == count) {
      if (std::FILE* jpeg = std::fopen(out.c_str(), "wb")) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), jpeg) == bytes.size();
        written = std::fclose(jpeg) == 0 && written;
      }
    }
  }
  file.Close().MarkHandled();
  return written;
}

// Runs `arguments` to its end with the output thrown away; its wall time
// in milliseconds, or a negative number when it failed.
double TimeProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& extra,
                   bool quiet) {
  std::vector<std::string> environment(extra);
  for (char** variable = environ; *variable; ++variable)
    environment.emplace_back(*variable);
  std::vector<char*> argv, envp;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  for (const std::string& variable : environment)
    envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  if (quiet) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::chrono::duration<double>(Clock::now() - start).count() * kMilliseconds;
}

struct Spread {
  double min = 0, median = 0, max = 0;
};

Spread SpreadOf(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  if (times.empty()) return {};
  return {times.front(), times[times.size() / 2], times.back()};
}

// The settings of a player past the welcome, who declined the menu entry.
bool WriteSettings(const fs::path& folder) {
  std::FILE* settings = std::fopen((folder / "cbst.ini").c_str(), "w");
  if (!settings) return false;
  std::fputs("[Main]\nWelcomeDone230=Yes\nPGManInstl210=1\n", settings);
  return std::fclose(settings) == 0;
}

int Run(int runs, bool idle, const char* djpeg, const char* bare_window,
        const fs::path& program_directory) {
  const fs::path folder =
      fs::temp_directory_path() / ("cbst-opening-" + std::to_string(::getpid()));
  const fs::path game_folder = folder / "game";
  fs::create_directories(folder);
  fs::copy(program_directory, game_folder, fs::copy_options::recursive);
  const std::string game = (game_folder / "cbst").string();
  const std::string tool = (game_folder / "cbst-tool").string();
  WriteSettings(game_folder);

  Dib photo;
  if (!DecodePuzzlePicture(program_directory / kSamplePuzzle, photo)) {
    std::fprintf(stderr, "opening_bench: the sample photograph could not be read\n");
    fs::remove_all(folder);
    return 1;
  }
  std::printf("%s\n", idle ? "each game run after an idle pause" : "runs back to back");
  std::printf("%-22s %26s %26s %20s %26s %13s\n", "warm opening", "game ms (min/median/max)",
              "djpeg ms (min/median/max)", "ratio (median, min)", "bare window (min/med/max)",
              "bare / djpeg");
  int failures = 0;
  for (const Case& bench : kCases) {
    const Dib picture = bench.enlarge ? Enlarged(photo, kLargeWidth) : Dib();
    const Dib& used = bench.enlarge ? picture : photo;
    const fs::path puzzle = game_folder / ("bench-" + std::to_string(bench.pieces) + ".puz");
    const fs::path jpeg = folder / ("bench-" + std::to_string(bench.pieces) + ".jpg");
    const fs::path saved = game_folder / ("bench-" + std::to_string(bench.pieces) + ".sav");
    if (!WriteBenchPuzzle(used, bench.pieces, puzzle) || !ExtractJpeg(puzzle, jpeg) ||
        TimeProcess({tool, "save", puzzle.string(), "--out", saved.string(), "--level", "0"}, {},
                    true) < 0) {
      std::fprintf(stderr, "opening_bench: the %s puzzle could not be made\n", bench.name);
      ++failures;
      continue;
    }
    const std::vector<std::string> game_run = {game, saved.string()};
    const std::vector<std::string> measuring = {"CBST_EXIT_SETTLED=1"};
    const std::vector<std::string> djpeg_run = {djpeg, "-outfile", "/dev/null", jpeg.string()};
    // The first opening brings the files into the system's cache.
    if (TimeProcess(game_run, measuring, true) < 0) {
      std::fprintf(stderr, "opening_bench: the game did not open the %s puzzle\n", bench.name);
      ++failures;
      continue;
    }
    std::vector<double> game_times, djpeg_times, bare_times;
    for (int run = 0; run < runs; ++run) {
      if (idle) std::this_thread::sleep_for(kIdlePause);
      game_times.push_back(TimeProcess(game_run, measuring, true));
      djpeg_times.push_back(TimeProcess(djpeg_run, {}, true));
      bare_times.push_back(TimeProcess({bare_window}, {}, true));
    }
    const auto failed = [](const std::vector<double>& times) {
      return std::ranges::any_of(times, [](double t) { return t < 0; });
    };
    if (failed(game_times) || failed(djpeg_times) || failed(bare_times)) {
      std::fprintf(stderr, "opening_bench: a run of the %s puzzle failed\n", bench.name);
      ++failures;
      continue;
    }
    const Spread ours = SpreadOf(game_times);
    const Spread theirs = SpreadOf(djpeg_times);
    const Spread floor = SpreadOf(bare_times);
    std::printf(
        "%-22s %8.1f %8.1f %8.1f  %8.1f %8.1f %8.1f    %6.2fx %6.2fx    %8.1f %8.1f %8.1f "
        "%12.2fx\n",
        bench.name, ours.min, ours.median, ours.max, theirs.min, theirs.median, theirs.max,
        ours.median / theirs.median, ours.min / theirs.min, floor.min, floor.median, floor.max,
        floor.median / theirs.median);
    // One more run of the game telling its stages.
    std::fflush(stdout);
    TimeProcess(game_run, measuring, false);
  }
  fs::remove_all(folder);
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace cbst

int main(int argc, char** argv) {
  const bool idle = argc > 1 && std::string_view(argv[1]) == "--idle";
  const int first = idle ? 2 : 1;
  const int runs = argc > first ? std::max(1, std::atoi(argv[first])) : cbst::kDefaultRuns;
  const char* program_directory = argc > first + 1 ? argv[first + 1] : CBST_PROGRAM_DIR;
#ifdef CBST_DJPEG
  // The toolkit, for the stretch that enlarges the photograph.
  cbst::Application application(argc, argv);
  cbst::ProbeDisplay(false);
  return cbst::Run(runs, idle, CBST_DJPEG, CBST_BARE_WINDOW, program_directory);
#else
  (void)runs;
  (void)program_directory;
  std::fprintf(stderr, "opening_bench: djpeg is not installed\n");
  return 0;
#endif
}
