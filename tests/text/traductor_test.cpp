// traductor_test.cpp: the dictionary on files made for each test: lookups
// and their fall-backs, plurals, discovery, versions, bad files, error
// texts and language switches.
#include "text/traductor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/report.h"
#include "base/status_codes.h"
#include "image/bmp_file.h"
#include "support/dictionary_files.h"
#include "support/recording_sink.h"
#include "text/plural.h"
#include "ui/application.h"

namespace cbst {
namespace {

using testing::DictionaryDirectory;
using testing::RecordingSink;
using testing::TestEntry;

const std::vector<TestEntry> kEnglish = {
    {1, 0, 0, 560, "Five hundred and sixty"},  // out of key order on purpose
    {1, 0, 0, 10, "Ten"},
    {1, 0, 0, 20, "Twenty"},
    {1, 0, 2, 20, "Twenty, second form"},
    {1, 0, 0, 30, "Thirty"},
    {1, 0, 0, 40, "#1,560"},
    {1, 0, 0, 41, "#4,1201"},
    {4, 0, 0, 1201, "Picture"},
    {4, kContextTip, 0, 1202, "Shows the whole picture"},
    {1, 0, 0, 80, "Open the @IDA file"},
    {5, 0, 0, 3, "puzzle"},
    {3, 0, 0, 12, "The file cannot be opened: %s"},
    {1, 0, 0, kTextWrongDictionaryVersion, "Format %.2f wanted, %.2f found in %s"},
    // Type 0x11 in context 0 and type 1 in context 0x10 share one key: the
    // one earlier in the file is found for both.
    {0x11, 0, 0, 50, "earlier in the file"},
    {1, kContextAlternate, 0, 50, "later in the file"},
};

const std::vector<TestEntry> kCastilian = {
    {1, 0, 0, 10, "Diez"},          {1, 0, 0, 70, "Imagen"},
    {1, 0, 0, 71, "Pieza"},         {1, kContextPlural, 0, 72, "Niveles"},
    {1, 0, 0, 72, "Nivel, a mano"},
};

class TraductorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallBmpReader();
    files_.Write("eng", kEnglish);
    dictionary_.set_directory(files_.path());
    dictionary_.set_accepted_version(kDictionaryVersion);
  }

  DictionaryDirectory files_;
  Traductor dictionary_;
};

TEST_F(TraductorTest, FindsTextsThroughVariantsContextsAndRedirections) {
  ASSERT_TRUE(dictionary_.Load("eng", kDictionaryTag, "eng").ok());
  EXPECT_STREQ(dictionary_.Lookup(0, 0, 0, 10, kTypeGeneral), "Ten");
  EXPECT_STREQ(dictionary_.Lookup(0, 0, 0, 11, kTypeGeneral), "");
  // An alternate form without an entry is the plain text; a tip is not.
  EXPECT_STREQ(ControlText(kContextAlternate, 1201), "Picture");
  EXPECT_STREQ(ControlText(kContextTip, 1201), "");
  EXPECT_STREQ(ControlText(kContextTip, 1202), "Shows the whole picture");
  // A variant without its own text is variant 0; headings fall to plain.
  EXPECT_STREQ(dictionary_.Lookup(0, 0, 2, 20, kTypeGeneral), "Twenty, second form");
  EXPECT_STREQ(dictionary_.Lookup(0, 0, 3, 20, kTypeGeneral), "Twenty");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextHeading, 5, 30, kTypeGeneral), "Thirty");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextExtra, 0, 30, kTypeGeneral), "Thirty");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextTip, 0, 30, kTypeGeneral), "");
  // "#1,560" is text 560; exactly asked, it is itself. A plain redirection
  // also serves the other contexts, followed in the asked context.
  EXPECT_STREQ(Text(40), "Five hundred and sixty");
  EXPECT_STREQ(dictionary_.Lookup(kLookupExact, 0, 0, 40, kTypeGeneral), "#1,560");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextAlternate, 0, 41, kTypeGeneral), "Picture");
  EXPECT_STREQ(dictionary_.Lookup(kLookupExact, 0, 2, 30, kTypeGeneral), "");
  // Colliding keys: the first in file order, whichever tuple is asked.
  EXPECT_STREQ(dictionary_.Lookup(0, kContextAlternate, 0, 50, kTypeGeneral),
               "earlier in the file");
  EXPECT_STREQ(dictionary_.Lookup(0, 0, 0, 50, 0x11), "earlier in the file");
  // "@IDA" takes the type-5 text; VString reads type 1 too.
  EXPECT_STREQ(Text(80, 0, 3), "Open the puzzle file");
  EXPECT_EQ(VString::Entry(10), "Ten");
}

TEST_F(TraductorTest, ReportsMissingTextsWhenAsked) {
  ASSERT_TRUE(dictionary_.Load("eng", kDictionaryTag, "eng").ok());
  RecordingSink sink;
  EXPECT_STREQ(dictionary_.Lookup(0, kContextTip, 0, 1201, kTypeControl), "");
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_STREQ(dictionary_.Lookup(kLookupReportMissing, kContextTip, 0, 1201, kTypeControl), "");
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Traductor:: id:1201 tip:4 atm:0 ctx:48"});
  sink.clear();
  EXPECT_STREQ(dictionary_.Lookup(kLookupReportMissing, 0, 1, 10, kTypeGeneral), "Ten");
  EXPECT_TRUE(sink.reports.empty());
}

TEST(Plural, FollowsTheLastLetterInCatalanAndCastilian) {
  EXPECT_EQ(Plural("cas", "Imagen"), "Imagenes");
  EXPECT_EQ(Plural("cas", "Pieza"), "Piezas");
  EXPECT_EQ(Plural("cas", "Sof\xe1"), "Sof\xe1s");
  EXPECT_EQ(Plural("cat",
                   "Pe\xe7"
                   "a"),
            "Pe\xe7"
            "es");
  EXPECT_EQ(Plural("cat", "Cam\xed"), "Cam\xeds");
  EXPECT_EQ(Plural("cat", "Mo"), "Mons");
  EXPECT_EQ(Plural("cat", "Nivell"), "Nivells");
  EXPECT_EQ(Plural("CAT", "Vora"), "Vores");
  EXPECT_EQ(Plural("eng", "Piece"), "Piece");
  EXPECT_EQ(Plural("deu", "Teil"), "Teil");
}

TEST_F(TraductorTest, MakesPluralsOfThePlainTextUnlessThereIsOne) {
  files_.Write("cas", kCastilian);
  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "cas").ok());
  EXPECT_STREQ(dictionary_.Lookup(0, kContextPlural, 0, 70, kTypeGeneral), "Imagenes");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextPlural, 1, 71, kTypeGeneral), "Piezas");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextPlural, 0, 72, kTypeGeneral), "Niveles");
  EXPECT_STREQ(dictionary_.Lookup(0, kContextPlural, 0, 73, kTypeGeneral), "");
}

TEST_F(TraductorTest, DiscoversTheLanguagesThatHaveFiles) {
  files_.Write("cas", kCastilian);
  files_.Write("deu", {{1, 0, 0, 10, "Zehn"}});
  files_.WriteBytes("xyz", {});  // named like a dictionary, but not one
  ASSERT_TRUE(dictionary_.Load(" cat, eng ,cas,ita,", kDictionaryTag, "ita").ok());
  EXPECT_EQ(dictionary_.codes(), (std::vector<VString>{"eng", "cas", "deu", "xyz"}));
  // The wanted language has no file: the first one is taken.
  EXPECT_EQ(dictionary_.language(), "eng");
  EXPECT_STREQ(Text(10), "Ten");
  EXPECT_EQ(dictionary_.flag(0).width(), dixc::kFlagWidth);
  EXPECT_EQ(dictionary_.flag(2).height(), dixc::kFlagHeight);
  EXPECT_FALSE(dictionary_.flag(3).valid());
  EXPECT_FALSE(dictionary_.flag(4).valid());

  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "CAS").ok());
  EXPECT_EQ(dictionary_.language(), "cas");
  EXPECT_EQ(dictionary_.language_index(), 1);
  EXPECT_STREQ(Text(10), "Diez");
}

TEST_F(TraductorTest, FailsWithoutFilesOrWithALongTag) {
  std::filesystem::remove(files_.FileOf("eng"));
  RecordingSink sink;
  Status loaded = dictionary_.Load("eng,cas", kDictionaryTag, "eng");
  EXPECT_EQ(loaded.code(), kStatusOpenFailed);
  EXPECT_TRUE(dictionary_.codes().empty());
  EXPECT_FALSE(dictionary_.loaded());

  EXPECT_EQ(dictionary_.Load("eng", "CS21ab", "eng").code(), kStatusBadDictionaryTag);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Traductor::file ln>5"});
}

TEST_F(TraductorTest, RefusesAnotherFormatVersionWithMessage199) {
  // The flag right after the table offset: "BM" at offset 4, version 100.
  files_.Write("cas", kCastilian, kDictionaryVersionFlagFirst);
  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "eng").ok());
  EXPECT_TRUE(dictionary_.flag(1).valid());  // read from offset 4

  RecordingSink sink;
  EXPECT_FALSE(dictionary_.SelectLanguage("cas"));
  ASSERT_EQ(sink.texts().size(), 1u);
  EXPECT_EQ(sink.texts()[0], "Format 2.00 wanted, 1.00 found in " + files_.FileOf("cas"));
  EXPECT_EQ(dictionary_.language(), "eng");  // the English dictionary goes on
  EXPECT_STREQ(Text(10), "Ten");

  // Loading it directly has no message 199 yet: a fixed English one.
  sink.clear();
  EXPECT_EQ(dictionary_.Load("cas", kDictionaryTag, "cas").code(), kStatusDictionaryRefused);
  ASSERT_EQ(sink.texts().size(), 1u);
  EXPECT_NE(sink.texts()[0].find("2.00"), std::string::npos);
  EXPECT_NE(sink.texts()[0].find(files_.FileOf("cas")), std::string::npos);

  dictionary_.set_accepted_version(kAcceptAnyVersion);
  ASSERT_TRUE(dictionary_.Load("cas", kDictionaryTag, "cas").ok());
  EXPECT_STREQ(Text(10), "Diez");
}

TEST_F(TraductorTest, RefusesTablesThatDoNotFitTheFile) {
  const std::vector<std::uint8_t> good = DictionaryDirectory::Encode("cas", kCastilian);
  const auto at = [&](std::vector<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
  };
  const std::uint32_t tables = good[0] | good[1] << 8 | good[2] << 16;
  const std::size_t count = kCastilian.size();
  const std::vector<std::vector<std::uint8_t>> bad = {
      {good.begin(), good.begin() + 5},                      // cut in the header
      {good.begin(), good.end() - 3},                        // cut in the texts
      at(good, 0, static_cast<std::uint32_t>(good.size())),  // tables past the end
      at(good, tables, 0xFFFFFFFF),                          // a huge key count
      at(good, tables + 4 + 4 * count, 2),                   // offset count unequal
      at(good, tables + 8 + 4 * count, 100000),              // an offset past the texts
      at(good, tables + 4, 0x7FFFFFFF),                      // keys not sorted
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    files_.WriteBytes("cas", bad[i]);
    RecordingSink sink;
    Status loaded = dictionary_.Load("cas", kDictionaryTag, "cas");
    EXPECT_EQ(loaded.code(), kStatusBadDictionary) << "case " << i;
    EXPECT_FALSE(dictionary_.loaded()) << "case " << i;
  }
}

TEST_F(TraductorTest, GivesErrorTextsByCode) {
  ASSERT_TRUE(dictionary_.Load("eng", kDictionaryTag, "eng").ok());
  EXPECT_STREQ(ErrorText(12), "The file cannot be opened: %s");
  EXPECT_STREQ(ErrorText(0x0002'0063), "Error:Grup:2,id:99");
  {
    RecordingSink sink;
    Status(kStatusOpenFailed, "a.puz");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"The file cannot be opened: a.puz"});
  }
  EXPECT_EQ(StatusMessage(7, ""), "Error:Grup:0,id:7");
}

// Text 570 is the closed box's tip, formatted with the box's number; 546
// is formatted with a puzzle's name.
TEST_F(TraductorTest, TextsThatWouldReadOtherArgumentsGiveWayWhenLoaded) {
  files_.Write("eng", {{1, 0, 0, 570, "Box %i: double-click to open it."},
                       {1, 0, 0, 546, "The certificate of %s was added."},
                       {1, 0, 0, 10, "Ten"}});
  const std::vector<TestEntry> crafted = {
      {1, 0, 0, 570, "Caja %s: doble clic para abrirla."},  // a number read as a text
      {1, 0, 0, 546, "Certificado de %.20s añadido."},      // another spelling of a text
      {1, 0, 0, 10, "Diez %n"},                             // no text asks for arguments
  };
  files_.Write("cas", crafted);
  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "cas").ok());
  EXPECT_EQ(VString::Format(Text(570), 3), "Box 3: double-click to open it.");
  EXPECT_STREQ(Text(546), "Certificado de %.20s añadido.");
  EXPECT_STREQ(Text(10), "Ten");

  // A redirection is judged by the text it leads to.
  files_.Write("cas", {{1, 0, 0, 570, "#1,546"}, {1, 0, 0, 546, "Certificado de %s."}});
  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "cas").ok());
  EXPECT_STREQ(Text(570), "Box %i: double-click to open it.");
  EXPECT_STREQ(Text(546), "Certificado de %s.");

  // Without an English text that fits, the text names itself as missing.
  std::filesystem::remove(files_.FileOf("eng"));
  files_.Write("cas", crafted);
  ASSERT_TRUE(dictionary_.Load("cas", kDictionaryTag, "cas").ok());
  EXPECT_EQ(VString::Format(Text(570), 3), "Error:Grup:1,id:570");
  files_.Write("eng", {{1, 0, 0, 570, "Box %s"}});
  ASSERT_TRUE(dictionary_.Load("eng", kDictionaryTag, "eng").ok());
  EXPECT_STREQ(Text(570), "Error:Grup:1,id:570");
}

TEST(TraductorGone, LeavesErrorNumbersAndNoTexts) {
  { Traductor dictionary; }
  EXPECT_EQ(Traductor::Instance(), nullptr);
  EXPECT_STREQ(ErrorText(5), "Error #5");
  EXPECT_EQ(StatusMessage(5, ""), "Error #5");
  EXPECT_STREQ(Text(10), "");
  EXPECT_TRUE(VString::Entry(10).empty());
}

// Keeps the languages it is told of.
class LanguageListener : public Window {
 public:
  void OnEvent(Event& event) override {
    if (event.code == kEventLanguageChanged)
      heard.emplace_back(reinterpret_cast<const char*>(event.as<CommandPayload>()->parameter));
    Window::OnEvent(event);
  }
  std::vector<std::string> heard;
};

std::vector<std::string> saved_languages;
void SaveLanguage(const char* code) {
  saved_languages.emplace_back(code);
}

TEST_F(TraductorTest, SwitchesLanguageSavesItAndTellsEveryWindow) {
  static int argc = 1;
  static char name[] = "text_tests";
  static char* argv[] = {name, nullptr};
  Application application(argc, argv);
  auto* first = application.Make<LanguageListener>();
  auto* second = application.Make<LanguageListener>();
  files_.Write("cas", kCastilian);
  dictionary_.set_language_saver(SaveLanguage);
  saved_languages.clear();
  ASSERT_TRUE(dictionary_.Load("eng,cas", kDictionaryTag, "eng").ok());

  EXPECT_TRUE(dictionary_.SelectLanguage("CAS"));
  EXPECT_STREQ(Text(10), "Diez");
  EXPECT_FALSE(dictionary_.SelectLanguage("cas"));  // already
  EXPECT_FALSE(dictionary_.SelectLanguage("ita"));  // not installed
  EXPECT_FALSE(dictionary_.SelectLanguage(2));
  EXPECT_TRUE(dictionary_.SelectLanguage(0, true));
  EXPECT_STREQ(Text(10), "Ten");

  EXPECT_EQ(saved_languages, std::vector<std::string>{"cas"});
  EXPECT_EQ(first->heard, (std::vector<std::string>{"cas", "eng"}));
  EXPECT_EQ(second->heard, first->heard);
}

}  // namespace
}  // namespace cbst
