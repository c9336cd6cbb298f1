// image_bench.cpp: how fast JPEG pictures of 2 and 12 megapixels decode to
// true colour and to 235 picked colours, beside Debian's djpeg doing the
// same as a child process. The counter x_djpeg is our time over djpeg's.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "base/file.h"
#include "image/jpeg.h"
#include "support/synthetic_photo.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The input pictures, made by our encoder on first use in a scratch folder
// that goes when the program ends.
class Inputs {
 public:
  Inputs() {
    char name[] = "/tmp/cbst-image-bench-XXXXXX";
    if (mkdtemp(name)) folder_ = name;
  }
  ~Inputs() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }

  // An empty path when the picture could not be made.
  const fs::path& Picture(int megapixels) {
    fs::path& path = paths_[megapixels];
    if (!path.empty() || folder_.empty()) return path;
    const auto [width, height] = megapixels == 12 ? std::pair{4000, 3000} : std::pair{1600, 1200};
    const Dib photo = testing::SyntheticPhoto(width, height);
    const fs::path made = folder_ / (std::to_string(megapixels) + "mp.jpg");
    File file(made.c_str());
    if (SaveJpegFile(photo, nullptr, 0, kRecompressQuality, nullptr, file, 0).code() == 0)
      path = made;
    return path;
  }

 private:
  fs::path folder_;
  std::map<int, fs::path> paths_;
};

Inputs& TheInputs() {
  static Inputs inputs;
  return inputs;
}

#ifdef CBST_DJPEG
std::string DjpegCommand(const fs::path& picture, int colours) {
  std::string command = CBST_DJPEG;
  if (colours) command += " -colors " + std::to_string(kColoursPicked);
  return command + " -bmp -outfile /dev/null '" + picture.string() + "'";
}

// djpeg's best of three runs, in seconds; once per picture and request.
double DjpegSeconds(const fs::path& picture, int colours) {
  static std::map<std::pair<std::string, int>, double> known;
  auto [slot, fresh] = known.try_emplace({picture.string(), colours}, 0.0);
  if (!fresh) return slot->second;
  const std::string command = DjpegCommand(picture, colours);
  double best = 0;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return slot->second = 0;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (run == 0 || seconds < best) best = seconds;
  }
  return slot->second = best;
}
#endif

// Arguments: megapixels (2 or 12), colours asked for (0 or 256).
void BM_DecodeJpeg(benchmark::State& state) {
  const fs::path& picture = TheInputs().Picture(static_cast<int>(state.range(0)));
  const int request = static_cast<int>(state.range(1));
  if (picture.empty()) {
    state.SkipWithError("the input picture could not be made");
    return;
  }
  const auto start = Clock::now();
  for (auto _ : state) {
    File file(picture.c_str());
    Dib dib;
    int colours = request;
    if (LoadJpegFile(dib, nullptr, 0, colours, 0, file).code() != 0) {
      state.SkipWithError("decoding failed");
      break;
    }
    benchmark::DoNotOptimize(dib.pixel_block().data());
  }
  const double ours =
      std::chrono::duration<double>(Clock::now() - start).count() /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
#ifdef CBST_DJPEG
  if (const double theirs = DjpegSeconds(picture, request); theirs > 0)
    state.counters["x_djpeg"] = ours / theirs;
#else
  (void)ours;
#endif
}

// The same decode by djpeg in a child process, output thrown away.
void BM_DecodeJpegDjpeg(benchmark::State& state) {
#ifdef CBST_DJPEG
  const fs::path& picture = TheInputs().Picture(static_cast<int>(state.range(0)));
  if (picture.empty()) {
    state.SkipWithError("the input picture could not be made");
    return;
  }
  const std::string command = DjpegCommand(picture, static_cast<int>(state.range(1)));
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("djpeg failed");
      break;
    }
  }
#else
  state.SkipWithError("djpeg is not installed");
#endif
}

// Each of our decodes next to djpeg's of the same picture.
[[maybe_unused]] const bool kRegistered = [] {
  for (int megapixels : {2, 12}) {
    for (int colours : {0, kColoursPalette256}) {
      for (auto [name, function] : {std::pair{"BM_DecodeJpeg", &BM_DecodeJpeg},
                                    std::pair{"BM_DecodeJpegDjpeg", &BM_DecodeJpegDjpeg}}) {
        benchmark::RegisterBenchmark(name, function)
            ->ArgNames({"megapixels", "colours"})
            ->Args({megapixels, colours})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace cbst
