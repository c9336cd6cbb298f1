// shortcuts.h: the program group with its items, the desktop shortcut and
// the uninstall entry.
#pragma once

#include <filesystem>

#include "setup/install_place.h"

namespace cbst {

// Makes the program group "Cobblestack" with the program, its help page in
// `language` and, when cssite.url is beside the program, the web site;
// notes in the settings that the group exists, and makes the uninstall
// entry when the uninstaller is beside the program. Making it again
// replaces the items. False when a file could not be written.
bool CreateProgramGroupAndShortcuts(const InstallPlace& place, std::string_view language);

// The shortcut "Cobblestack" on the desktop; its path is kept in the
// settings so that removal finds it. False when it could not be written.
bool CreateDesktopLink(const InstallPlace& place);
// Deletes the shortcut the settings name, if any.
void RemoveDesktopLink(const InstallPlace& place);

// The uninstall entry: its command, empty when there is none.
std::string UninstallCommand();
void DeleteUninstallEntry();

}  // namespace cbst
