// registry.cpp: the classes root in registry.ini, and the desktop's
// file-type files.
#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/file_replacement.h"
#include "platform/profile.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultValue = "@";
constexpr char kPackageName[] = "cobblestack.xml";
constexpr char kDesktopName[] = "cobblestack.desktop";

std::string FileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Writes `text` unless the file already holds exactly that.
bool WriteIfChanged(const fs::path& path, const std::string& text) {
  std::error_code error;
  if (fs::exists(path, error) && FileText(path) == text) return true;
  fs::create_directories(path.parent_path(), error);
  // Written beside the old file and put in its place only once whole.
  FileReplacement replacement(path.c_str());
  if (replacement.TakeStatus().code() != 0) return false;
  std::ofstream file(replacement.path(), std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return file && replacement.Commit().code() == 0;
}

}  // namespace

std::string RegistryPath() {
  return (fs::path(UserSettingsPath()).parent_path() / "registry.ini").string();
}

std::string UserDataDirectory() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return data;
  const char* home = std::getenv("HOME");
  return (fs::path(home ? home : ".") / ".local" / "share").string();
}

VString ClassesRootValue(std::string_view key) {
  return ReadProfileString(RegistryPath().c_str(), key, kDefaultValue);
}

bool SetClassesRootValue(std::string_view key, std::string_view value) {
  if (std::string_view(ClassesRootValue(key).c_str()) == value) return true;
  return WriteProfileString(RegistryPath().c_str(), key, kDefaultValue, value);
}

bool ExportDesktopFileTypes(std::string_view command, const std::vector<DesktopFileType>& types) {
  const fs::path data = UserDataDirectory();
  std::string package =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  std::string mime_types;
  for (const DesktopFileType& type : types) {
    package += "  <mime-type type=\"" + type.mime_type + "\">\n";
    package += "    <comment>" + type.comment + "</comment>\n";
    package += "    <glob pattern=\"*." + type.extension + "\"/>\n";
    package += "  </mime-type>\n";
    mime_types += type.mime_type + ";";
  }
  package += "</mime-info>\n";
  const std::string entry =
      "[Desktop Entry]\nType=Application\nName=Cobblestack\n"
      "Comment=Jigsaw puzzles from your own photos\n"
      "Exec=\"" +
      std::string(command) +
      "\" %f\n"
      "Icon=cobblestack\nTerminal=false\nCategories=Game;LogicGame;\n"
      "MimeType=" +
      mime_types + "\n";
  const bool packaged =
      types.empty() || WriteIfChanged(data / "mime" / "packages" / kPackageName, package);
  return WriteIfChanged(data / "applications" / kDesktopName, entry) && packaged;
}

void UnexportDesktopFileTypes() {
  const fs::path data = UserDataDirectory();
  std::error_code error;
  fs::remove(data / "mime" / "packages" / kPackageName, error);
  fs::remove(data / "applications" / kDesktopName, error);
}

}  // namespace cbst
