// user_name.cpp: the user's name from the password database.
#include "platform/user_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace cbst {

std::string UserFullName() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  constexpr long kDefaultEntryBytes = 16384;
  if (size <= 0) size = kDefaultEntryBytes;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
    std::string name = found->pw_gecos ? found->pw_gecos : "";
    name = name.substr(0, name.find(','));
    if (!name.empty()) return name;
    if (found->pw_name && *found->pw_name) return found->pw_name;
  }
  const char* login = std::getenv("LOGNAME");
  if (!login || !*login) login = std::getenv("USER");
  return login ? login : "";
}

}  // namespace cbst
