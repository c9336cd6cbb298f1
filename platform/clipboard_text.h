// clipboard_text.h: plain text onto the desktop's clipboard.
#pragma once

#include <string_view>

namespace cbst {

// Puts `text` (Windows-1252) on the clipboard as plain text; false when
// there is no clipboard to put it on.
bool SetClipboardText(std::string_view text);

}  // namespace cbst
