// play_bench.cpp: the board operations whose cost grows with the puzzle:
// spreading a new game, re-placing a large group and walking it.
#include <benchmark/benchmark.h>

#include <cmath>

#include "play/board.h"
#include "puzzle/cut.h"
#include "puzzle/random.h"
#include "support/recording_host.h"

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

}  // namespace
}  // namespace cbst
