// locale_separators.h: the thousands and decimal separators of the user's
// regional settings, which the program takes at start-up.
#pragma once

#include "base/date.h"

namespace cbst {

// The separators of the locale named `locale_name` ("de_DE", "en_GB"), or
// of the user's own when null: the first character of each, in the
// program's character set (a blank when it has none like it). The date
// separator is left as it is now.
Separators LocaleSeparators(const char* locale_name = nullptr);

}  // namespace cbst
