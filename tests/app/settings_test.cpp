// Settings, the options record, game flags and the language choice, against
// settings files in a temporary directory.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/language_choice.h"
#include "app/options.h"
#include "app/settings.h"
#include "play/game_flags.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ =
        fs::temp_directory_path() /
        ("cbst_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  std::string Write(const std::string& text) {
    const fs::path path = directory_ / "cbst.ini";
    std::ofstream(path) << text;
    return path.string();
  }
  std::string Contents(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  fs::path directory_;
};

TEST_F(SettingsTest, NumbersReadInDecimalOrHexAndBlankAsZero) {
  const Settings settings(Write("[Main]\nA=0x28\nB= 17\nC=\nD=junk\n"));
  EXPECT_EQ(settings.ReadNumber("a"), 0x28);
  EXPECT_EQ(settings.ReadNumber("B"), 17);
  EXPECT_EQ(settings.ReadNumber("C"), 0);
  EXPECT_EQ(settings.ReadNumber("D"), 0);
  EXPECT_EQ(settings.ReadNumber("missing"), 0);
  EXPECT_FALSE(settings.Has("C"));
  EXPECT_TRUE(settings.Has("D"));
}

TEST_F(SettingsTest, TheFileForANameLiesBesideTheProgramUnlessItIsAPath) {
  EXPECT_EQ(Settings::FileFor("CBst", "/opt/cbst/"), "/opt/cbst/cbst.ini");
  EXPECT_EQ(Settings::FileFor("Other", "/opt/cbst"), "/opt/cbst/other.ini");
  EXPECT_EQ(Settings::FileFor("/home/me/mine.ini", "/opt/cbst/"), "/home/me/mine.ini");
  EXPECT_EQ(Settings::FileFor("C:\\old\\cbst.ini", "/opt/cbst/"), "C:\\old\\cbst.ini");
}

TEST_F(SettingsTest, OlderKeysFoldIntoTheOptionsAndDisappear) {
  const std::string path = Write("[Main]\nMute=1\nDefAutoSave=0\nDefCompetition=2\n");
  const Settings settings(path);
  Options options;
  options.Load(settings);
  EXPECT_EQ(options.bits, kOptionsMute | kOptionsCompetition);
  EXPECT_FALSE(options.dirty);
  EXPECT_EQ(settings.ReadNumber("Options"), 0x28);
  for (const char* key : {"Mute", "DefAutoSave", "DefCompetition"})
    EXPECT_EQ(Contents(path).find(key), std::string::npos) << key;
}

TEST_F(SettingsTest, OptionsKeepTheirBitsButNeverTheCacheBit) {
  const std::string path = Write("[Main]\nOptions=0x29\nNoShadow=1\nSolidShadow=3\n");
  const Settings settings(path);
  Options options;
  options.Load(settings);
  EXPECT_EQ(options.bits, 0x28u);
  EXPECT_EQ(options.no_shadow, 1);
  EXPECT_EQ(options.solid_shadow, 3);
  EXPECT_EQ(options.no_sparkle, 0);
  // The cache bit lasts one run, so loading saved at once, in decimal,
  // with the loupe's defaults.
  EXPECT_EQ(std::string(settings.Read("Options").c_str()), "40");
  EXPECT_EQ(std::string(settings.Read("Loupe").c_str()), "150,2");

  Write("[Main]\nOptions=0x28\nLoupe=220, 3.0\n");
  options.Load(settings);
  EXPECT_EQ(options.loupe_size, 220);
  EXPECT_DOUBLE_EQ(options.loupe_magnification, 3.0);
  EXPECT_EQ(std::string(settings.Read("Options").c_str()), "0x28")
      << "nothing changed, nothing saved";
  options.Save(settings);
  EXPECT_EQ(std::string(settings.Read("Options").c_str()), "40");
  EXPECT_EQ(std::string(settings.Read("Loupe").c_str()), "220,3");
}

TEST_F(SettingsTest, TheLoupeKeepsWithinItsRangesWhateverTheFileSays) {
  struct Case {
    const char* loupe;
    int size;
    double magnification;
  };
  const Case cases[] = {
      {"1e30,1e300", kMaxLoupeSize, kMaxLoupeMagnification},
      {"1e999,-1e999", kMaxLoupeSize, kMinLoupeMagnification},  // past what a double holds
      {"-5,-2", kMinLoupeSize, kMinLoupeMagnification},
      {"-2147483649,0", kMinLoupeSize, kMinLoupeMagnification},
      {"nan,nan", kDefaultLoupeSize, kDefaultLoupeMagnification},
      {"inf,-inf", kDefaultLoupeSize, kDefaultLoupeMagnification},
      {"big,small", kDefaultLoupeSize, kDefaultLoupeMagnification},
      {",", kDefaultLoupeSize, kDefaultLoupeMagnification},
      {"200", 200, kDefaultLoupeMagnification},
      {"190.7,4.5", 190, 4.5},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.loupe);
    const std::string path = Write(std::string("[Main]\nLoupe=") + test.loupe + "\n");
    const Settings settings(path);
    Options options;
    options.Load(settings);
    EXPECT_EQ(options.loupe_size, test.size);
    EXPECT_DOUBLE_EQ(options.loupe_magnification, test.magnification);
    // What is saved back reads as the same loupe.
    options.Save(settings);
    Options again;
    again.Load(settings);
    EXPECT_EQ(again.loupe_size, test.size);
    EXPECT_EQ(again.loupe_magnification, std::round(test.magnification));
  }
}

TEST_F(SettingsTest, GameFlagsComeFromTheOptionsAndTravelAsText) {
  Options options;
  options.bits = kOptionsCompetition | kOptionsNoPreview | kOptionsHideScore | kOptionsMute;
  const std::uint32_t game_flags = options.DefaultGameFlags();
  EXPECT_EQ(game_flags, kGameCompetition | kGameNoPreview | kGameHideScore);

  std::string text = "/Tit:x";
  AppendGameFlags(game_flags, text);
  EXPECT_EQ(text, "/Tit:x/Options:21");
  EXPECT_EQ(GameFlagsFromText(text), game_flags);
  EXPECT_EQ(GameFlagsFromText("/Competition/HideBoxes"), kGameCompetition | kGameHideBoxes);
  EXPECT_EQ(GameFlagsFromText("/AutoSave/HideScore/Options:8"), kGameHideBoxes);
}

TEST(LanguageChoiceTest, TheSystemLanguageComesFirstAndIsNotRepeated) {
  EXPECT_EQ(SystemLanguageOfLocale("es_ES.UTF-8"), "esp");
  EXPECT_EQ(SystemLanguageOfLocale("nl_BE"), "nld");
  EXPECT_EQ(SystemLanguageOfLocale("C"), "");
  EXPECT_EQ(DictionaryLanguage("esn"), "cas");
  EXPECT_EQ(DictionaryLanguage("nld"), "deu");
  EXPECT_EQ(DictionaryLanguage("enu"), "eng");
  EXPECT_EQ(DictionaryLanguage("jpn"), "eng");
  EXPECT_EQ(LanguageList("cas"), "cas,eng,,cat,deu,fra,ita");
  EXPECT_EQ(LanguageList("ita"), "ita,eng,cas,cat,deu,fra,");
}

}  // namespace
}  // namespace cbst
