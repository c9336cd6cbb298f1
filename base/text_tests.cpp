// text_tests.cpp: blank, printable and hexadecimal tests, and trimming.
#include "base/text_tests.h"

#include <array>
#include <cctype>
#include <string>

namespace cbst {

bool IsBlank(const char* text) {
  if (!text) return true;
  for (; *text; ++text) {
    if (*text != ' ') return false;
  }
  return true;
}

bool IsPrintable(const char* text) {
  if (!text) return true;
  for (auto* at = reinterpret_cast<const unsigned char*>(text); *at; ++at) {
    if (*at < 32 && *at != '\t') return false;
  }
  return true;
}

bool IsHex(const char* text) {
  if (!text) return true;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
  for (; *text; ++text) {
    if (!std::isxdigit(static_cast<unsigned char>(*text))) return false;
  }
  return true;
}

const char* TrimLeft(const char* text) {
  static std::array<std::string, kTrimBufferCount> buffers;
  static int next = 0;
  std::string& buffer = buffers[next];
  next = (next + 1) % kTrimBufferCount;
  auto* at = reinterpret_cast<const unsigned char*>(text ? text : "");
  while (*at && *at < 33)
    ++at;
  buffer.assign(reinterpret_cast<const char*>(at));
  return buffer.c_str();
}

}  // namespace cbst
