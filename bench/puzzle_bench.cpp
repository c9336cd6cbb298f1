// puzzle_bench.cpp: how long cutting takes as puzzles grow.
#include <benchmark/benchmark.h>

#include <cmath>

#include "gfx/display_probe.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

// A 1600 x 900 reduced picture cut into about `pieces` pieces of 16:9 cells.
void BM_CutPieces(benchmark::State& state) {
  const int pieces = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(std::lround(std::sqrt(pieces * 9.0 / 16.0)));
  const int columns = pieces / rows;
  const CutRequest request{1600, 900, rows, columns};
  Random random;
  for (auto _ : state) {
    random.Seed(12345);
    benchmark::DoNotOptimize(CutPieces(request, random));
  }
  state.counters["pieces"] = rows * columns;
}
BENCHMARK(BM_CutPieces)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// Drawing every piece of such a cut into the image and mask sheets, with
// the bevel lit from the picture.
void BM_DrawPieceSheets(benchmark::State& state) {
  ProbeDisplay(false);
  const int pieces = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(std::lround(std::sqrt(pieces * 9.0 / 16.0)));
  const int columns = pieces / rows;
  const CutRequest request{1600, 900, rows, columns};
  BmpMem picture(1600, 900, nullptr);
  picture.Clear(1);
  Random random;
  random.Seed(12345);
  const Cut cut = CutPieces(request, random);
  for (auto _ : state) {
    state.PauseTiming();
    Puz puz;
    puz.cut = cut;
    puz.picture = MakeBmpMem(1600, 900);
    puz.picture->dc().Transfer(0, 0, 1600, 900, picture.dc(), 0, 0);
    state.ResumeTiming();
    benchmark::DoNotOptimize(DrawPieceSheets(puz, nullptr).code());
  }
  state.counters["pieces"] = rows * columns;
}
BENCHMARK(BM_DrawPieceSheets)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cbst
