// desktop_entry.cpp: writing and reading .desktop files.
#include "setup/desktop_entry.h"

namespace cbst {
namespace {

// String values escape the backslash and the line ends.
std::string StringValue(std::string_view value) {
  std::string escaped;
  for (const char c : value) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string ExecArgument(std::string_view argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`%=";
  if (!argument.empty() && argument.find_first_of(kReserved) == std::string_view::npos)
    return std::string(argument);
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + '"';
}

std::string DesktopEntryText(const DesktopEntry& entry) {
  std::string text = "[Desktop Entry]\n";
  text += entry.url.empty() ? "Type=Application\n" : "Type=Link\n";
  text += "Name=" + StringValue(entry.name) + "\n";
  if (!entry.comment.empty()) text += "Comment=" + StringValue(entry.comment) + "\n";
  if (!entry.icon.empty()) text += "Icon=" + StringValue(entry.icon) + "\n";
  if (entry.url.empty()) {
    // Exec is escaped once for its own rules and again as a string value.
    text += "Exec=" + StringValue(entry.exec) + "\n";
    if (!entry.working_directory.empty())
      text += "Path=" + StringValue(entry.working_directory) + "\n";
    text += "Terminal=false\n";
  } else {
    text += "URL=" + StringValue(entry.url) + "\n";
  }
  return text;
}

std::string DesktopEntryValue(std::string_view text, std::string_view key) {
  bool in_entry = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      in_entry = line == "[Desktop Entry]";
      continue;
    }
    if (in_entry && line.size() > key.size() && line.substr(0, key.size()) == key &&
        line[key.size()] == '=')
      return std::string(line.substr(key.size() + 1));
  }
  return {};
}

}  // namespace cbst
