// sound_player.cpp: the sound player on the toolkit's sound effects.
#include "platform/sound_player.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <utility>

namespace cbst {
namespace {

// Whether sound can be heard at all. Without an output a sound effect
// would complain once for every file it loads, so none is made.
bool AudioOutputPresent() {
  return QCoreApplication::instance() != nullptr && !QMediaDevices::audioOutputs().isEmpty();
}

}  // namespace

SoundPlayer::SoundPlayer(std::string program_directory, std::uint32_t options)
    : directory_(std::move(program_directory)), options_(options) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::Play(int index) {
  if (options_ & kSoundOptionMute) return;
  if (index == kSoundEffect && (options_ & kSoundOptionNoEffects)) return;
  const std::string_view name = SoundName(index);
  if (name.empty()) return;
  std::string path = directory_;
  path += '/';
  path += name;
  path += kSoundExtension;
  Start(path, false);
}

void SoundPlayer::PlayFile(const std::string& path, bool loop) {
  if (options_ & kSoundOptionMute) return;
  Start(path, loop);
}

void SoundPlayer::Stop() {
  if (playing_) playing_->stop();
  playing_ = nullptr;
}

void SoundPlayer::Start(const std::string& path, bool loop) {
  auto known = sounds_.find(path);
  if (known == sounds_.end()) {
    ++file_checks_;
    std::error_code error;
    Sound sound;
    sound.exists = std::filesystem::is_regular_file(path, error);
    known = sounds_.emplace(path, std::move(sound)).first;
  }
  if (!known->second.exists) return;

  Stop();
  ++sounds_started_;
  last_started_ = path;
  if (AudioOutputPresent()) StartEffect(path, known->second, loop);
}

void SoundPlayer::StartEffect(const std::string& path, Sound& sound, bool loop) {
  const QAudioDevice output = QMediaDevices::defaultAudioOutput();
  if (!sound.effect) {
    sound.effect = std::make_unique<QSoundEffect>(output);
    // Loading goes on in the background; a play before it ends starts
    // the sound as soon as it is loaded.
    sound.effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
  } else if (sound.effect->audioDevice() != output) {
    sound.effect->setAudioDevice(output);  // the player switched speakers
  }
  sound.effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
  sound.effect->play();
  playing_ = sound.effect.get();
}

}  // namespace cbst
