// virtual_keys.cpp: the one table from the toolkit's keys to virtual keys.
#include "ui/virtual_keys.h"

#include <array>
#include <utility>

#include "ui/virtual_keys_qt.h"

namespace cbst {
namespace {

struct KeyRow {
  int qt;
  int code;
};

// Keys whose number does not depend on where they are.
constexpr std::array kPlainKeys = {
    KeyRow{Qt::Key_Backspace, kVkBack},    KeyRow{Qt::Key_Tab, kVkTab},
    KeyRow{Qt::Key_Backtab, kVkTab},       KeyRow{Qt::Key_Return, kVkReturn},
    KeyRow{Qt::Key_Shift, kVkShift},       KeyRow{Qt::Key_Control, kVkControl},
    KeyRow{Qt::Key_Alt, kVkMenu},          KeyRow{Qt::Key_AltGr, kVkMenu},
    KeyRow{Qt::Key_Pause, kVkPause},       KeyRow{Qt::Key_CapsLock, kVkCapital},
    KeyRow{Qt::Key_Escape, kVkEscape},     KeyRow{Qt::Key_Space, kVkSpace},
    KeyRow{Qt::Key_Print, kVkSnapshot},    KeyRow{Qt::Key_Help, kVkHelp},
    KeyRow{Qt::Key_NumLock, kVkNumLock},   KeyRow{Qt::Key_ScrollLock, kVkScroll},
    KeyRow{Qt::Key_Semicolon, kVkOem1},    KeyRow{Qt::Key_Colon, kVkOem1},
    KeyRow{Qt::Key_Equal, kVkOemPlus},     KeyRow{Qt::Key_Plus, kVkOemPlus},
    KeyRow{Qt::Key_Comma, kVkOemComma},    KeyRow{Qt::Key_Less, kVkOemComma},
    KeyRow{Qt::Key_Minus, kVkOemMinus},    KeyRow{Qt::Key_Underscore, kVkOemMinus},
    KeyRow{Qt::Key_Period, kVkOemPeriod},  KeyRow{Qt::Key_Greater, kVkOemPeriod},
    KeyRow{Qt::Key_Slash, kVkOem2},        KeyRow{Qt::Key_Question, kVkOem2},
    KeyRow{Qt::Key_QuoteLeft, kVkOem3},    KeyRow{Qt::Key_AsciiTilde, kVkOem3},
    KeyRow{Qt::Key_BracketLeft, kVkOem4},  KeyRow{Qt::Key_BraceLeft, kVkOem4},
    KeyRow{Qt::Key_Backslash, kVkOem5},    KeyRow{Qt::Key_Bar, kVkOem5},
    KeyRow{Qt::Key_BracketRight, kVkOem6}, KeyRow{Qt::Key_BraceRight, kVkOem6},
    KeyRow{Qt::Key_Apostrophe, kVkOem7},   KeyRow{Qt::Key_QuoteDbl, kVkOem7},
};

// The six keys above the arrows and the arrows: grey ones are extended, the
// keypad's (Num Lock off) are not.
constexpr std::array kNavigationKeys = {
    KeyRow{Qt::Key_Insert, kVkInsert}, KeyRow{Qt::Key_Delete, kVkDelete},
    KeyRow{Qt::Key_Home, kVkHome},     KeyRow{Qt::Key_End, kVkEnd},
    KeyRow{Qt::Key_PageUp, kVkPrior},  KeyRow{Qt::Key_PageDown, kVkNext},
    KeyRow{Qt::Key_Left, kVkLeft},     KeyRow{Qt::Key_Up, kVkUp},
    KeyRow{Qt::Key_Right, kVkRight},   KeyRow{Qt::Key_Down, kVkDown},
    KeyRow{Qt::Key_Clear, kVkClear},
};

// The keypad's own keys, whatever Num Lock says.
constexpr std::array kKeypadKeys = {
    KeyRow{Qt::Key_Asterisk, kVkMultiply}, KeyRow{Qt::Key_Plus, kVkAdd},
    KeyRow{Qt::Key_Minus, kVkSubtract},    KeyRow{Qt::Key_Period, kVkDecimal},
    KeyRow{Qt::Key_Comma, kVkSeparator},   KeyRow{Qt::Key_Slash, kVkDivide},
    KeyRow{Qt::Key_Enter, kVkReturn},
};

template <std::size_t N>
int Look(const std::array<KeyRow, N>& rows, int key) {
  for (const KeyRow& row : rows) {
    if (row.qt == key) return row.code;
  }
  return 0;
}

}  // namespace

VirtualKey VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  if (keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return {kVkNumpad0 + (key - Qt::Key_0), false};
    if (const int code = Look(kKeypadKeys, key))
      return {code, key == Qt::Key_Enter || key == Qt::Key_Slash};
    if (const int code = Look(kNavigationKeys, key)) return {code, false};
  }
  if (key == Qt::Key_Enter) return {kVkReturn, true};
  if (const int code = Look(kNavigationKeys, key)) return {code, key != Qt::Key_Clear};
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return {kVkF1 + (key - Qt::Key_F1), false};
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return {'0' + (key - Qt::Key_0), false};
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return {'A' + (key - Qt::Key_A), false};
  // Shifted digits on a US layout still name their key.
  constexpr std::pair<int, int> kShiftedDigits[] = {
      {Qt::Key_Exclam, '1'},     {Qt::Key_At, '2'},       {Qt::Key_NumberSign, '3'},
      {Qt::Key_Dollar, '4'},     {Qt::Key_Percent, '5'},  {Qt::Key_AsciiCircum, '6'},
      {Qt::Key_Ampersand, '7'},  {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'},
      {Qt::Key_ParenRight, '0'},
  };
  for (const auto& [qt, code] : kShiftedDigits) {
    if (key == qt) return {code, false};
  }
  if (const int code = Look(kPlainKeys, key)) return {code, false};
  return {};
}

}  // namespace cbst
