// compiler.h: dictionary sources made into dictionary files, and the check
// that every language is complete.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dixc/dictionary_source.h"

namespace cbst::dixc {

// The language a source is for: its file name without the extension.
std::string LanguageOfSource(const std::string& path);

// The dictionary file for the source `content` of `language`, or false with
// the problems (which name `path`).
bool CompileDictionary(const std::string& path, std::string_view language, std::string_view content,
                       const UsedIdTable& used, std::vector<std::uint8_t>& file,
                       Problems& problems);

// Every source compiles, has every text of the table, asks for the same
// printf arguments as English (English as the table) and keeps within the
// table's widths.
bool CheckDictionaries(const std::string& used_path, const UsedIdTable& used,
                       const std::vector<std::string>& source_paths, Problems& problems);

}  // namespace cbst::dixc
