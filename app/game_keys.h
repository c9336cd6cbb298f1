// game_keys.h: the game's keyboard shortcuts.
//
// A key is matched as one whole code, kind x 4096 + modifiers x 256 + key,
// so that a key held with one more modifier is another key altogether.
#pragma once

#include <cstdint>

#include "ui/event.h"

namespace cbst {

// Key kinds and modifiers as the codes count them.
inline constexpr std::uint32_t kKeyPressed = 1;
inline constexpr std::uint32_t kKeyReleased = 2;
inline constexpr std::uint32_t kKeyTyped = 4;
inline constexpr std::uint32_t kKeyCtrl = 1;
inline constexpr std::uint32_t kKeyShift = 2;
inline constexpr std::uint32_t kKeyAlt = 4;

constexpr std::uint32_t KeyCode(std::uint32_t kind, std::uint32_t modifiers, std::uint32_t key) {
  return kind * 4096 + modifiers * 256 + key;
}
// The code of a key event: its virtual key, or its character when typed.
std::uint32_t KeyCodeOf(const KeyPayload& key);

// What a key asks of the game.
struct KeyAction {
  enum class Kind {
    kNone,        // not one of the game's keys
    kCommand,     // `command` with `parameter`
    kSwallow,     // taken, and nothing done
    kGameMenu,    // the game's menu at the mouse
    kCompletion,  // the completion effect, for show
    kLoupe,       // the loupe at the mouse
    kBoxKey,      // offered to the topmost piece box (Esc may hide the game)
    kToggleBox,   // open or close box `parameter`
    kBoxPiece,    // the group under the mouse into box `parameter`
  };
  Kind kind = Kind::kNone;
  std::uint32_t command = 0;
  std::intptr_t parameter = 0;
};
KeyAction ActionForKey(const KeyPayload& key);

}  // namespace cbst
