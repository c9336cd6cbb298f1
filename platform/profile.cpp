// profile.cpp: reading and rewriting INI files line by line.
#include "platform/profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/file_replacement.h"

namespace cbst {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t index = 0; index < a.size(); ++index) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    if (lower(static_cast<unsigned char>(a[index])) != lower(static_cast<unsigned char>(b[index])))
      return false;
  }
  return true;
}

// One line of the file as it was written, and what it means.
struct Line {
  std::string text;
  std::string section;  // "[name]" lines: the name
  std::string key;      // "key=value" lines: the key and the value
  std::string value;
  bool is_section = false;
  bool is_entry = false;
};

Line Parse(std::string text) {
  Line line;
  const std::string_view trimmed = Trim(text);
  if (trimmed.size() >= 2 && trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      line.is_section = true;
      line.section = Trim(trimmed.substr(1, close - 1));
    }
  } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
    const std::size_t equals = trimmed.find('=');
    if (equals != std::string_view::npos) {
      line.is_entry = true;
      line.key = Trim(trimmed.substr(0, equals));
      line.value = Trim(trimmed.substr(equals + 1));
    }
  }
  line.text = std::move(text);
  return line;
}

std::vector<Line> ReadLines(const char* path) {
  std::vector<Line> lines;
  std::ifstream in(path, std::ios::binary);
  std::string text;
  while (std::getline(in, text)) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    lines.push_back(Parse(std::move(text)));
  }
  return lines;
}

// The entry line of `key` in `section`, or none.
const Line* Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  bool inside = false;
  for (const Line& line : lines) {
    if (line.is_section) {
      inside = SameName(line.section, section);
    } else if (inside && line.is_entry && SameName(line.key, key)) {
      return &line;
    }
  }
  return nullptr;
}

bool WriteLines(const char* path, const std::vector<Line>& lines) {
  const std::filesystem::path target(path);
  std::error_code error;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  // The new file is written beside the old one and takes its place only
  // when it is whole and on the disk; otherwise it goes, and the old file
  // stays as it was.
  FileReplacement replacement(path);
  if (replacement.TakeStatus().code() != 0) return false;
  std::ofstream out(replacement.path(), std::ios::binary | std::ios::trunc);
  for (const Line& line : lines)
    out << line.text << '\n';
  out.close();
  return out && replacement.Commit().code() == 0;
}

}  // namespace

VString ReadProfileString(const char* path, std::string_view section, std::string_view key,
                          std::string_view fallback) {
  const std::vector<Line> lines = ReadLines(path);
  const Line* line = Find(lines, section, key);
  if (!line) return VString(fallback);
  std::string_view value = line->value;
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return VString(value);
}

int ReadProfileInt(const char* path, std::string_view section, std::string_view key, int fallback) {
  const std::vector<Line> lines = ReadLines(path);
  const Line* line = Find(lines, section, key);
  if (!line) return fallback;
  return static_cast<int>(std::strtol(line->value.c_str(), nullptr, 0));
}

bool WriteProfileString(const char* path, std::string_view section,
                        std::optional<std::string_view> key,
                        std::optional<std::string_view> value) {
  std::vector<Line> lines = ReadLines(path);
  std::vector<Line> written;
  written.reserve(lines.size() + 2);
  bool inside = false, found_section = false, done = false;
  const auto entry = [&] { return Parse(std::string(*key) + "=" + std::string(*value)); };
  for (Line& line : lines) {
    if (line.is_section) {
      // Leaving the section without having met the key: add it at its end.
      if (inside && !done && key && value) {
        while (!written.empty() && Trim(written.back().text).empty() && !written.back().is_section)
          written.pop_back();
        written.push_back(entry());
        written.push_back(Parse(""));
        done = true;
      }
      inside = SameName(line.section, section);
      found_section = found_section || inside;
      if (inside && !key) continue;  // the whole section goes
    } else if (inside && !key) {
      continue;
    } else if (inside && line.is_entry && SameName(line.key, *key)) {
      if (done) continue;  // a duplicate of a key already written
      done = true;
      if (value) written.push_back(entry());
      continue;
    }
    written.push_back(std::move(line));
  }
  if (key && value && !done) {
    if (!found_section) {
      if (!written.empty() && !Trim(written.back().text).empty()) written.push_back(Parse(""));
      // Appended piece by piece: GCC 12 at -O3 takes a literal put in
      // front of a string for an overlapping copy (-Wrestrict).
      std::string header(1, '[');
      header.append(section).append(1, ']');
      written.push_back(Parse(std::move(header)));
    }
    written.push_back(entry());
  }
  return WriteLines(path, written);
}

std::vector<VString> ProfileSections(const char* path) {
  std::vector<VString> sections;
  for (const Line& line : ReadLines(path)) {
    if (line.is_section) sections.emplace_back(line.section);
  }
  return sections;
}

std::vector<VString> ProfileKeys(const char* path, std::string_view section) {
  std::vector<VString> keys;
  bool inside = false;
  for (const Line& line : ReadLines(path)) {
    if (line.is_section) {
      inside = SameName(line.section, section);
    } else if (inside && line.is_entry) {
      keys.emplace_back(line.key);
    }
  }
  return keys;
}

std::string UserSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path folder;
  if (config && *config) {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::filesystem::path(home ? home : ".") / ".config";
  }
  return (folder / "cobblestack" / "win.ini").string();
}

}  // namespace cbst
