// The help pages the build installs beside the program: every topic the
// program opens is there in every language, and a missing language falls
// back the way players expect.
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/help_files.h"
#include "app/winfo.h"
#include "app/woptions.h"
#include "play/wbox.h"
#include "play/wsaveas.h"
#include "play/wspuz.h"
#include "support/desktop_home.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

const fs::path kBuiltProgram = CBST_PROGRAM_DIR;

// Every topic number the program asks the help for.
constexpr int kTopics[] = {kHelpContents,     kHelpTopicSaveAs,      kHelpTopicPiece,
                           kHelpTopicBox,     kHelpTopicSelection,   kHelpTopicPreview,
                           kHelpTopicOptions, kHelpTopicGameSettings};
constexpr const char* kLanguages[] = {"eng", "cas", "cat", "deu", "fra", "ita"};

std::string Contents(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(HelpPagesTest, EveryTopicAndEveryLinkHasItsPlaceInEveryLanguage) {
  for (const char* language : kLanguages) {
    const fs::path page = kBuiltProgram / (std::string("cbst") + language + ".html");
    ASSERT_TRUE(fs::exists(page)) << page;
    const std::string text = Contents(page);
    for (const int topic : kTopics)
      EXPECT_NE(text.find("id=\"ctx" + std::to_string(topic) + "\""), std::string::npos)
          << language << " has no topic " << topic;
    // The table of contents leads somewhere.
    std::set<std::string> ids;
    const std::regex id_pattern("id=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), id_pattern);
         it != std::sregex_iterator(); ++it)
      ids.insert((*it)[1]);
    const std::regex link_pattern("href=\"#([^\"]+)\"");
    int links = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link_pattern);
         it != std::sregex_iterator(); ++it, ++links)
      EXPECT_TRUE(ids.count((*it)[1])) << language << " links to a missing #" << (*it)[1];
    EXPECT_GE(links, 10) << language;
  }
}

TEST(HelpPagesTest, AMissingLanguageFallsBackThroughSpanishToEnglish) {
  testing::DesktopHome home("help_fallback");
  const fs::path directory = home.root() / "program";
  fs::create_directories(directory);
  const std::string dir = directory.string();
  const auto page = [&](const char* language) {
    return (directory / (std::string("cbst") + language + ".html")).string();
  };
  // Nothing there: the last name tried is English.
  EXPECT_EQ(HelpFilePath(dir, "cat"), page("eng"));
  std::ofstream(page("eng")) << "<html></html>";
  EXPECT_EQ(HelpFilePath(dir, "cat"), page("eng"));
  EXPECT_EQ(HelpFilePath(dir, "deu"), page("eng"));
  std::ofstream(page("cas")) << "<html></html>";
  EXPECT_EQ(HelpFilePath(dir, "cat"), page("cas")) << "Catalan readers get Spanish first";
  EXPECT_EQ(HelpFilePath(dir, "fra"), page("eng")) << "other languages go straight to English";
  std::ofstream(page("cat")) << "<html></html>";
  EXPECT_EQ(HelpFilePath(dir, "cat"), page("cat"));
  EXPECT_EQ(HelpFilePath(dir, ""), page("eng"));
}

}  // namespace
}  // namespace cbst
