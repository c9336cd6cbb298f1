// help_files.cpp: the help pages' names and their fall-back languages.
#include "app/help_files.h"

#include <filesystem>

namespace cbst {
namespace {

constexpr std::string_view kHelpName = "cbst";
constexpr std::string_view kHelpExtension = ".html";
constexpr std::string_view kEnglish = "eng";
constexpr std::string_view kCatalan = "cat";
constexpr std::string_view kSpanish = "cas";

std::string_view FallBack(std::string_view language) {
  if (language == kCatalan) return kSpanish;
  if (language == kEnglish) return {};
  return kEnglish;
}

}  // namespace

std::string HelpFilePath(const std::string& program_directory, std::string_view language) {
  std::string path;
  for (std::string_view tried = language.empty() ? kEnglish : language; !tried.empty();
       tried = FallBack(tried)) {
    path = (std::filesystem::path(program_directory) /
            (std::string(kHelpName) + std::string(tried) + std::string(kHelpExtension)))
               .string();
    std::error_code error;
    if (std::filesystem::exists(path, error)) break;
  }
  return path;
}

}  // namespace cbst
