// help_viewer.h: the help pages, shown by the desktop's browser.
#pragma once

#include <string>

namespace cbst {

// Opens the page at `path` at the topic `context` (the anchor "ctx" and the
// number; 0 for the page's beginning). False when the page is not there or
// the desktop could not show it.
bool OpenHelpPage(const std::string& path, int context);

}  // namespace cbst
