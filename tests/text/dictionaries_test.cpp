// dictionaries_test.cpp: the dictionaries the build made in the program
// directory load, and every text of every source is found in them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

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

// The control ids of each of the program's dialog templates.
std::map<std::string, std::vector<int>> DialogControls() {
  static constexpr std::string_view kId = R"(<property name="id" stdset="0"><number>)";
  std::map<std::string, std::vector<int>> dialogs;
  for (const auto& entry : fs::directory_iterator(CBST_DIALOG_TEMPLATES)) {
    if (entry.path().extension() != ".ui") continue;
    std::ifstream file(entry.path());
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    std::vector<int>& ids = dialogs[entry.path().filename().string()];
    for (std::size_t at = text.find(kId); at != std::string::npos; at = text.find(kId, at)) {
      at += kId.size();
      ids.push_back(std::atoi(text.c_str() + at));
    }
  }
  return dialogs;
}

// The letter that Alt takes to a control, folded to lower case, or 0.
unsigned char AccessKey(const std::string& text) {
  for (std::size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != '&') continue;
    if (text[at + 1] == '&') {
      ++at;
      continue;
    }
    const auto key = static_cast<unsigned char>(text[at + 1]);
    // Windows-1252 capitals, ASCII and accented.
    const bool capital = (key >= 'A' && key <= 'Z') || (key >= 0xC0 && key <= 0xDE && key != 0xD7);
    return capital ? static_cast<unsigned char>(key + 0x20) : key;
  }
  return 0;
}

// With two controls of one dialog on the same letter, Alt and the letter
// only moves between them and never presses or ticks either.
TEST(BuiltDictionaries, EveryControlOfADialogHasALetterOfItsOwn) {
  dixc::Problems problems;
  std::string table_text;
  ASSERT_TRUE(dixc::ReadWholeFile(CBST_USED_IDS, table_text, problems));
  const dixc::UsedIdTable used = dixc::ParseUsedIds(CBST_USED_IDS, table_text, problems);
  const std::map<std::string, std::vector<int>> dialogs = DialogControls();
  ASSERT_FALSE(dialogs.empty());
  for (const std::string& source : Sources()) {
    std::string content;
    ASSERT_TRUE(dixc::ReadWholeFile(source, content, problems));
    std::map<int, std::string> controls;
    for (const dixc::SourceEntry& entry : dixc::ParseSource(source, content, used, problems))
      if (entry.type == kTypeControl && entry.context == 0 && entry.variant == 0)
        controls.emplace(entry.id, entry.text);
    for (const auto& [dialog, ids] : dialogs) {
      std::map<unsigned char, int> taken;
      for (const int id : std::set<int>(ids.begin(), ids.end())) {
        const auto text = controls.find(id);
        if (text == controls.end()) continue;
        const unsigned char key = AccessKey(text->second);
        if (key == 0) continue;
        const auto [first, fresh] = taken.emplace(key, id);
        EXPECT_TRUE(fresh) << dixc::LanguageOfSource(source) << " " << dialog << ": controls "
                           << first->second << " and " << id << " share '" << key << "'";
      }
    }
  }
}

}  // namespace
}  // namespace cbst
