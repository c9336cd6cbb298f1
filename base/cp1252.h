// cp1252.h: Windows-1252, the program's single-byte character set.
//
// Titles, saved games, score files and dictionaries store Windows-1252 bytes
// so they stay compatible with files of earlier versions; the screen and the
// file system speak Unicode. This is the one table between the two.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control of the same number, so every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or -1 when Windows-1252 has none.
int UnicodeToCp1252(char32_t code_point);

std::string Cp1252ToUtf8(std::string_view text);
// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsUtf8(std::string_view text);
// Characters without a Windows-1252 byte, and malformed UTF-8, become
// `replacement`.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace cbst
