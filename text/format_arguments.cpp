// format_arguments.cpp: reading conversions as printf reads them.
#include "text/format_arguments.h"

namespace cbst {
namespace {

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kLengths = "hlLqjzt";
constexpr std::string_view kConversions = "diouxXeEfFgGaAcspn";

bool IsDigit(char character) {
  return character >= '0' && character <= '9';
}

}  // namespace

std::vector<std::string> FormatConversions(std::string_view text) {
  std::vector<std::string> conversions;
  std::size_t at = 0;
  while ((at = text.find('%', at)) != std::string_view::npos) {
    const std::size_t start = at++;
    if (at < text.size() && text[at] == '%') {
      ++at;
      continue;
    }
    while (at < text.size() && kFlags.find(text[at]) != std::string_view::npos)
      ++at;
    if (at < text.size() && text[at] == '*') ++at;
    while (at < text.size() && IsDigit(text[at]))
      ++at;
    if (at < text.size() && text[at] == '.') {
      ++at;
      if (at < text.size() && text[at] == '*') ++at;
      while (at < text.size() && IsDigit(text[at]))
        ++at;
    }
    while (at < text.size() && kLengths.find(text[at]) != std::string_view::npos)
      ++at;
    if (at < text.size() && kConversions.find(text[at]) != std::string_view::npos) ++at;
    conversions.emplace_back(text.substr(start, at - start));
  }
  return conversions;
}

}  // namespace cbst
