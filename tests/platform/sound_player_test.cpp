// sound_player_test.cpp: which sounds the player starts, and which files it
// looks for, under the options and with files missing.
#include "platform/sound_player.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>

namespace cbst {
namespace {

namespace fs = std::filesystem;

// Every bit of the options word but the two the player obeys.
constexpr std::uint32_t kOtherOptions = 0xFFFF & ~(kSoundOptionMute | kSoundOptionNoEffects);
// Long enough for the sound effects to load their files in the background.
constexpr int kLoadingMilliseconds = 200;

// A program directory of its own holding the sounds the build made.
class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-sounds-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    for (const std::string_view name : kSoundNames)
      fs::copy_file(Built(name), File(name));
    fs::copy_file(Built(kCreditsSoundName), File(kCreditsSoundName));
  }
  void TearDown() override { fs::remove_all(directory_); }

  static fs::path Built(std::string_view name) {
    return fs::path(CBST_PROGRAM_DIR) / (std::string(name) + std::string(kSoundExtension));
  }
  std::string File(std::string_view name) const {
    return (directory_ / (std::string(name) + std::string(kSoundExtension))).string();
  }
  std::string Directory() const { return directory_.string(); }
  static void PlayAll(SoundPlayer& player) {
    for (int index = kFirstSound; index <= kLastSound; ++index)
      player.Play(index);
  }
  // Lets the sound effects load and play, where the machine can play.
  static void LetThemPlay() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kLoadingMilliseconds)
      QCoreApplication::processEvents();
  }

  int argc_ = 1;
  char name_[16] = "platform_tests";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication app_{argc_, argv_};
  fs::path directory_;
};

TEST_F(SoundPlayerTest, MuteLooksForNoFileAtAll) {
  SoundPlayer player(Directory(), kSoundOptionMute | kOtherOptions);
  PlayAll(player);
  player.PlayFile(File(kCreditsSoundName), true);
  EXPECT_EQ(player.file_checks(), 0);
  EXPECT_EQ(player.sounds_started(), 0);

  // Sound comes back as soon as the option is cleared.
  player.SetOptions(kOtherOptions);
  player.Play(kSoundPickUp);
  EXPECT_EQ(player.file_checks(), 1);
  EXPECT_EQ(player.sounds_started(), 1);
  EXPECT_EQ(player.last_started(), File("click1"));
  LetThemPlay();
}

TEST_F(SoundPlayerTest, AMissingFileSilencesOnlyItsSoundAndIsLookedForOnce) {
  fs::remove(File("toca"));
  SoundPlayer player(Directory());
  constexpr int kRounds = 3;
  for (int round = 0; round < kRounds; ++round) {
    PlayAll(player);
    EXPECT_EQ(player.last_started(), File("fxr2r"));
  }
  EXPECT_EQ(player.file_checks(), kLastSound);
  EXPECT_EQ(player.sounds_started(), kRounds * (kLastSound - 1));

  // The answer is kept for the run: the file coming back changes nothing.
  fs::copy_file(Built("toca"), File("toca"));
  player.Play(kSoundJoin);
  EXPECT_EQ(player.file_checks(), kLastSound);
  EXPECT_EQ(player.sounds_started(), kRounds * (kLastSound - 1));
  // A sound that stays silent leaves the last one's name.
  EXPECT_EQ(player.last_started(), File("fxr2r"));
  LetThemPlay();
}

TEST_F(SoundPlayerTest, NoWindowEffectsSilencesOnlyTheEffectSound) {
  SoundPlayer player(Directory(), kSoundOptionNoEffects);
  PlayAll(player);
  EXPECT_EQ(player.sounds_started(), kLastSound - 1);
  EXPECT_EQ(player.file_checks(), kLastSound - 1);  // its file is not even looked for
  EXPECT_EQ(player.last_started(), File("gira"));

  player.SetOptions(0);
  player.Play(kSoundEffect);
  EXPECT_EQ(player.sounds_started(), kLastSound);
  EXPECT_EQ(player.last_started(), File("fxr2r"));

  // No sound has these numbers, and no file is looked for.
  for (const int index : {kFirstSound - 1, kLastSound + 1, -1})
    player.Play(index);
  EXPECT_EQ(player.sounds_started(), kLastSound);
  EXPECT_EQ(player.file_checks(), kLastSound);
  LetThemPlay();
}

TEST_F(SoundPlayerTest, OtherFilesPlayByTheirPathUntilStopped) {
  SoundPlayer player(Directory());
  player.PlayFile(File(kCreditsSoundName), true);
  EXPECT_EQ(player.last_started(), File(kCreditsSoundName));
  LetThemPlay();
  player.Stop();
  player.Stop();  // nothing is playing any more

  player.PlayFile(File("nothing"));
  player.PlayFile(File("nothing"));
  EXPECT_EQ(player.file_checks(), 2);
  EXPECT_EQ(player.sounds_started(), 1);
}

}  // namespace
}  // namespace cbst
