// dictionary_source.cpp: reading dictionary sources and the id table.
#include "dixc/dictionary_source.h"

#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

#include "base/cp1252.h"

namespace cbst::dixc {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSeparator = " = ";
constexpr int kSourceNumbers = 4;
constexpr long kLargestNumber = 0x7FFF;  // every number is a signed 16-bit field
constexpr const char* kUsedIdHeader[] = {"type",  "context", "id",  "arguments",
                                         "width", "used in", "says"};
constexpr char kNotMapped = 0;  // what characters without a Windows-1252 byte become

std::string Where(const std::string& path, int line) {
  return path + ":" + std::to_string(line) + ": ";
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(" \t", at)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// A number in decimal or 0x-hex within the range of the fields.
bool ParseNumber(std::string_view text, int& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
  if (number < 0 || number > kLargestNumber) return false;
  value = static_cast<int>(number);
  return true;
}

// Resolves the escapes; false names the bad one in `error`.
bool Unescape(std::string_view text, std::string& into, std::string& error) {
  into.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      into += text[i];
      continue;
    }
    const char next = i + 1 < text.size() ? text[i + 1] : 0;
    if (next == 'n') {
      into += "\r\n";
    } else if (next == 't') {
      into += '\t';
    } else if (next == '\\') {
      into += '\\';
    } else {
      error = next ? std::string("unknown escape \\") + next : "a backslash ends the text";
      return false;
    }
    ++i;
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t end = std::min(content.find('\n'), content.size());
    std::string_view line = content.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    content.remove_prefix(std::min(end + 1, content.size()));
  }
  return lines;
}

std::vector<std::string_view> TableCells(std::string_view line) {
  line = Trim(line);
  if (!line.starts_with('|')) return {};
  line.remove_prefix(1);
  if (line.ends_with('|')) line.remove_suffix(1);
  std::vector<std::string_view> cells;
  std::size_t at = 0;
  while (at <= line.size()) {
    const std::size_t end = std::min(line.find('|', at), line.size());
    cells.push_back(Trim(line.substr(at, end - at)));
    at = end + 1;
  }
  return cells;
}

bool IsUsedIdHeader(const std::vector<std::string_view>& cells) {
  if (cells.size() != std::size(kUsedIdHeader)) return false;
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (cells[i] != kUsedIdHeader[i]) return false;
  return true;
}

std::string_view WithoutBackticks(std::string_view cell) {
  while (cell.starts_with('`') && cell.ends_with('`') && cell.size() >= 2)
    cell = Trim(cell.substr(1, cell.size() - 2));
  return cell;
}

}  // namespace

std::vector<SourceEntry> ParseSource(const std::string& path, std::string_view content,
                                     const UsedIdTable& used, Problems& problems) {
  std::vector<SourceEntry> entries;
  std::map<std::tuple<int, int, int, int>, int> first_lines;
  const std::vector<std::string_view> lines = SplitLines(content);
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string_view line = lines[index];
    const int number = static_cast<int>(index) + 1;
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.starts_with('#')) continue;

    std::size_t separator = line.find(kSeparator);
    std::string_view numbers, text;
    if (separator != std::string_view::npos) {
      numbers = line.substr(0, separator);
      text = line.substr(separator + kSeparator.size());
    } else if (line.ends_with(" =")) {  // an empty text whose last blank an editor took
      numbers = line.substr(0, line.size() - 2);
    } else {
      problems.push_back(Where(path, number) +
                         "expected \"<type> <context> <variant> <id> = <text>\"");
      continue;
    }

    SourceEntry entry;
    entry.line = number;
    const std::vector<std::string_view> words = SplitWords(numbers);
    int* fields[kSourceNumbers] = {&entry.type, &entry.context, &entry.variant, &entry.id};
    bool numbers_ok = words.size() == kSourceNumbers;
    for (std::size_t i = 0; numbers_ok && i < words.size(); ++i)
      numbers_ok = ParseNumber(words[i], *fields[i]);
    if (!numbers_ok) {
      problems.push_back(Where(path, number) + "expected four numbers from 0 to 32767 before \"" +
                         std::string(kSeparator) + "\"");
      continue;
    }

    std::string unescaped, error;
    if (!Unescape(text, unescaped, error)) {
      problems.push_back(Where(path, number) + error);
      continue;
    }
    entry.text = Utf8ToCp1252(unescaped, kNotMapped);
    if (entry.text.find(kNotMapped) != std::string::npos) {
      problems.push_back(Where(path, number) + "the text has characters Windows-1252 cannot hold");
      continue;
    }

    const auto key = std::make_tuple(entry.type, entry.context, entry.variant, entry.id);
    if (const auto [at, fresh] = first_lines.emplace(key, number); !fresh) {
      problems.push_back(Where(path, number) + "duplicate of the entry on line " +
                         std::to_string(at->second));
      continue;
    }
    if (!used.contains({entry.type, entry.context, entry.id})) {
      problems.push_back(Where(path, number) + "type " + std::to_string(entry.type) + " context " +
                         std::to_string(entry.context) + " id " + std::to_string(entry.id) +
                         " is not in the used-id table");
      continue;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

UsedIdTable ParseUsedIds(const std::string& path, std::string_view content, Problems& problems) {
  UsedIdTable table;
  const std::vector<std::string_view> lines = SplitLines(content);
  std::size_t index = 0;
  while (index < lines.size() && !IsUsedIdHeader(TableCells(lines[index])))
    ++index;
  if (index == lines.size()) {
    problems.push_back(path +
                       ": no table headed \"| type | context | id | arguments | width | "
                       "used in | says |\"");
    return table;
  }
  index += 2;  // the header and the line under it
  for (; index < lines.size(); ++index) {
    const std::vector<std::string_view> cells = TableCells(lines[index]);
    if (cells.empty()) break;
    const int number = static_cast<int>(index) + 1;
    int type = 0, context = 0, id = 0;
    UsedId used;
    used.line = number;
    const std::string_view arguments = WithoutBackticks(cells.size() > 3 ? cells[3] : "");
    const std::string_view width = WithoutBackticks(cells.size() > 4 ? cells[4] : "");
    if (cells.size() < std::size(kUsedIdHeader) || !ParseNumber(cells[0], type) ||
        !ParseNumber(cells[1], context) || !ParseNumber(cells[2], id) || arguments.empty() ||
        (width != "-" && !ParseNumber(width, used.width))) {
      problems.push_back(Where(path, number) +
                         "a row needs type, context, id, arguments (or -), "
                         "width (or -), used in and says");
      continue;
    }
    if (arguments != "-")
      for (std::string_view argument : SplitWords(arguments))
        used.arguments.emplace_back(argument);
    const auto [at, fresh] = table.emplace(TextNumber{type, context, id}, used);
    if (!fresh)
      problems.push_back(Where(path, number) + "the same text as the row on line " +
                         std::to_string(at->second.line));
  }
  return table;
}

bool ReadWholeFile(const std::string& path, std::string& content, Problems& problems) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    problems.push_back(path + ": cannot be read");
    return false;
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  content = bytes.str();
  return true;
}

}  // namespace cbst::dixc
