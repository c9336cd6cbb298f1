// shortcuts.cpp: menu items, the desktop shortcut and the uninstall entry.
#include "setup/shortcuts.h"

#include <cstdio>
#include <string>

#include "app/help_files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "setup/program_group.h"
#include "setup/setup_codes.h"
#include "setup/text_files.h"
#include "setup/xdg_places.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSiteSection = "InternetShortcut";
constexpr std::string_view kSiteKey = "URL";
constexpr std::string_view kDesktopLinkFile = "cobblestack.desktop";

std::string FileUrl(const fs::path& path) {
  std::string url = "file://";
  for (const char c : path.string()) {
    if (c == ' ' || c == '%' || c == '#' || c == '?') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      url += code;
    } else {
      url += c;
    }
  }
  return url;
}

DesktopEntry ProgramEntry(const InstallPlace& place, std::string name, std::string comment) {
  DesktopEntry entry;
  entry.name = std::move(name);
  entry.comment = std::move(comment);
  entry.exec = ExecArgument(place.program_path);
  entry.working_directory = place.program_directory;
  return entry;
}

}  // namespace

bool CreateProgramGroupAndShortcuts(const InstallPlace& place, std::string_view language) {
  const std::string product(kGroupName);
  ProgramGroup group(kGroupName);
  bool written = group.Create();
  written = group.ReplaceItem(ProgramEntry(place, product + std::string(kProgramItemSuffix),
                                           std::string(kDesktopLinkDescription))) &&
            written;

  DesktopEntry help;
  help.name = product + std::string(kHelpItemSuffix);
  help.url = FileUrl(HelpFilePath(place.program_directory, language));
  help.icon = "help-browser";
  written = group.ReplaceItem(help) && written;

  const fs::path site_file = fs::path(place.program_directory) / kSiteFileName;
  std::error_code error;
  if (fs::exists(site_file, error)) {
    const VString url = ReadProfileString(site_file.c_str(), kSiteSection, kSiteKey);
    if (!url.empty()) {
      DesktopEntry site;
      site.name = std::string(kSiteItemTitle);
      site.url = url.c_str();
      site.icon = "web-browser";
      written = group.ReplaceItem(site) && written;
    }
  }
  place.settings.WriteNumber(kKeyProgramGroup, kProgramGroupCreated);

  if (fs::exists(fs::path(place.program_directory) / kUninstallerName, error)) {
    const std::string path = RegistryPath();
    written = WriteProfileString(path.c_str(), kUninstallKey, kKeyDisplayName, product) && written;
    written = WriteProfileString(path.c_str(), kUninstallKey, kKeyUninstallString,
                                 place.program_path + " " + std::string(kRemoveWord)) &&
              written;
  }
  return written;
}

bool CreateDesktopLink(const InstallPlace& place) {
  const fs::path link = DesktopDirectory() / kDesktopLinkFile;
  DesktopEntry entry =
      ProgramEntry(place, std::string(kDesktopLinkName), std::string(kDesktopLinkDescription));
  // Desktops start only the launchers on them that may be run.
  if (!WriteTextFile(link, DesktopEntryText(entry), true)) return false;
  place.settings.Write(kKeyDesktopLink, link.string());
  return true;
}

void RemoveDesktopLink(const InstallPlace& place) {
  if (!place.settings.Has(kKeyDesktopLink)) return;
  DeleteFile(place.settings.Read(kKeyDesktopLink).c_str());
}

std::string UninstallCommand() {
  return ReadProfileString(RegistryPath().c_str(), kUninstallKey, kKeyUninstallString).c_str();
}

void DeleteUninstallEntry() {
  WriteProfileString(RegistryPath().c_str(), kUninstallKey, std::nullopt, std::nullopt);
}

}  // namespace cbst
