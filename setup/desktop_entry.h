// desktop_entry.h: the text of a freedesktop .desktop file, the form a menu
// item and a desktop shortcut take.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

struct DesktopEntry {
  std::string name;
  std::string comment;
  // A program to run, with its arguments already in Exec form...
  std::string exec;
  std::string working_directory;
  // ...or, instead, a document or web page to open.
  std::string url;
  std::string icon = "cobblestack";
};

// Exec= form of one argument: quoted when it must be, with the characters
// the quotes do not protect escaped.
std::string ExecArgument(std::string_view argument);
// The whole file: Type=Application with Exec and Path, or Type=Link with URL.
std::string DesktopEntryText(const DesktopEntry& entry);
// The value of `key` in the [Desktop Entry] group of `text`; empty when missing.
std::string DesktopEntryValue(std::string_view text, std::string_view key);

}  // namespace cbst
