// xdg_places.h: where the desktop looks for menus, menu entries and the
// desktop's own icons, following the XDG base and user directories.
#pragma once

#include <filesystem>

namespace cbst {

// $XDG_CONFIG_HOME, or ~/.config.
std::filesystem::path UserConfigDirectory();
// The menu entries of the user: <data>/applications.
std::filesystem::path ApplicationsDirectory();
// The folders' names and icons of the user's menus: <data>/desktop-directories.
std::filesystem::path DesktopDirectoriesDirectory();
// Menu files merged into the applications menu: <config>/menus/applications-merged.
std::filesystem::path MergedMenusDirectory();
// The desktop: what `xdg-user-dir DESKTOP` says when that program is
// there, else ~/Desktop.
std::filesystem::path DesktopDirectory();

}  // namespace cbst
