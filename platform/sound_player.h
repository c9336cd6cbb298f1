// sound_player.h: plays the game's numbered sounds and other wave files
// from the program directory.
//
// Sounds play asynchronously; a new one stops the one still playing. The
// player asks only once whether a file exists: a missing sound stays
// silent for the rest of the run, without a word to the player. On a
// machine with no audio output the sounds are started and simply not
// heard; nothing waits for them and nothing complains.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/sound_names.h"

class QSoundEffect;

namespace cbst {

// The bits of the program's options word the player obeys: all sounds
// off, and no window effects (which silences their sound, kSoundEffect).
inline constexpr std::uint32_t kSoundOptionMute = 0x0008;
inline constexpr std::uint32_t kSoundOptionNoEffects = 0x1000;

class SoundPlayer {
 public:
  explicit SoundPlayer(std::string program_directory, std::uint32_t options = 0);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // The program's options word, which the player may change at any time.
  void SetOptions(std::uint32_t options) { options_ = options; }
  std::uint32_t options() const { return options_; }

  // Plays sound `index` (kSoundEdge ... kSoundEffect) unless the options
  // silence it or its file is missing; an unknown index plays nothing.
  void Play(int index);
  // Plays any wave file, such as the credits' music; `loop` repeats it
  // until Stop or the next sound. Mute silences it as well.
  void PlayFile(const std::string& path, bool loop = false);
  // Stops the sound that is playing, if any.
  void Stop();

  // What the player has done, for tests and diagnostics: how often it has
  // asked whether a file exists, how many sounds it has started (heard or
  // not), and the path of the last one.
  int file_checks() const { return file_checks_; }
  int sounds_started() const { return sounds_started_; }
  const std::string& last_started() const { return last_started_; }

 private:
  // One file: whether it exists, and once played where there is an audio
  // output, the effect that holds it loaded for immediate replays.
  struct Sound {
    bool exists = false;
    std::unique_ptr<QSoundEffect> effect;
  };

  void Start(const std::string& path, bool loop);
  void StartEffect(const std::string& path, Sound& sound, bool loop);

  std::string directory_;
  std::uint32_t options_;
  std::map<std::string, Sound, std::less<>> sounds_;  // by path
  QSoundEffect* playing_ = nullptr;                   // borrowed from sounds_
  int file_checks_ = 0;
  int sounds_started_ = 0;
  std::string last_started_;
};

}  // namespace cbst
