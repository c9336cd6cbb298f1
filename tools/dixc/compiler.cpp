// compiler.cpp: compiling and checking the dictionary sources.
#include "dixc/compiler.h"

#include <filesystem>
#include <map>

#include "dixc/flags.h"
#include "text/dix_file.h"
#include "text/format_arguments.h"
#include "text/text_codes.h"

namespace cbst::dixc {
namespace {

using EntryNumber = std::tuple<int, int, int, int>;  // type, context, variant, id

struct Language {
  std::string path;
  std::string code;
  std::vector<SourceEntry> entries;
};

std::string Joined(const std::vector<std::string>& words) {
  if (words.empty()) return "-";
  std::string joined;
  for (const std::string& word : words)
    joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

std::string Where(const std::string& path, int line) {
  return path + ":" + std::to_string(line) + ": ";
}

std::string NumberText(const TextNumber& number) {
  const auto [type, context, id] = number;
  return "type " + std::to_string(type) + " context " + std::to_string(context) + " id " +
         std::to_string(id);
}

bool IsRedirection(const SourceEntry& entry) {
  return !entry.text.empty() && entry.text[0] == kRedirectionMark;
}

// The arguments `entry` must take: those of the English entry of the same
// number (or of its variant 0), else those of the table.
std::vector<std::string> ExpectedArguments(const SourceEntry& entry, const UsedId& used,
                                           const std::map<EntryNumber, const SourceEntry*>* english,
                                           std::string* source) {
  *source = "the used-id table";
  if (english) {
    for (int variant : {entry.variant, 0}) {
      const auto found = english->find({entry.type, entry.context, variant, entry.id});
      if (found != english->end() && !IsRedirection(*found->second)) {
        *source = "the English text";
        return FormatConversions(found->second->text);
      }
    }
  }
  return used.arguments;
}

void CheckLanguage(const Language& language, const UsedIdTable& used,
                   const std::map<EntryNumber, const SourceEntry*>* english, Problems& problems) {
  std::map<TextNumber, bool> present;
  for (const SourceEntry& entry : language.entries) {
    const TextNumber number{entry.type, entry.context, entry.id};
    present[number] = true;
    if (IsRedirection(entry)) continue;
    const UsedId& row = used.at(number);
    std::string source;
    const std::vector<std::string> expected = ExpectedArguments(entry, row, english, &source);
    const std::vector<std::string> found = FormatConversions(entry.text);
    if (found != expected)
      problems.push_back(Where(language.path, entry.line) + "arguments \"" + Joined(found) +
                         "\" where " + source + " has \"" + Joined(expected) + "\"");
    if (row.width >= 0 && entry.text.size() > static_cast<std::size_t>(row.width))
      problems.push_back(Where(language.path, entry.line) + std::to_string(entry.text.size()) +
                         " characters, more than the width " + std::to_string(row.width));
  }
  for (const auto& [number, row] : used)
    if (!present.contains(number))
      problems.push_back(language.path + ": no text for " + NumberText(number) +
                         " (used-id table line " + std::to_string(row.line) + ")");
}

}  // namespace

std::string LanguageOfSource(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

bool CompileDictionary(const std::string& path, std::string_view language, std::string_view content,
                       const UsedIdTable& used, std::vector<std::uint8_t>& file,
                       Problems& problems) {
  const std::size_t problems_before = problems.size();
  Dib flag;
  if (!DrawFlag(language, flag))
    problems.push_back(path + ": no flag for the language \"" + std::string(language) +
                       "\" (known: eng, cas, cat, deu, fra, ita)");
  const std::vector<SourceEntry> entries = ParseSource(path, content, used, problems);
  if (problems.size() != problems_before) return false;

  std::vector<DixEntry> texts;
  for (const SourceEntry& entry : entries)
    texts.push_back({DixKey(entry.id, entry.type, entry.context, entry.variant), entry.text});
  file = EncodeDix(kDictionaryVersion, BmpFileImage(flag), std::move(texts));
  return true;
}

bool CheckDictionaries(const std::string& used_path, const UsedIdTable& used,
                       const std::vector<std::string>& source_paths, Problems& problems) {
  const std::size_t problems_before = problems.size();
  if (used.empty()) problems.push_back(used_path + ": the used-id table has no rows");
  if (source_paths.empty()) problems.push_back("no dictionary sources to check");

  std::vector<Language> languages;
  for (const std::string& path : source_paths) {
    std::string content;
    if (!ReadWholeFile(path, content, problems)) continue;
    Language language{path, LanguageOfSource(path), {}};
    std::vector<std::uint8_t> compiled;
    if (!CompileDictionary(path, language.code, content, used, compiled, problems)) continue;
    language.entries = ParseSource(path, content, used, problems);
    languages.push_back(std::move(language));
  }

  std::map<EntryNumber, const SourceEntry*> english;
  bool have_english = false;
  for (const Language& language : languages) {
    if (language.code != kEnglishCode) continue;
    have_english = true;
    for (const SourceEntry& entry : language.entries)
      english[{entry.type, entry.context, entry.variant, entry.id}] = &entry;
  }
  for (const Language& language : languages)
    CheckLanguage(language, used,
                  language.code == kEnglishCode || !have_english ? nullptr : &english, problems);
  return problems.size() == problems_before;
}

}  // namespace cbst::dixc
