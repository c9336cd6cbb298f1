// dictionary_source.h: the UTF-8 sources the dictionaries are made from,
// and the table of the text ids the program uses.
//
// A source has one entry a line, "<type> <context> <variant> <id> = <text>",
// numbers in decimal or 0x-hex; lines starting with "#" and blank lines are
// skipped. The text runs to the end of the line, trailing spaces included,
// with three escapes: "\n" a line break (stored as CR LF, as message boxes
// want it), "\t" a tab and "\\" a backslash.
//
// The id table is the Markdown table headed
// "| type | context | id | arguments | width | used in | says |": the printf
// conversions each text takes ("-" for none) and its greatest length in
// characters ("-" for any).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace cbst::dixc {

// What went wrong, as "<file>:<line>: <what>", one a problem.
using Problems = std::vector<std::string>;

struct SourceEntry {
  int type = 0;
  int context = 0;
  int variant = 0;
  int id = 0;
  std::string text;  // Windows-1252, escapes resolved
  int line = 0;
};

struct UsedId {
  std::vector<std::string> arguments;
  int width = -1;  // none
  int line = 0;
};

// (type, context, id): variants of a used text are all accepted.
using TextNumber = std::tuple<int, int, int>;
using UsedIdTable = std::map<TextNumber, UsedId>;

// Reads the entries of a source. `path` names it in the problems. Entries
// whose number is not in `used` are problems too.
std::vector<SourceEntry> ParseSource(const std::string& path, std::string_view content,
                                     const UsedIdTable& used, Problems& problems);

UsedIdTable ParseUsedIds(const std::string& path, std::string_view content, Problems& problems);

// The whole file, or a problem naming it.
bool ReadWholeFile(const std::string& path, std::string& content, Problems& problems);

}  // namespace cbst::dixc
