// random.h: the program's one random generator, seeded before every cut.
//
// A saved game finds its pieces again only when every number is drawn in the
// same order, so the generator is a fixed 64-bit linear congruential one.
#pragma once

#include <cstdint>

namespace cbst {

class Random {
 public:
  static constexpr std::uint64_t kMultiplier = 0x000015A400004E35;
  static constexpr int kCoinDiscards = 7;
  static constexpr int kCoinRange = 1000;
  static constexpr int kCoinHeads = 500;

  void Seed(std::uint32_t seed) { state_ = seed; }
  // A number in 0..2^31-1: bits 32..62 of the next state.
  std::int32_t Next() {
    state_ = state_ * kMultiplier + 1;
    return static_cast<std::int32_t>((state_ >> 32) & 0x7FFFFFFF);
  }
  // 0 for n = 0 without drawing; else the next number modulo |n|.
  std::int32_t rand(std::int32_t n) { return n == 0 ? 0 : Next() % n; }
  // Discards seven numbers and tosses with the eighth.
  bool coin() {
    for (int discard = 0; discard < kCoinDiscards; ++discard)
      Next();
    return rand(kCoinRange) < kCoinHeads;
  }

  std::uint64_t state() const { return state_; }

 private:
  std::uint64_t state_ = 0;
};

// The generator every cut draws from.
Random& ProgramRandom();

}  // namespace cbst
