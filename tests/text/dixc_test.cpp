// dixc_test.cpp: the dictionary compiler: what its sources and id table
// may hold, what it refuses, the completeness check and the flags.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dixc/compiler.h"
#include "dixc/flags.h"
#include "support/dictionary_files.h"
#include "support/file_size_limit.h"
#include "support/file_text.h"
#include "text/format_arguments.h"

namespace cbst::dixc {
namespace {

using testing::FileBytes;

const std::string kTable =
    "# Texts\n\nAn unrelated table first:\n\n| type | id |\n|---|---|\n| 9 | 9 |\n\n"
    "| type | context | id | arguments | width | used in | says |\n"
    "|---|---|---|---|---|---|---|\n"
    "| 1 | 0 | 26 | %s | - | table | identity |\n"
    "| 1 | 0 | 27 | %5.1f %s | - | table | share |\n"
    "| 1 | 0x10 | 50 | - | 12 | box | short caption |\n"
    "| 0x11 | 0 | 50 | - | - | box | colliding key |\n"
    "| 4 | 0x30 | 1201 | `-` | - | table | tip |\n"
    "\nMore prose after the table.\n";

UsedIdTable Table() {
  Problems problems;
  UsedIdTable table = ParseUsedIds("used_ids.md", kTable, problems);
  EXPECT_TRUE(problems.empty());
  return table;
}

TEST(DixcSource, ReadsNumbersTextsAndEscapes) {
  const UsedIdTable table = Table();
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table.at({1, 0, 27}).arguments, (std::vector<std::string>{"%5.1f", "%s"}));
  EXPECT_EQ(table.at({1, 0x10, 50}).width, 12);
  EXPECT_TRUE(table.at({4, 0x30, 1201}).arguments.empty());

  Problems problems;
  const std::vector<SourceEntry> entries =
      ParseSource("eng.txt",
                  "\xEF\xBB\xBF# comment\r\n\n  \n1 0 0 26 = Caf\xC3\xA9 %s  \r\n"
                  "0x1  0x10 3 50 = a\\nb\\tc\\\\d\n4 48 0 1201 = \n4 48 1 1201 =\n",
                  table, problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].text, "Caf\xe9 %s  ");  // Windows-1252, trailing blanks kept
  EXPECT_EQ(entries[0].line, 4);
  EXPECT_EQ(std::tie(entries[1].type, entries[1].context, entries[1].variant, entries[1].id),
            std::make_tuple(1, 0x10, 3, 50));
  EXPECT_EQ(entries[1].text, "a\r\nb\tc\\d");
  EXPECT_EQ(entries[2].text, "");
  EXPECT_EQ(entries[3].text, "");
}

TEST(DixcSource, RefusesWhatCannotBeADictionaryEntryByFileAndLine) {
  Problems problems;
  std::vector<std::uint8_t> file;
  const std::string source =
      "1 0 0 26 = first\n"
      "1 0 0 26 = the same entry again\n"    // 2: duplicate
      "1 0 0 27 = \xE2\x86\x92 %5.1f %s\n"   // 3: an arrow Windows-1252 lacks
      "1 0 0 28 = not a used text\n"         // 4: not in the table
      "1 0 0 = three numbers\n"              // 5
      "1 0 0 26 text without separator\n"    // 6
      "1 0 1 26 = a stray \\q escape\n"      // 7
      "1 0 0 70000 = too large\n"            // 8
      "1 0x10 0 50 = distinct tuples may\n"  // colliding keys are fine
      "0x11 0 0 50 = share one key\n";
  EXPECT_FALSE(CompileDictionary("eng.txt", "eng", source, Table(), file, problems));
  ASSERT_EQ(problems.size(), 7u);
  for (std::size_t i = 0; i < problems.size(); ++i)
    EXPECT_TRUE(problems[i].starts_with("eng.txt:" + std::to_string(i + 2) + ": ")) << problems[i];
  EXPECT_NE(problems[0].find("line 1"), std::string::npos);
  EXPECT_NE(problems[1].find("Windows-1252"), std::string::npos);
  EXPECT_NE(problems[2].find("not in the used-id table"), std::string::npos);

  problems.clear();
  EXPECT_FALSE(CompileDictionary("xyz.txt", "xyz", "1 0 0 26 = a\n", Table(), file, problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("no flag"), std::string::npos);

  problems.clear();
  ParseUsedIds("used_ids.md", "| type | id |\n|---|---|\n| 1 | 2 |\n", problems);
  EXPECT_EQ(problems.size(), 1u);
}

class DixcCheck : public ::testing::Test {
 protected:
  std::string Source(const std::string& code, const std::string& content) {
    const std::string path = directory_.path() + "/" + code + ".txt";
    std::ofstream(path) << content;
    return path;
  }
  Problems Check(const std::vector<std::string>& paths) {
    Problems problems;
    CheckDictionaries("used_ids.md", Table(), paths, problems);
    return problems;
  }

  testing::DictionaryDirectory directory_;
  const std::string english_ =
      "1 0 0 26 = Cobblestack %s\n1 0 0 27 = %5.1f%% of %s\n1 0x10 0 50 = Box\n"
      "0x11 0 0 50 = Other\n4 0x30 0 1201 = Shows the picture\n";
};

TEST_F(DixcCheck, PassesCompleteLanguagesThatAskForEnglishsArguments) {
  const std::string german =
      "1 0 0 26 = Cobblestack %s\n1 0 0 27 = %5.1f%% von %s\n1 0x10 0 50 = Kiste\n"
      "1 0x10 1 50 = #1,26\n0x11 0 0 50 = Andere\n4 0x30 0 1201 = Zeigt das Bild\n";
  EXPECT_EQ(Check({Source("eng", english_), Source("deu", german)}), Problems{});
}

TEST_F(DixcCheck, FindsMissingTextsArgumentsAndLengths) {
  const std::string german =
      "1 0 0 26 = Cobblestack\n"                  // 1: %s missing
      "1 0 0 27 = %s: %5.1f%%\n"                  // 2: arguments turned round
      "1 0x10 0 50 = Eine viel zu lange Kiste\n"  // 3: over 12 characters
      "0x11 0 0 50 = Andere\n";                   // and no tip 1201
  const Problems problems = Check({Source("eng", english_), Source("deu", german)});
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("deu.txt:1: arguments \"-\""), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("deu.txt:2: arguments \"%s %5.1f\""), std::string::npos);
  EXPECT_NE(problems[2].find("deu.txt:3: 24 characters"), std::string::npos);
  EXPECT_NE(problems[3].find("no text for type 4 context 48 id 1201"), std::string::npos);

  // English itself is held to the table.
  const std::string english = "1 0 0 26 = Cobblestack %i\n" + english_.substr(25);
  EXPECT_EQ(Check({Source("eng", english)}).size(), 1u);
}

TEST(FormatConversions, ReadsConversionsAsPrintfDoes) {
  EXPECT_EQ(FormatConversions("%5.1f%% of %s, %lu and %-3d %X%"),
            (std::vector<std::string>{"%5.1f", "%s", "%lu", "%-3d", "%X", "%"}));
  EXPECT_TRUE(FormatConversions("100%% sure").empty());
}

// How often the colour changes along a row (across) or a column (down).
int Changes(const Dib& flag, bool across) {
  int changes = 0;
  const int count = across ? flag.width() : flag.height();
  for (int i = 1; i < count; ++i) {
    const int x = across ? i : flag.width() / 4, y = across ? flag.height() / 4 : i;
    const int px = across ? i - 1 : x, py = across ? y : i - 1;
    changes += flag.PixelColour(x, y) != flag.PixelColour(px, py);
  }
  return changes;
}

TEST(DixcOutput, AWriteCutOffAtAnyByteLeavesTheOldDictionary) {
  const testing::DictionaryDirectory files;
  const std::vector<std::uint8_t> before =
      testing::DictionaryDirectory::Encode("eng", {{1, 0, 0, 10, "Ten"}});
  const std::vector<std::uint8_t> after =
      testing::DictionaryDirectory::Encode("eng", {{1, 0, 0, 10, "Ten"}, {1, 0, 0, 20, "Twenty"}});
  files.WriteBytes("eng", before);
  const std::string path = files.FileOf("eng");
  for (std::size_t length = 0; length < after.size(); ++length) {
    {
      const testing::FileSizeLimit limit(length);
      EXPECT_TRUE(WriteWholeFile(path.c_str(), after).failed()) << length;
    }
    ASSERT_EQ(FileBytes(path), before) << "cut off after " << length << " bytes";
    const auto entries = std::distance(std::filesystem::directory_iterator(files.path()),
                                       std::filesystem::directory_iterator());
    ASSERT_EQ(entries, 1) << "a temporary file is left after " << length << " bytes";
  }
  {
    const testing::FileSizeLimit limit(after.size());
    ASSERT_TRUE(WriteWholeFile(path.c_str(), after).ok());
  }
  EXPECT_EQ(FileBytes(path), after);
}

TEST(DixcFlags, DrawsEachLanguagesFlag) {
  struct Expected {
    const char* language;
    int across, down;
  };
  for (const Expected& expected :
       {Expected{"cas", 0, 2}, Expected{"cat", 0, 8}, Expected{"deu", 0, 2}, Expected{"fra", 2, 0},
        Expected{"ita", 2, 0}}) {
    Dib flag;
    ASSERT_TRUE(DrawFlag(expected.language, flag));
    EXPECT_EQ(Changes(flag, true), expected.across) << expected.language;
    EXPECT_EQ(Changes(flag, false), expected.down) << expected.language;
  }
  Dib spain;
  DrawFlag("cas", spain);
  EXPECT_EQ(spain.PixelColour(0, 3), spain.PixelColour(0, 15));  // red bands of 4 rows
  EXPECT_EQ(spain.PixelColour(0, 4), spain.PixelColour(0, 11));  // yellow of 8

  Dib britain;
  ASSERT_TRUE(DrawFlag("eng", britain));
  EXPECT_EQ(britain.PixelColour(kFlagWidth / 2, 0), britain.PixelColour(0, kFlagHeight / 2));
  EXPECT_NE(britain.PixelColour(kFlagWidth / 2, 0), britain.PixelColour(4, 1));
  EXPECT_FALSE(DrawFlag("xyz", britain));
}

}  // namespace
}  // namespace cbst::dixc
