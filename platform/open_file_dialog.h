// open_file_dialog.h: the dialog in which the player picks a file to open.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform_window.h"

namespace cbst {

// `filter` lists pairs of a name and its patterns, each ended by "|"
// ("JPEG files|*.jpg;*.jpeg|"); patterns match names without regard to
// case. The dialog starts in the directory of `start` (a file or a
// directory; the current one when empty). Returns true with `chosen` set
// to the picked file, false when the player cancels.
bool AskOpenFileName(const PlatformWindow* owner, std::string_view title, std::string_view filter,
                     const std::string& start, std::string& chosen);

// The filter in the toolkit's form: "JPEG files (*.[jJ][pP][gG]);;...".
std::string ToolkitFileFilter(std::string_view filter);

}  // namespace cbst
