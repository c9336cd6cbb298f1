// program_path.h: where the running program lives, and whether it may
// write there.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// The running executable's full path; empty when the system does not say.
std::string ExecutablePath();

// Makes a scratch file named `prefix`... in `directory`, writes a few bytes
// into it and deletes it again; false when any step fails.
bool CanWriteIn(const std::string& directory, std::string_view prefix);

}  // namespace cbst
