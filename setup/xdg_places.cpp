// xdg_places.cpp: the XDG directories the installation writes into.
#include "setup/xdg_places.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

fs::path HomeDirectory() {
  const char* home = std::getenv("HOME");
  return home && *home ? fs::path(home) : fs::path(".");
}

// The first line that `command` prints; empty when it cannot run.
std::string FirstLineOf(const char* command) {
  struct Closer {
    void operator()(FILE* pipe) const { pclose(pipe); }
  };
  std::unique_ptr<FILE, Closer> pipe(popen(command, "r"));
  if (!pipe) return {};
  std::string line;
  for (int c = std::fgetc(pipe.get()); c != EOF && c != '\n'; c = std::fgetc(pipe.get()))
    line += static_cast<char>(c);
  return line;
}

bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
    std::error_code error;
    if (end > start && fs::is_regular_file(candidate, error)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

fs::path UserConfigDirectory() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
  return HomeDirectory() / ".config";
}

fs::path ApplicationsDirectory() {
  return fs::path(UserDataDirectory()) / "applications";
}

fs::path DesktopDirectoriesDirectory() {
  return fs::path(UserDataDirectory()) / "desktop-directories";
}

fs::path MergedMenusDirectory() {
  return UserConfigDirectory() / "menus" / "applications-merged";
}

fs::path DesktopDirectory() {
  // xdg-user-dir reads the user's user-dirs.dirs under $XDG_CONFIG_HOME and
  // answers $HOME/Desktop itself when the file names no desktop.
  if (ProgramOnPath("xdg-user-dir")) {
    const std::string answer = FirstLineOf("xdg-user-dir DESKTOP 2>/dev/null");
    if (!answer.empty() && answer.front() == '/') return answer;
  }
  return HomeDirectory() / "Desktop";
}

}  // namespace cbst
