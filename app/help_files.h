// help_files.h: which help page belongs to the language in use.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// Help topics the game opens.
inline constexpr int kHelpContents = 0;
inline constexpr int kHelpTopicPreview = 151;
inline constexpr int kHelpTopicMakePuzzle = 115;  // the window of a new puzzle

// "cbst" + language + ".html" in the program directory; when missing, the
// language's fall-back is tried ("cat" to "cas", any other to "eng"), and
// the last name tried is given when none is there.
std::string HelpFilePath(const std::string& program_directory, std::string_view language);

}  // namespace cbst
