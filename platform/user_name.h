// user_name.h: who uses the program, as the system knows them.
#pragma once

#include <string>

namespace cbst {

// The user's full name from the account's entry (its name field up to the
// first comma), else the login name; empty when the system knows neither.
std::string UserFullName();

}  // namespace cbst
