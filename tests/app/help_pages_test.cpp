// The help pages the build installs beside the program: every topic the
// program opens is there in every language, and a missing language falls
// back the way players expect.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/help_files.h"
#include "app/wdir.h"
#include "app/winfo.h"
#include "app/woptions.h"
#include "play/wbox.h"
#include "play/wsaveas.h"
#include "play/wspuz.h"
#include "scores/wminiscore.h"
#include "scores/wranking.h"
#include "support/desktop_home.h"
#include "support/file_text.h"

namespace cbst {
namespace {

// Every value after `opening` up to the next double quote.
std::vector<std::string> Quoted(const std::string& text, const std::string& opening) {
  std::vector<std::string> values;
  for (std::size_t at = text.find(opening); at != std::string::npos; at = text.find(opening, at)) {
    at += opening.size();
    const std::size_t end = text.find('"', at);
    if (end == std::string::npos) break;
    values.push_back(text.substr(at, end - at));
  }
  return values;
}

namespace fs = std::filesystem;

const fs::path kBuiltProgram = CBST_PROGRAM_DIR;

// Every topic number the program asks the help for.
constexpr int kTopics[] = {
    kHelpContents,           kHelpTopicSaveAs,           kHelpTopicPiece,
    kHelpTopicBox,           kHelpTopicSelection,        kHelpTopicPreview,
    kHelpTopicOptions,       kHelpTopicGameSettings,     kHelpTopicRanking,
    kHelpTopicRankingSecond, kHelpTopicCertificateAdded, kHelpTopicCertificateOffered,
    kHelpTopicBrowser,       kHelpTopicMiniScore,        kHelpTopicMakePuzzle};
constexpr const char* kLanguages[] = {"eng", "cas", "cat", "deu", "fra", "ita"};

using testing::FileText;

TEST(HelpPagesTest, EveryTopicAndEveryLinkHasItsPlaceInEveryLanguage) {
  for (const char* language : kLanguages) {
    const fs::path page = kBuiltProgram / (std::string("cbst") + language + ".html");
    ASSERT_TRUE(fs::exists(page)) << page;
    const std::string text = FileText(page);
    for (const int topic : kTopics)
      EXPECT_NE(text.find("id=\"ctx" + std::to_string(topic) + "\""), std::string::npos)
          << language << " has no topic " << topic;
    // The table of contents leads somewhere.
    const std::vector<std::string> ids = Quoted(text, "id=\"");
    const std::vector<std::string> links = Quoted(text, "href=\"#");
    for (const std::string& link : links)
      EXPECT_NE(std::find(ids.begin(), ids.end(), link), ids.end())
          << language << " links to a missing #" << link;
    EXPECT_GE(links.size(), 10u) << language;
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
