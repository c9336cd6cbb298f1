// dictionary_files.h: small dictionary files made for a test in a scratch
// directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_replacement.h"
#include "dixc/flags.h"
#include "text/dix_file.h"
#include "text/text_codes.h"

namespace cbst::testing {

struct TestEntry {
  int type, context, variant, id;
  std::string text;  // Windows-1252
};

class DictionaryDirectory {
 public:
  DictionaryDirectory() {
    path_ = std::filesystem::temp_directory_path() /
            ("cbst-text-test-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~DictionaryDirectory() { std::filesystem::remove_all(path_); }
  DictionaryDirectory(const DictionaryDirectory&) = delete;
  DictionaryDirectory& operator=(const DictionaryDirectory&) = delete;

  std::string path() const { return path_.string(); }
  std::string FileOf(const std::string& code) const {
    return (path_ / (std::string(kDictionaryTag) + code + kDictionaryExtension)).string();
  }

  // The dictionary of `code` with its flag (or "eng"'s when it has none).
  void Write(const std::string& code, const std::vector<TestEntry>& entries,
             std::uint16_t version = kDictionaryVersion) const {
    WriteBytes(code, Encode(code, entries, version));
  }
  static std::vector<std::uint8_t> Encode(const std::string& code,
                                          const std::vector<TestEntry>& entries,
                                          std::uint16_t version = kDictionaryVersion) {
    Dib flag;
    if (!dixc::DrawFlag(code, flag)) dixc::DrawFlag(kEnglishCode, flag);
    std::vector<DixEntry> texts;
    for (const TestEntry& entry : entries)
      texts.push_back({DixKey(entry.id, entry.type, entry.context, entry.variant), entry.text});
    return EncodeDix(version, dixc::BmpFileImage(flag), texts);
  }
  void WriteBytes(const std::string& code, const std::vector<std::uint8_t>& bytes) const {
    ASSERT_TRUE(WriteWholeFile(FileOf(code).c_str(), bytes).ok());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace cbst::testing
