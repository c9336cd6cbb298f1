// dictionaries_test.cpp: the dictionaries the build made in the program
// directory load, and every text of every source is found in them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "dixc/compiler.h"
#include "dixc/flags.h"
#include "image/bmp_file.h"
#include "support/recording_sink.h"
#include "text/text_codes.h"
#include "text/traductor.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSink;

std::vector<std::string> Sources() {
  std::vector<std::string> sources;
  for (const auto& entry : fs::directory_iterator(CBST_DICTIONARY_SOURCES))
    if (entry.path().extension() == ".txt") sources.push_back(entry.path().string());
  std::sort(sources.begin(), sources.end());
  return sources;
}

TEST(BuiltDictionaries, LoadAndHoldEveryUsedText) {
  InstallBmpReader();
  dixc::Problems problems;
  std::string table_text;
  ASSERT_TRUE(dixc::ReadWholeFile(CBST_USED_IDS, table_text, problems));
  const dixc::UsedIdTable used = dixc::ParseUsedIds(CBST_USED_IDS, table_text, problems);
  ASSERT_EQ(problems, dixc::Problems{});

  const std::vector<std::string> sources = Sources();
  ASSERT_FALSE(sources.empty());
  std::string list;
  for (const std::string& source : sources)
    list += dixc::LanguageOfSource(source) + ",";

  for (const std::string& source : sources) {
    const std::string language = dixc::LanguageOfSource(source);
    SCOPED_TRACE(language);
    std::string content;
    ASSERT_TRUE(dixc::ReadWholeFile(source, content, problems));
    const std::vector<dixc::SourceEntry> entries =
        dixc::ParseSource(source, content, used, problems);
    ASSERT_EQ(problems, dixc::Problems{});

    Traductor dictionary;
    dictionary.set_directory(CBST_PROGRAM_DIR);
    dictionary.set_accepted_version(kDictionaryVersion);
    ASSERT_TRUE(dictionary.Load(list.c_str(), kDictionaryTag, language.c_str()).ok());
    ASSERT_EQ(dictionary.language(), language.c_str());
    EXPECT_EQ(dictionary.codes().size(), sources.size());
    EXPECT_EQ(dictionary.flag(dictionary.language_index()).width(), dixc::kFlagWidth);

    // Exactly asked, each entry is its own text, or that of the entry
    // before it in the file that shares its key.
    std::map<std::int32_t, const std::string*> first_of_key;
    std::map<dixc::TextNumber, int> found;
    RecordingSink sink;
    for (const dixc::SourceEntry& entry : entries) {
      const std::int32_t key = DixKey(entry.id, entry.type, entry.context, entry.variant);
      first_of_key.emplace(key, &entry.text);
      EXPECT_EQ(dictionary.Lookup(kLookupExact, entry.context, entry.variant, entry.id, entry.type),
                *first_of_key[key])
          << "line " << entry.line;
      // Redirections lead to a text.
      if (entry.text.starts_with(kRedirectionMark)) {
        EXPECT_STRNE(dictionary.Lookup(0, entry.context, entry.variant, entry.id, entry.type), "")
            << "line " << entry.line;
      }
      ++found[{entry.type, entry.context, entry.id}];
    }
    for (const auto& [number, row] : used)
      EXPECT_GT(found[number], 0) << "used-id table line " << row.line;
    EXPECT_TRUE(sink.reports.empty());
  }
}

}  // namespace
}  // namespace cbst
