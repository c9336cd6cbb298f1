// folder_dialog.h: letting the player choose a folder.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform_window.h"

namespace cbst {

// Shows the desktop's folder chooser over `owner` with `prompt` (Windows-1252)
// as its title, starting in `folder`; true with the choice in `folder` when
// the player chose one.
bool ChooseFolder(const PlatformWindow* owner, std::string_view prompt, std::string& folder);

}  // namespace cbst
