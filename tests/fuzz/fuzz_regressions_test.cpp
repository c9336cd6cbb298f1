// fuzz_regressions_test.cpp: every input that ever made a reader fail, and
// every seed the fuzzers start from, read again through the fuzz entries, so
// that the normal suite (and its sanitizer build) keeps them fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "fuzz/fuzz_entries.h"

namespace cbst::fuzz {

// Test names show the target, not the bytes of its record.
void PrintTo(const FuzzTarget& target, std::ostream* out) {
  *out << target.name;
}

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Reads each file through the entry. A fault crashes the test program or,
// under the sanitizers, stops it with a report; the file it was reading is
// named first.
void ReadAll(const FuzzTarget& target, const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(target.name.size()), target.name.data(),
                 file.c_str());
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0) << file;
  }
}

class FuzzInputs : public ::testing::TestWithParam<FuzzTarget> {
 protected:
  static void SetUpTestSuite() { PrepareFuzzing(); }
};

TEST_P(FuzzInputs, InputsThatMadeTheReaderFailAreReadQuietly) {
  ReadAll(GetParam(), FilesUnder(fs::path(CBST_FUZZ_REGRESSIONS) / GetParam().name));
}

TEST_P(FuzzInputs, SeedsAreRead) {
  const std::vector<fs::path> seeds = FilesUnder(fs::path(CBST_FUZZ_CORPUS) / GetParam().name);
  EXPECT_FALSE(seeds.empty()) << "every target starts from a few seeds";
  ReadAll(GetParam(), seeds);
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzInputs, ::testing::ValuesIn(kFuzzTargets),
                         [](const ::testing::TestParamInfo<FuzzTarget>& target) {
                           return std::string(target.param.name);
                         });

}  // namespace
}  // namespace cbst::fuzz
