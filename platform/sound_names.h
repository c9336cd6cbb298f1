// sound_names.h: the numbers and file names of the game's sounds.
//
// The sounds are wave files in the program directory, named here without
// their extension. The sound player plays them; the build makes them.
#pragma once

#include <array>
#include <string_view>

namespace cbst {

// The numbered sounds and the moments they belong to.
inline constexpr int kSoundEdge = 1;    // a carried piece pushed into a window's edge
inline constexpr int kSoundPickUp = 2;  // a piece picked up
inline constexpr int kSoundDrop = 3;    // a piece dropped that joins nothing
inline constexpr int kSoundJoin = 4;    // a drop or a turn that joins pieces
inline constexpr int kSoundSolved = 5;  // a join that completes the puzzle
inline constexpr int kSoundTurn = 6;    // a piece turned
inline constexpr int kSoundEffect = 7;  // a box opened or closed, and other window effects
inline constexpr int kFirstSound = kSoundEdge;
inline constexpr int kLastSound = kSoundEffect;

inline constexpr std::array<std::string_view, kLastSound - kFirstSound + 1> kSoundNames = {
    "xoc", "click1", "click2", "toca", "fin", "gira", "fxr2r"};

// The music of the credits window, beside the numbered sounds.
inline constexpr std::string_view kCreditsSoundName = "credits";

inline constexpr std::string_view kSoundExtension = ".wav";

// The file name of sound `index` without the extension; empty when there
// is no such sound.
constexpr std::string_view SoundName(int index) {
  if (index < kFirstSound || index > kLastSound) return {};
  return kSoundNames[index - kFirstSound];
}

}  // namespace cbst
