// libfuzzer_main.cpp: the libFuzzer program of one fuzz entry, named by
// CBST_FUZZ_ENTRY when the fuzz build compiles it.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cbst::fuzz::PrepareFuzzing();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return cbst::fuzz::CBST_FUZZ_ENTRY(data, size);
}
