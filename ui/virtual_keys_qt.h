// virtual_keys_qt.h: the toolkit's keys as virtual-key numbers, for ui/.
#pragma once

#include <QKeyEvent>

namespace cbst {

struct VirtualKey {
  int code = 0;  // 0 for keys the program has no number for
  bool extended = false;
};

// The key of `event`: keypad keys give the numbers of the keypad, with or
// without Num Lock as the toolkit reports them, and the grey keys beside it
// carry the extended flag.
VirtualKey VirtualKeyOf(const QKeyEvent& event);

}  // namespace cbst
