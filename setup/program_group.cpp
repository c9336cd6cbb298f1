// program_group.cpp: the program group as a merged menu folder.
#include "setup/program_group.h"

#include <algorithm>

#include "setup/text_files.h"
#include "setup/xdg_places.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilenameOpen = "<Filename>";
constexpr std::string_view kFilenameClose = "</Filename>";

// Lower-case letters and digits, every other run of characters one '-'.
std::string FileStem(std::string_view title) {
  std::string stem;
  for (const char c : title) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (letter) {
      stem += c;
    } else if (c >= 'A' && c <= 'Z') {
      stem += static_cast<char>(c - 'A' + 'a');
    } else if (!stem.empty() && stem.back() != '-') {
      stem += '-';
    }
  }
  while (!stem.empty() && stem.back() == '-')
    stem.pop_back();
  return stem.empty() ? "item" : stem;
}

std::string XmlText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace

ProgramGroup::ProgramGroup(std::string_view name) : name_(name), stem_(FileStem(name)) {}

fs::path ProgramGroup::menu_file() const {
  return MergedMenusDirectory() / (stem_ + ".menu");
}

fs::path ProgramGroup::directory_file() const {
  return DesktopDirectoriesDirectory() / (stem_ + ".directory");
}

fs::path ProgramGroup::ItemFile(std::string_view title) const {
  // The group's name first, so that items of two groups never meet.
  return ApplicationsDirectory() / (stem_ + "-" + FileStem(title) + ".desktop");
}

bool ProgramGroup::exists() const {
  std::error_code error;
  return fs::exists(menu_file(), error);
}

std::vector<std::string> ProgramGroup::ItemFiles() const {
  std::vector<std::string> items;
  const std::string menu = ReadTextFile(menu_file());
  for (std::size_t at = menu.find(kFilenameOpen); at != std::string::npos;
       at = menu.find(kFilenameOpen, at)) {
    at += kFilenameOpen.size();
    const std::size_t end = menu.find(kFilenameClose, at);
    if (end == std::string::npos) break;
    items.push_back(menu.substr(at, end - at));
  }
  return items;
}

bool ProgramGroup::WriteMenu(const std::vector<std::string>& items) const {
  std::string menu =
      "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
      " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
      "<Menu>\n"
      "  <Name>Applications</Name>\n"
      "  <Menu>\n"
      "    <Name>" +
      XmlText(name_) +
      "</Name>\n"
      "    <Directory>" +
      directory_file().filename().string() +
      "</Directory>\n"
      "    <Include>\n";
  for (const std::string& item : items)
    menu +=
        "      " + std::string(kFilenameOpen) + XmlText(item) + std::string(kFilenameClose) + "\n";
  menu +=
      "    </Include>\n"
      "  </Menu>\n"
      "</Menu>\n";
  return WriteTextFile(menu_file(), menu);
}

bool ProgramGroup::Create() {
  const std::string directory =
      "[Desktop Entry]\nType=Directory\nName=" + name_ + "\nIcon=cobblestack\n";
  if (!WriteTextFile(directory_file(), directory)) return false;
  return WriteMenu(ItemFiles());
}

bool ProgramGroup::ReplaceItem(const DesktopEntry& entry) {
  const fs::path file = ItemFile(entry.name);
  if (!WriteTextFile(file, DesktopEntryText(entry))) return false;
  std::vector<std::string> items = ItemFiles();
  const std::string listed = file.filename().string();
  if (std::find(items.begin(), items.end(), listed) == items.end()) items.push_back(listed);
  return WriteMenu(items);
}

bool ProgramGroup::Delete() {
  bool deleted = true;
  for (const std::string& item : ItemFiles()) {
    // Only entries this group made: the menu file is the user's to edit.
    const bool ours = item.starts_with(stem_ + "-") && item.find('/') == std::string::npos;
    if (ours) deleted = DeleteFile(ApplicationsDirectory() / item) && deleted;
  }
  deleted = DeleteFile(menu_file()) && deleted;
  return DeleteFile(directory_file()) && deleted;
}

}  // namespace cbst
