// text_tests.h: small questions asked of texts, and trimming.
#pragma once

namespace cbst {

// Null, empty or only spaces.
bool IsBlank(const char* text);
// Every character is 32 or above, or a tab.
bool IsPrintable(const char* text);
// Every character after an optional "0x" or "0X" is a hexadecimal digit.
bool IsHex(const char* text);
// A copy without the leading characters below 33, in one of six buffers used
// in turn, so the six newest results stay valid together.
const char* TrimLeft(const char* text);

inline constexpr int kTrimBufferCount = 6;

}  // namespace cbst
