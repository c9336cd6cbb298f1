// program_group.h: ProgramGroup, a folder of the desktop's applications menu
// holding the program's items, as the old program groups held them.
//
// The folder is a menu file merged into the applications menu, naming a
// .directory file for its title and the .desktop entries it includes. An
// item is known by its title: adding an item whose title is there already
// replaces it, so making the group twice never shows anything twice.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "setup/desktop_entry.h"

namespace cbst {

class ProgramGroup {
 public:
  explicit ProgramGroup(std::string_view name);

  // Makes the folder (or keeps it, with its items). False when a file
  // could not be written.
  bool Create();
  // Adds `entry` under its name, replacing an item of that name.
  bool ReplaceItem(const DesktopEntry& entry);
  // Takes the folder and every item it lists away again.
  bool Delete();

  bool exists() const;
  // The entry files the folder lists, in order.
  std::vector<std::string> ItemFiles() const;
  std::filesystem::path menu_file() const;
  std::filesystem::path directory_file() const;
  // Where the entry of an item with this title is kept.
  std::filesystem::path ItemFile(std::string_view title) const;

 private:
  bool WriteMenu(const std::vector<std::string>& items) const;

  std::string name_;
  std::string stem_;  // the name as file names carry it
};

}  // namespace cbst
