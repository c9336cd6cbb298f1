// clipboard_text.h: plain text onto the desktop's clipboard, and back.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// Puts `text` (Windows-1252) on the clipboard as plain text; false when
// there is no clipboard to put it on.
bool SetClipboardText(std::string_view text);

// The plain text on the clipboard (Windows-1252), empty when it holds none.
std::string ClipboardText();

}  // namespace cbst
