// registry.h: the system registry's classes root, kept as a small INI file
// in the user's config directory, and the freedesktop files that tell the
// desktop what the program opens.
//
// Each key is a section named by its path ("\.puz",
// "\Cobblestack_Puzzle\shell\open\command"); its default value is "@".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/vstring.h"

namespace cbst {

// registry.ini beside the user settings file.
std::string RegistryPath();

// The default value of a key of the classes root; empty when unset.
VString ClassesRootValue(std::string_view key);
// Sets it, writing the file only when the value changes. False when the
// file could not be written.
bool SetClassesRootValue(std::string_view key, std::string_view value);

struct DesktopFileType {
  std::string extension;  // without the dot
  std::string mime_type;  // e.g. application/x-cobblestack-puzzle
  std::string comment;
};

// The shared-mime-info package of the program's file types and its
// .desktop entry, under $XDG_DATA_HOME (~/.local/share): the program runs
// as `command` with the file. Files already as they should be are left
// untouched. False when one could not be written.
bool ExportDesktopFileTypes(std::string_view command, const std::vector<DesktopFileType>& types);
// Takes those two files away again.
void UnexportDesktopFileTypes();
// $XDG_DATA_HOME, or ~/.local/share.
std::string UserDataDirectory();

}  // namespace cbst
