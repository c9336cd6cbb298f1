// puzzle_bench.cpp: how long cutting takes as puzzles grow.
#include <benchmark/benchmark.h>

#include <cmath>

#include "puzzle/cut.h"

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

}  // namespace
}  // namespace cbst
