// traductor.cpp: discovering, loading and switching dictionaries, and the
// lookup with its fall-backs.
#include "text/traductor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/report.h"
#include "base/text_tests.h"
#include "gfx/bitmap_file.h"
#include "text/format_arguments.h"
#include "text/plural.h"
#include "text/text_codes.h"
#include "text/used_texts.h"
#include "ui/application.h"
#include "ui/tips.h"

namespace cbst {
namespace {

Traductor* the_dictionary = nullptr;

// Redirections lead on to further entries; a loop among them ends here.
constexpr int kMaxRedirectionDepth = 16;
// Where a redirection's type and id start: "#1,560".
constexpr int kRedirectionTypeAt = 1;
constexpr int kRedirectionIdAt = 3;
constexpr double kVersionScale = 100.0;
// Message 199 without a dictionary to take it from.
constexpr const char* kRefusedFallbackFormat =
    "Dictionary format %.2f expected, the file has %.2f:\r\n%s";

std::string StatusErrorText(std::uint32_t code) {
  return ErrorText(code);
}

const char* DictionaryText(int id) {
  return Text(id);
}

bool SameCode(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameCode(text.substr(0, prefix.size()), prefix);
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ProgramDirectory() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : program.parent_path().string();
}

// A status for a failure that has been shown already.
Status Reported(std::uint16_t code) {
  Status status(code);
  status.MarkHandled();
  return status;
}

// What a conversion reads from printf's arguments: "%5.2f" and "%.1f" both
// a double, "%i" and "%u" an int, "%ld" a long. A width or precision of
// "*" reads an int more and "%n" writes: those, and a conversion that
// broke off, are kinds of their own that only the same text matches.
std::string ArgumentKind(const std::string& conversion) {
  const char letter = conversion.back();
  if (conversion.size() < 2 || letter == 'n' || conversion.find('*') != std::string::npos)
    return conversion;
  const char* kind = std::strchr("diouxXc", letter)    ? "int"
                     : std::strchr("eEfFgGaA", letter) ? "real"
                     : letter == 's'                   ? "text"
                     : letter == 'p'                   ? "pointer"
                                                       : nullptr;
  if (!kind) return conversion;
  const std::size_t length = conversion.find_first_of("hlLqjzt");
  if (length == std::string::npos) return kind;
  return conversion.substr(length, conversion.size() - 1 - length) + kind;
}

// Whether printf reads from `text` the arguments that `arguments` (the
// conversions the program formats it with, separated by blanks) give it.
bool TakesArguments(const char* text, std::string_view arguments) {
  const std::vector<std::string> found = FormatConversions(text);
  std::size_t at = 0;
  for (const std::string& conversion : found) {
    at = arguments.find_first_not_of(' ', at);
    if (at == std::string_view::npos) return false;
    const std::size_t end = std::min(arguments.find(' ', at), arguments.size());
    if (ArgumentKind(conversion) != ArgumentKind(std::string(arguments.substr(at, end - at))))
      return false;
    at = end;
  }
  return arguments.find_first_not_of(' ', at) == std::string_view::npos;
}

const UsedText* FindUsedText(int type, int context, int id) {
  for (const UsedText& used : UsedTexts())
    if (used.type == type && used.context == context && used.id == id) return &used;
  return nullptr;
}

// The text an entry shows once its redirections are followed (in the
// entry's context, as a lookup follows them); null when they lead nowhere.
const char* Resolved(const DixTables& tables, const char* text, int context) {
  for (int depth = 0; text[0] == kRedirectionMark; ++depth) {
    if (depth > kMaxRedirectionDepth) return nullptr;
    const std::size_t length = std::strlen(text);
    const int type = std::atoi(text + std::min<std::size_t>(kRedirectionTypeAt, length));
    const int id = std::atoi(text + std::min<std::size_t>(kRedirectionIdAt, length));
    const int index = tables.Find(DixKey(id, type, context, 0));
    if (index < 0) return nullptr;
    text = tables.TextAt(index);
  }
  return text;
}

// Gives the entry at `index` the text `text`, kept at the end of the block.
void Replace(DixTables& tables, int index, std::string_view text) {
  tables.offsets[static_cast<std::size_t>(index)] = static_cast<std::int32_t>(tables.texts.size());
  tables.texts.insert(tables.texts.end(), text.begin(), text.end());
  tables.texts.push_back('\0');
}

// The text a lookup gives for a text id with no text: "Error:Grup:..."
// naming its type and id.
std::string MissingText(int type, int id) {
  char message[VString::kFormatWorkArea];
  std::snprintf(message, sizeof message, kErrorTextFormat, type, id);
  return std::string(kErrorTextPrefix) + message;
}

}  // namespace

Traductor::Traductor() : directory_(ProgramDirectory()) {
  the_dictionary = this;
  SetErrorTextLookup(StatusErrorText);
  SetDictionaryLookup(DictionaryText);
  // Controls without a tip of their own show the dictionary's.
  SetControlTextLookup(ControlText);
}

Traductor::~Traductor() {
  if (the_dictionary != this) return;
  the_dictionary = nullptr;
  SetErrorTextLookup(nullptr);
  SetDictionaryLookup(nullptr);
  SetControlTextLookup(nullptr);
}

Traductor* Traductor::Instance() {
  return the_dictionary;
}

Status Traductor::Load(const char* language_list, const char* tag, const char* wanted) {
  if (std::strlen(tag) > kMaxDictionaryTagLength) {
    ReportError(kTagTooLong);
    return Reported(kStatusBadDictionaryTag);
  }
  tag_ = tag;
  language_ = wanted;
  Discover(language_list);
  if (language_index() < 0 && !codes_.empty()) language_ = codes_.front();
  if (const int index = language_index(); index >= 0) language_ = codes_[index];

  tables_.clear();
  DixTables loaded;
  CBST_TRY(LoadLanguage(loaded));
  tables_ = std::move(loaded);
  return Status();
}

void Traductor::Discover(const char* language_list) {
  codes_.clear();
  paths_.clear();
  flags_.clear();
  std::vector<bool> found;
  const std::string_view list(language_list ? language_list : "");
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t comma = list.find(',', start);
    if (comma == std::string_view::npos) comma = list.size();
    const std::string_view item = Trimmed(list.substr(start, comma - start));
    if (!item.empty()) {
      codes_.emplace_back(item);
      paths_.emplace_back();
      found.push_back(false);
    }
    start = comma + 1;
  }

  // The files of this tag, in name order, each naming its language by the
  // three characters after the tag.
  std::vector<std::string> names;
  const std::size_t extension = std::strlen(kDictionaryExtension);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory_, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() < tag_.length() + kLanguageCodeLength + extension) continue;
    if (!StartsWithIgnoringCase(name, tag_.view())) continue;
    if (!SameCode(std::string_view(name).substr(name.size() - extension), kDictionaryExtension))
      continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string code = name.substr(tag_.length(), kLanguageCodeLength);
    for (char& character : code)
      character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    const std::string path = directory_ + "/" + name;
    const auto known = std::find_if(codes_.begin(), codes_.end(), [&](const VString& listed) {
      return SameCode(listed.view(), code);
    });
    if (known == codes_.end()) {
      codes_.emplace_back(code);
      paths_.push_back(path);
      found.push_back(true);
    } else if (const auto at = known - codes_.begin(); !found[at]) {
      paths_[at] = path;
      found[at] = true;
    }
  }

  for (std::size_t i = found.size(); i-- > 0;) {
    if (found[i]) continue;
    codes_.erase(codes_.begin() + static_cast<std::ptrdiff_t>(i));
    paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  flags_.resize(codes_.size());
  for (std::size_t i = 0; i < codes_.size(); ++i)
    ReadFlag(paths_[i], flags_[i]);
}

void Traductor::ReadFlag(const std::string& path, Dib& flag) {
  File file(path.c_str());
  if (file.Open(kOpenRead).failed()) return;
  DixHeader header;
  if (ReadDixHeader(file, header).ok() && ReadDibFile(file, flag, header.flag_offset).failed())
    flag = Dib();
  file.Close().MarkHandled();
}

std::string Traductor::PathOf(const VString& code) const {
  for (std::size_t i = 0; i < codes_.size(); ++i)
    if (SameCode(codes_[i].view(), code.view())) return paths_[i];
  return directory_ + "/" + tag_.str() + code.str() + kDictionaryExtension;
}

const Dib& Traductor::flag(int index) const {
  static const Dib none;
  return index >= 0 && index < static_cast<int>(flags_.size()) ? flags_[index] : none;
}

int Traductor::language_index() const {
  for (std::size_t i = 0; i < codes_.size(); ++i)
    if (SameCode(codes_[i].view(), language_.view())) return static_cast<int>(i);
  return -1;
}

Status Traductor::LoadLanguage(DixTables& into) {
  std::uint16_t version = 0;
  std::string path;
  CBST_TRY(ReadTables(PathOf(language_), into, version, path));
  if (Refuses(version)) {
    ReportRefused(version, path);
    return Reported(kStatusDictionaryRefused);
  }
  ReplaceMismatchedFormats(into);
  return Status();
}

bool Traductor::Refuses(std::uint16_t version) const {
  return accepted_version_ != kAcceptAnyVersion && accepted_version_ != version;
}

Status Traductor::ReadTables(const std::string& path, DixTables& into, std::uint16_t& version,
                             std::string& full_name) {
  File file(path.c_str());
  CBST_TRY(file.Open(kOpenRead));
  full_name = file.FullName().str();
  DixHeader header;
  CBST_TRY(ReadDixHeader(file, header));
  version = header.version;
  Status read = Refuses(version) ? Status() : ReadDixTables(file, header, into);
  file.Close().MarkHandled();
  return read;
}

void Traductor::ReplaceMismatchedFormats(DixTables& tables) {
  // A text whose printf conversions are not those the program passes would
  // make the program read the wrong arguments: a "%s" given a number
  // crashes it. Such a text is replaced by the English one, or, when there
  // is no English text that fits either, by the text that names it as
  // missing.
  std::vector<std::pair<int, const UsedText*>> mismatched;
  for (const UsedText& used : UsedTexts()) {
    const int index = tables.Find(DixKey(used.id, used.type, used.context, 0));
    if (index < 0) continue;
    const char* text = Resolved(tables, tables.TextAt(index), used.context);
    if (text && !TakesArguments(text, used.arguments)) mismatched.emplace_back(index, &used);
  }
  if (mismatched.empty()) return;

  DixTables english;
  if (!SameCode(language_.view(), kEnglishCode)) {
    std::uint16_t version = 0;
    std::string path;
    // Without a usable English file the texts are named as missing.
    Status read = ReadTables(PathOf(VString(kEnglishCode)), english, version, path);
    if (read.code() != 0) english.clear();
  }
  for (const auto& [index, used] : mismatched) {
    const int found = english.Find(DixKey(used->id, used->type, used->context, 0));
    const char* text =
        found < 0 ? nullptr : Resolved(english, english.TextAt(found), used->context);
    if (text && TakesArguments(text, used->arguments)) {
      Replace(tables, index, text);
    } else {
      Replace(tables, index, MissingText(used->type, used->id));
    }
  }
}

void Traductor::ReportRefused(std::uint16_t version, const std::string& path) {
  const char* format = Text(kTextWrongDictionaryVersion);
  const UsedText* used = FindUsedText(kTypeGeneral, kContextPlain, kTextWrongDictionaryVersion);
  if (!used || !TakesArguments(format, used->arguments)) format = kRefusedFallbackFormat;
  char message[VString::kFormatWorkArea];
  std::snprintf(message, sizeof message, format, accepted_version_ / kVersionScale,
                version / kVersionScale, path.c_str());
  ReportError(message);
}

bool Traductor::SelectLanguage(int index, bool do_not_save) {
  if (index < 0 || index >= static_cast<int>(codes_.size())) return false;
  return Switch(index, do_not_save);
}

bool Traductor::SelectLanguage(const char* code, bool do_not_save) {
  for (std::size_t i = 0; i < codes_.size(); ++i)
    if (SameCode(codes_[i].view(), code ? code : ""))
      return Switch(static_cast<int>(i), do_not_save);
  return false;
}

bool Traductor::Switch(int index, bool do_not_save) {
  if (SameCode(codes_[index].view(), language_.view())) return false;
  VString previous = language_;
  language_ = codes_[index];
  DixTables loaded;
  if (Status status = LoadLanguage(loaded); status.peek() != 0) {
    // The dictionary that was there goes on, and says what went wrong.
    language_ = previous;
    status.Report();
    return false;
  }
  tables_ = std::move(loaded);
  if (!do_not_save && language_saver_) language_saver_(language_.c_str());
  BroadcastLanguage();
  return true;
}

void Traductor::BroadcastLanguage() {
  Application* application = Application::Instance();
  if (!application) return;
  // A window may close others while it re-reads its texts: each is told
  // only while it still exists.
  std::vector<Window*> windows;
  for (const auto& window : application->windows())
    windows.push_back(window.get());
  for (Window* window : windows) {
    if (!application->Holds(window)) continue;
    Event event = MakeEvent(kEventLanguageChanged,
                            CommandPayload{0, reinterpret_cast<std::intptr_t>(language_.c_str())});
    window->Dispatch(event);
  }
}

const char* Traductor::Lookup(int flags, int context, int variant, int id, int type) {
  return Find(flags, context, variant, id, type, false, 0);
}

const char* Traductor::Find(int flags, int context, int variant, int id, int type, bool following,
                            int depth) {
  if (tables_.keys.empty() || depth > kMaxRedirectionDepth) return "";
  const bool exact = (flags & kLookupExact) != 0;
  if (const int index = tables_.Find(DixKey(id, type, context, variant)); index >= 0) {
    const char* text = tables_.TextAt(index);
    if (!exact && text[0] == kRedirectionMark)
      return Follow(text, context, variant, following, depth + 1);
    return text;
  }
  const char* text = exact ? "" : FallBack(context, variant, id, type, following, depth + 1);
  if (*text == 0 && (flags & kLookupReportMissing))
    ReportErrorF(kMissingTextFormat, id, type, variant, context);
  return text;
}

const char* Traductor::Follow(const char* redirection, int context, int variant, bool following,
                              int depth) {
  const std::size_t length = std::strlen(redirection);
  const int type = std::atoi(redirection + std::min<std::size_t>(kRedirectionTypeAt, length));
  const int id = std::atoi(redirection + std::min<std::size_t>(kRedirectionIdAt, length));
  return Find(0, context, variant, id, type, following, depth);
}

const char* Traductor::FallBack(int context, int variant, int id, int type, bool following,
                                int depth) {
  if (context != kContextPlain && !following) {
    const char* plain = Find(kLookupExact, kContextPlain, 0, id, type, following, depth);
    if (plain[0] == kRedirectionMark) return Follow(plain, context, variant, true, depth);
  }
  if (context == kContextPlural) {
    const char* singular = Find(0, kContextPlain, variant, id, type, following, depth);
    if (!IsBlank(singular)) {
      plural_ = Plural(language_.view(), singular);
      return plural_.c_str();
    }
  }
  if (context == kContextAlternate)
    return Find(0, kContextPlain, variant, id, type, following, depth);
  if (variant != 0) return Find(0, context, 0, id, type, following, depth);
  if (context == kContextHeading || context == kContextExtra)
    return Find(0, kContextPlain, 0, id, type, following, depth);
  return "";
}

const char* Traductor::Text(int id, int context, int secondary) {
  const char* text = Lookup(0, context, 0, id, kTypeGeneral);
  if (!std::strstr(text, kSubstitutionMark)) return text;
  VString substituted(text);
  substituted.ReplaceAll(kSubstitutionMark,
                         Lookup(0, kContextPlain, 0, secondary, kTypeSubstitution));
  substituted_ = substituted.str();
  return substituted_.c_str();
}

const char* Traductor::ErrorText(std::uint32_t code) {
  const int id = static_cast<std::int16_t>(code & 0xFFFF);
  const char* text = Lookup(0, kContextPlain, 0, id, kTypeError);
  if (*text) return text;
  char message[VString::kFormatWorkArea];
  std::snprintf(message, sizeof message, kErrorTextFormat, static_cast<int>(code >> 16),
                static_cast<int>(code & 0xFFFF));
  error_text_ = std::string(kErrorTextPrefix) + message;
  return error_text_.c_str();
}

const char* Text(int id, int context, int secondary) {
  Traductor* dictionary = Traductor::Instance();
  return dictionary ? dictionary->Text(id, context, secondary) : "";
}

const char* SecondText(int context, int id) {
  Traductor* dictionary = Traductor::Instance();
  return dictionary ? dictionary->Lookup(0, context, 0, id, kTypeSecond) : "";
}

const char* ControlText(int context, int id) {
  Traductor* dictionary = Traductor::Instance();
  return dictionary ? dictionary->Lookup(0, context, 0, id, kTypeControl) : "";
}

const char* SubstitutionText(int context, int id) {
  Traductor* dictionary = Traductor::Instance();
  return dictionary ? dictionary->Lookup(0, context, 0, id, kTypeSubstitution) : "";
}

const char* ErrorText(std::uint32_t code) {
  if (Traductor* dictionary = Traductor::Instance()) return dictionary->ErrorText(code);
  static std::string no_dictionary;
  char message[VString::kFormatWorkArea];
  std::snprintf(message, sizeof message, kNoDictionaryErrorFormat, static_cast<int>(code));
  no_dictionary = message;
  return no_dictionary.c_str();
}

}  // namespace cbst
