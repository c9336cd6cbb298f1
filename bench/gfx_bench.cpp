// gfx_bench.cpp: how fast piece images are composed and turned, beside the
// plain memory speed of filling and copying a full-HD picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/blit.h"
#include "gfx/bmp_mem.h"
#include "gfx/turn.h"

namespace cbst {
namespace {

const DisplayFormat kTrueColour = DisplayFormat::Standard(32);

void Fill(BmpMem& bitmap, auto colour_at) {
  const PixelView view = bitmap.pixels();
  for (int y = 0; y < view.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(view.data + y * view.stride);
    for (int x = 0; x < view.width; ++x)
      row[x] = kOpaque | colour_at(x, y);
  }
}

// A round piece: its mask black inside, white outside and grey across a
// soft edge; its source a pattern inside and black outside.
struct Piece {
  explicit Piece(int size)
      : source(size, size, kTrueColour),
        mask(size, size, kTrueColour),
        background(size, size, kTrueColour),
        table(size, size, kTrueColour) {
    const double radius = size * 0.45;
    const auto coverage = [=](int x, int y) {
      const double dx = x - size / 2.0;
      const double dy = y - size / 2.0;
      return std::clamp(radius - std::sqrt(dx * dx + dy * dy), 0.0, 2.0) / 2.0;
    };
    Fill(mask, [&](int x, int y) {
      return static_cast<std::uint32_t>(255 * (1 - coverage(x, y))) * 0x010101u;
    });
    Fill(source, [&](int x, int y) {
      return coverage(x, y) > 0 ? static_cast<std::uint32_t>(x * 0x0301 + y * 0x050000) & 0xFFFFFF
                                : 0u;
    });
    Fill(background, [](int x, int y) { return static_cast<std::uint32_t>((x ^ y) * 0x010203); });
    Fill(table, [](int x, int y) { return static_cast<std::uint32_t>((x + y) * 0x020100); });
  }

  BlitRequest Request(bool with_background) {
    BlitRequest request;
    request.destination = &table;
    request.width = table.width();
    request.height = table.height();
    request.source = &source;
    request.mask = &mask;
    if (with_background) request.background = &background;
    return request;
  }

  BmpMem source;
  BmpMem mask;
  BmpMem background;
  BmpMem table;
};

template <auto kBlit, BlitOperation kOperation>
void BM_Compose(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  Piece piece(size);
  const bool with_background = kOperation == BlitOperation::kBlendByMask;
  for (auto _ : state) {
    kBlit(piece.Request(with_background), kOperation);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size * size);
}
BENCHMARK(BM_Compose<BlitDirect, BlitOperation::kMaskedCopy>)
    ->Name("MaskedCopy/direct")
    ->Arg(64)
    ->Arg(256);
BENCHMARK(BM_Compose<BlitRaster, BlitOperation::kMaskedCopy>)
    ->Name("MaskedCopy/raster")
    ->Arg(64)
    ->Arg(256);
BENCHMARK(BM_Compose<BlitDirect, BlitOperation::kBlendByMask>)
    ->Name("BlendByMask/direct")
    ->Arg(64)
    ->Arg(256);
BENCHMARK(BM_Compose<BlitRaster, BlitOperation::kBlendByMask>)
    ->Name("BlendByMask/raster")
    ->Arg(64)
    ->Arg(256);

// What the memory itself allows: one full-HD screen filled, and copied.
void BM_FillFullHd(benchmark::State& state) {
  BmpMem screen(1920, 1080, kTrueColour);
  const PixelView view = screen.pixels();
  std::uint32_t colour = 0;
  for (auto _ : state) {
    ++colour;
    for (int y = 0; y < view.height; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(view.data + y * view.stride);
      std::fill_n(row, view.width, kOpaque | colour);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
  state.SetBytesProcessed(state.iterations() * view.stride * view.height);
}
BENCHMARK(BM_FillFullHd)->Name("FullHd/fill")->Unit(benchmark::kMicrosecond);

void BM_CopyFullHd(benchmark::State& state) {
  BmpMem from(1920, 1080, kTrueColour);
  BmpMem to(1920, 1080, kTrueColour);
  const PixelView source = from.pixels();
  const PixelView target = to.pixels();
  for (auto _ : state) {
    for (int y = 0; y < source.height; ++y)
      std::memcpy(target.data + y * target.stride, source.data + y * source.stride,
                  static_cast<std::size_t>(source.width) * 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
  state.SetBytesProcessed(state.iterations() * source.stride * source.height);
}
BENCHMARK(BM_CopyFullHd)->Name("FullHd/copy")->Unit(benchmark::kMicrosecond);

void BM_TurnRawBits(benchmark::State& state) {
  Bmp bitmap(256, 256, 32, kTrueColour);
  for (auto _ : state) {
    if (!TurnBitmap(bitmap, 90)) state.SkipWithError("the bitmap did not turn");
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_TurnRawBits)->Name("Turn90/raw/256");

}  // namespace
}  // namespace cbst
