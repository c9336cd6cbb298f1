// game_keys.cpp: the table of the game's keys.
#include "app/game_keys.h"

#include <iterator>

#include "app/game_events.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr std::uint32_t Pressed(std::uint32_t modifiers, int key) {
  return KeyCode(kKeyPressed, modifiers, static_cast<std::uint32_t>(key));
}
constexpr int F(int number) {
  return kVkF1 + number - 1;
}

// The keypad's keys 1 to 6 without Num Lock, each naming the box of its
// figure.
constexpr int kKeypadBoxKeys[] = {kVkEnd, kVkDown, kVkNext, kVkLeft, kVkClear, kVkRight};
constexpr int kNoBox = -1;

int KeypadBox(int virtual_key) {
  for (int box = 0; box < static_cast<int>(std::size(kKeypadBoxKeys)); ++box)
    if (kKeypadBoxKeys[box] == virtual_key) return box;
  return kNoBox;
}

// A box named by a key: a typed figure, or the keypad's keys with and
// without Num Lock; with Alt, the figure keys themselves.
KeyAction BoxKey(const KeyPayload& key, std::uint32_t code) {
  if (code >= KeyCode(kKeyTyped, 0, '1') && code <= KeyCode(kKeyTyped, 0, '9'))
    return {KeyAction::Kind::kToggleBox, 0,
            static_cast<std::intptr_t>(code - KeyCode(kKeyTyped, 0, '1'))};
  if (key.kind != KeyKind::kDown) return {};
  const int keypad = key.extended ? kNoBox : KeypadBox(key.virtual_key);
  if (code == Pressed(0, key.virtual_key) && keypad != kNoBox)
    return {KeyAction::Kind::kToggleBox, 0, keypad};
  if (code != Pressed(kKeyAlt, key.virtual_key)) return {};
  if (keypad != kNoBox) return {KeyAction::Kind::kBoxPiece, 0, keypad};
  if (key.virtual_key >= kVkNumpad0 + 1 && key.virtual_key <= kVkNumpad0 + 6)
    return {KeyAction::Kind::kBoxPiece, 0, key.virtual_key - kVkNumpad0 - 1};
  if (key.virtual_key >= '1' && key.virtual_key <= '9')
    return {KeyAction::Kind::kBoxPiece, 0, key.virtual_key - '1'};
  return {};
}

struct KeyCommand {
  std::uint32_t code;
  std::uint32_t command;
};

constexpr KeyCommand kKeyCommands[] = {
    {Pressed(kKeyCtrl, 'O'), kCommandOpen},
    {Pressed(kKeyCtrl, 'S'), kCommandSave},
    {Pressed(kKeyCtrl, 'A'), kCommandSaveAs},
    {Pressed(kKeyCtrl, 'C'), kCommandMakePuzzle},
    {Pressed(kKeyCtrl, 'V'), kCommandPasteScores},
    {Pressed(kKeyCtrl, 'R'), kCommandSpread},
    {Pressed(kKeyAlt, 'R'), kCommandSpread},
    {Pressed(kKeyCtrl | kKeyAlt, 'R'), kCommandSpread},
    {Pressed(0, F(1)), kCommandHelpContents},
    {Pressed(0, F(2)), kCommandGameSettings},
    {Pressed(0, F(3)), kCommandOptions},
    {Pressed(0, F(4)), kCommandLiveRanking},
    {KeyCode(kKeyReleased, 0, F(5)), kCommandAutomaticHelp},
    {Pressed(kKeyCtrl, F(12)), kCommandAdvancedOptions},
};

}  // namespace

std::uint32_t KeyCodeOf(const KeyPayload& key) {
  std::uint32_t modifiers = 0;
  if (key.modifiers & kModControl) modifiers |= kKeyCtrl;
  if (key.modifiers & kModShift) modifiers |= kKeyShift;
  if (key.modifiers & kModAlt) modifiers |= kKeyAlt;
  switch (key.kind) {
    case KeyKind::kDown:
      return KeyCode(kKeyPressed, modifiers, static_cast<std::uint32_t>(key.virtual_key));
    case KeyKind::kUp:
      return KeyCode(kKeyReleased, modifiers, static_cast<std::uint32_t>(key.virtual_key));
    default:
      return KeyCode(kKeyTyped, modifiers, static_cast<std::uint32_t>(key.character));
  }
}

KeyAction ActionForKey(const KeyPayload& key) {
  const std::uint32_t code = KeyCodeOf(key);
  for (const KeyCommand& entry : kKeyCommands)
    if (entry.code == code) return {KeyAction::Kind::kCommand, entry.command, 0};
  if (code == Pressed(0, F(10)) || code == Pressed(kKeyAlt, F(10)))
    return {KeyAction::Kind::kGameMenu};
  if (code == Pressed(kKeyCtrl, F(11))) return {KeyAction::Kind::kCompletion};
  // The preview remembers the key that opened it, to close with it.
  if (code == Pressed(0, kVkSpace) || code == Pressed(0, kVkNumpad0) ||
      (code == Pressed(0, kVkInsert) && !key.extended))
    return {KeyAction::Kind::kCommand, kCommandTogglePreview, static_cast<std::intptr_t>(code)};
  if (code == Pressed(0, kVkInsert)) return {KeyAction::Kind::kSwallow};
  if (key.kind == KeyKind::kDown && key.virtual_key == kVkShift && !key.repeat)
    return {KeyAction::Kind::kLoupe};
  if (code == Pressed(0, kVkTab) || code == Pressed(0, kVkEscape) || code == Pressed(0, kVkAdd))
    return {KeyAction::Kind::kBoxKey};
  return BoxKey(key, code);
}

}  // namespace cbst
