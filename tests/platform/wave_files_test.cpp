// wave_files_test.cpp: the sound files the build makes are wave files the
// player can play, at a pleasant level, and the same in every build.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sound_names.h"
#include "support/file_text.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;

constexpr int kSampleRate = 44100;
constexpr int kFullScale = 32767;
// Levelled to -3 dBFS; quieter than -30 dB on average would be near silence.
constexpr double kPeakDbfs = -3.0;
constexpr double kPeakTolerance = 0.5;
constexpr double kQuietestRmsDbfs = -30.0;
// A sound starting or ending further from rest than this clicks.
constexpr int kRestLevel = 64;

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
bool TagAt(const std::vector<std::uint8_t>& bytes, std::size_t at, const char (&tag)[5]) {
  return bytes.size() >= at + 4 && std::equal(tag, tag + 4, bytes.begin() + at);
}

fs::path SoundFile(const fs::path& directory, std::string_view name) {
  return directory / (std::string(name) + std::string(kSoundExtension));
}

// How long each sound may last, in seconds.
struct Expected {
  std::string_view name;
  double shortest;
  double longest;
};
constexpr double kClick = 0.05;
constexpr double kEffect = 0.6;
constexpr Expected kSounds[] = {{"xoc", kClick, kEffect},    {"click1", kClick, kEffect},
                                {"click2", kClick, kEffect}, {"toca", kClick, kEffect},
                                {"fin", 1.0, 1.5},           {"gira", kClick, kEffect},
                                {"fxr2r", kClick, kEffect},  {kCreditsSoundName, 6.0, 10.0}};

TEST(WaveFiles, EverySoundIsLevelledMonoPcmOfItsLength) {
  ASSERT_EQ(std::size(kSounds), kSoundNames.size() + 1);
  for (const Expected& sound : kSounds) {
    SCOPED_TRACE(std::string(sound.name));
    EXPECT_TRUE(sound.name == kCreditsSoundName ||
                std::find(kSoundNames.begin(), kSoundNames.end(), sound.name) != kSoundNames.end());
    const std::vector<std::uint8_t> bytes = FileBytes(SoundFile(CBST_PROGRAM_DIR, sound.name));
    constexpr std::size_t kHeaderSize = 44;
    ASSERT_GT(bytes.size(), kHeaderSize);
    ASSERT_TRUE(TagAt(bytes, 0, "RIFF") && TagAt(bytes, 8, "WAVE") && TagAt(bytes, 12, "fmt "));
    EXPECT_EQ(Read32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(Read32(bytes, 16), 16u);  // the plain PCM format chunk
    EXPECT_EQ(Read16(bytes, 20), 1);    // PCM
    EXPECT_EQ(Read16(bytes, 22), 1);    // mono
    EXPECT_EQ(Read32(bytes, 24), static_cast<std::uint32_t>(kSampleRate));
    EXPECT_EQ(Read32(bytes, 28), static_cast<std::uint32_t>(kSampleRate * 2));  // bytes a second
    EXPECT_EQ(Read16(bytes, 32), 2);                                            // bytes a sample
    EXPECT_EQ(Read16(bytes, 34), 16);                                           // bits a sample
    ASSERT_TRUE(TagAt(bytes, 36, "data"));
    const std::uint32_t data_size = Read32(bytes, 40);
    ASSERT_EQ(data_size, bytes.size() - kHeaderSize);
    ASSERT_EQ(data_size % 2, 0u);

    std::vector<int> samples;
    for (std::size_t at = kHeaderSize; at < bytes.size(); at += 2)
      samples.push_back(static_cast<std::int16_t>(Read16(bytes, at)));
    const double seconds = static_cast<double>(samples.size()) / kSampleRate;
    EXPECT_GE(seconds, sound.shortest);
    EXPECT_LE(seconds, sound.longest);

    int peak = 0;
    double energy = 0.0;
    for (const int sample : samples) {
      peak = std::max(peak, std::abs(sample));
      energy += static_cast<double>(sample) * sample;
    }
    EXPECT_LT(peak, kFullScale);  // nothing clipped
    const double peak_dbfs = 20.0 * std::log10(static_cast<double>(peak) / kFullScale);
    EXPECT_NEAR(peak_dbfs, kPeakDbfs, kPeakTolerance);
    const double rms = std::sqrt(energy / static_cast<double>(samples.size()));
    EXPECT_GT(20.0 * std::log10(rms / kFullScale), kQuietestRmsDbfs);
    EXPECT_LE(std::abs(samples.front()), kRestLevel);
    EXPECT_LE(std::abs(samples.back()), kRestLevel);
  }
}

TEST(WaveFiles, TheGeneratorWritesTheSameBytesEveryTime) {
  const fs::path directory =
      fs::temp_directory_path() / ("cbst-wavgen-" + std::to_string(::getpid()));
  fs::create_directories(directory);
  const std::string command = std::string("'") + CBST_WAVGEN + "' '" + directory.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const Expected& sound : kSounds) {
    SCOPED_TRACE(std::string(sound.name));
    EXPECT_EQ(FileBytes(SoundFile(directory, sound.name)),
              FileBytes(SoundFile(CBST_PROGRAM_DIR, sound.name)));
  }
  fs::remove_all(directory);

  // A directory it cannot write into is an error, not a silent success.
  const std::string bad =
      std::string("'") + CBST_WAVGEN + "' '" + directory.string() + "/missing' 2>/dev/null";
  EXPECT_NE(std::system(bad.c_str()), 0);
}

}  // namespace
}  // namespace cbst
