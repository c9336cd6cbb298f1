// settings.cpp: reads and writes of the settings file.
#include "app/settings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "base/pathname.h"
#include "base/text_tests.h"
#include "platform/profile.h"

namespace cbst {

std::string Settings::FileFor(std::string_view name, std::string_view program_directory) {
  if (std::any_of(name.begin(), name.end(), IsPathSeparator)) return std::string(name);
  std::string path(program_directory);
  if (!path.empty() && !IsPathSeparator(path.back())) path += kPathSeparator;
  // The old system's file names had no case; here a bare name is the
  // lower-case file, as the program's own cbst.ini is.
  for (const char character : name)
    path += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
  path += ".ini";
  return path;
}

VString Settings::Read(std::string_view key, std::string_view section) const {
  return ReadProfileString(path_.c_str(), section, key);
}

long Settings::ReadNumber(std::string_view key, std::string_view section) const {
  const VString value = Read(key, section);
  const char* text = value.c_str();
  while (*text == ' ')
    ++text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return static_cast<long>(std::strtoul(text + 2, nullptr, 16));
  return std::strtol(text, nullptr, 10);
}

bool Settings::Has(std::string_view key, std::string_view section) const {
  return !IsBlank(Read(key, section).c_str());
}

bool Settings::Write(std::string_view key, std::optional<std::string_view> value,
                     std::string_view section) const {
  return WriteProfileString(path_.c_str(), section, key, value);
}

bool Settings::WriteNumber(std::string_view key, long value, std::string_view section) const {
  return Write(key, std::to_string(value), section);
}

}  // namespace cbst
