// system_version.h: the version of the system the program runs on.
#pragma once

#include <string>

namespace cbst {

// The kernel's version as the system gives it ("6.1.0-18-amd64"), "0" when
// it gives none.
std::string PlatformVersion();

}  // namespace cbst
