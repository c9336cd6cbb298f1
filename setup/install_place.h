// install_place.h: InstallPlace, the installation that setup works on.
#pragma once

#include <string>

#include "app/settings.h"

namespace cbst {

struct InstallPlace {
  std::string program_path;       // the program file, a full path
  std::string program_directory;  // its directory, ending in '/'
  const Settings& settings;       // its settings file
};

}  // namespace cbst
