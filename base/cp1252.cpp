// cp1252.cpp: conversion between Windows-1252 and UTF-8.
#include "base/cp1252.h"

#include <array>

namespace cbst {
namespace {

// Code points of the bytes 0x80-0x9F; the rest of the set equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `at`, advancing it; -1 when malformed.
long DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) return -1;
  long code_point = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0; --extra) {
    if (at >= text.size()) return -1;
    const auto next = static_cast<unsigned char>(text[at]);
    if ((next & 0xC0) != 0x80) return -1;
    code_point = (code_point << 6) | (next & 0x3F);
    ++at;
  }
  return code_point;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

int UnicodeToCp1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point < 0x100)) {
    return static_cast<int>(code_point);
  }
  for (std::size_t index = 0; index < kHighControls.size(); ++index) {
    if (kHighControls[index] == code_point) return static_cast<int>(0x80 + index);
  }
  return -1;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char byte : text)
    AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  return out;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();)
    if (DecodeUtf8(text, at) < 0) return false;
  return true;
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const long code_point = DecodeUtf8(text, at);
    const int byte = code_point < 0 ? -1 : UnicodeToCp1252(static_cast<char32_t>(code_point));
    out += byte < 0 ? replacement : static_cast<char>(byte);
  }
  return out;
}

}  // namespace cbst
