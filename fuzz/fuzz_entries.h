// fuzz_entries.h: the readers' fuzz entries, plain functions that read one
// input each, for the libFuzzer programs and for the regression test that
// reads every input that ever made a reader fail.
//
// An entry returns 0 (libFuzzer's "keep going"); a fault it finds is a
// crash, a sanitizer report or, for a broken promise of the reader (opening
// a puzzle changed the file, a setting written does not read back), an
// abort with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cbst::fuzz {

using FuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

#define CBST_FUZZ_TARGET(name, entry) int entry(const std::uint8_t* data, std::size_t size);
#include "fuzz/targets.def"
#undef CBST_FUZZ_TARGET

struct FuzzTarget {
  std::string_view name;
  FuzzEntry entry;
};

inline constexpr FuzzTarget kFuzzTargets[] = {
#define CBST_FUZZ_TARGET(name, entry) {#name, entry},
#include "fuzz/targets.def"
#undef CBST_FUZZ_TARGET
};

// What every entry needs once per process: the toolkit on the offscreen
// platform, the display probed, the BMP reader installed and reports kept
// quiet. The entries call it themselves; calling it early keeps the set-up
// out of the first input's time.
void PrepareFuzzing();

}  // namespace cbst::fuzz
