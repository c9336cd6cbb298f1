// traductor.h: Traductor, the translation dictionary of the program.
//
// Every text the user sees is fetched by number from the dictionary of the
// current language: one file per language beside the program, which also
// carries the language's flag. Lookups go by a composite key with a chain
// of fall-backs (context forms, variants, redirections, automatic plurals),
// and the language can change while the program runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "base/vstring.h"
#include "gfx/dib.h"
#include "text/dix_file.h"

namespace cbst {

class Traductor {
 public:
  // The newest Traductor is the program's dictionary until it is destroyed:
  // the text functions below, VString::Entry and the messages of
  // self-reporting statuses all read it.
  Traductor();
  Traductor(const Traductor&) = delete;
  Traductor& operator=(const Traductor&) = delete;
  ~Traductor();

  // The program's dictionary, or none.
  static Traductor* Instance();

  // The format version files must have; kAcceptAnyVersion (the default)
  // takes any.
  void set_accepted_version(std::uint16_t version) { accepted_version_ = version; }
  std::uint16_t accepted_version() const { return accepted_version_; }
  // Where the dictionary files are: the program's own directory unless set.
  void set_directory(std::string directory) { directory_ = std::move(directory); }
  const std::string& directory() const { return directory_; }
  // Called with the code of a language the user switched to, to keep it in
  // the settings ([Main] "lang"). Nothing is kept while none is set.
  using LanguageSaver = void (*)(const char* code);
  void set_language_saver(LanguageSaver saver) { language_saver_ = saver; }

  // Finds the installed languages, those of the comma-separated
  // `language_list` first in its order and then any other file with the
  // `tag` (at most 5 characters), and loads `wanted` (or the first
  // language, when `wanted` has no file). Fails with the file's status, or
  // after reporting message 199 when its version is refused.
  Status Load(const char* language_list, const char* tag, const char* wanted);

  // The text of (context, variant, id, type); "" when there is none, never
  // null. Flags: kLookupReportMissing, kLookupExact. The text points into
  // the dictionary, or for a plural into a buffer the next plural reuses.
  const char* Lookup(int flags, int context, int variant, int id, int type);

  // Type-1 text; "@IDA" in it is replaced by the type-5 text `secondary`
  // (in a buffer the next such text reuses).
  const char* Text(int id, int context = 0, int secondary = 0);
  // The message for a status or error code: the type-3 text of its low
  // half, else "Error:Grup:<high>,id:<low>" (in a buffer reused by the next).
  const char* ErrorText(std::uint32_t code);

  // Switches language and tells every window (framework event 32); unless
  // `do_not_save`, the choice goes to the language saver. False when
  // nothing changed: the language is the current one, is not installed
  // (codes compare without regard to case), or its file failed to load,
  // in which case the previous language stays.
  bool SelectLanguage(int index, bool do_not_save = false);
  bool SelectLanguage(const char* code, bool do_not_save = false);

  // The installed languages in discovery order, and their flags (an
  // invalid Dib when a flag could not be read, or for no language).
  const std::vector<VString>& codes() const { return codes_; }
  const Dib& flag(int index) const;
  const VString& language() const { return language_; }
  // The index of the current language among codes(), or -1.
  int language_index() const;
  bool loaded() const { return !tables_.keys.empty(); }

 private:
  void Discover(const char* language_list);
  void ReadFlag(const std::string& path, Dib& flag);
  std::string PathOf(const VString& code) const;
  Status LoadLanguage(DixTables& into);
  bool Refuses(std::uint16_t version) const;
  // Reads the file at `path`: its version, its full name and, unless the
  // version is refused, its tables.
  Status ReadTables(const std::string& path, DixTables& into, std::uint16_t& version,
                    std::string& full_name);
  void ReplaceMismatchedFormats(DixTables& tables);
  void ReportRefused(std::uint16_t version, const std::string& path);
  bool Switch(int index, bool do_not_save);
  void BroadcastLanguage();

  const char* Find(int flags, int context, int variant, int id, int type, bool following,
                   int depth);
  const char* Follow(const char* redirection, int context, int variant, bool following, int depth);
  const char* FallBack(int context, int variant, int id, int type, bool following, int depth);

  std::uint16_t accepted_version_ = 0;
  std::string directory_;
  LanguageSaver language_saver_ = nullptr;
  VString tag_;
  VString language_;
  std::vector<VString> codes_;
  std::vector<std::string> paths_;  // the file of each code, as found
  std::vector<Dib> flags_;
  DixTables tables_;
  std::string plural_;
  std::string substituted_;
  std::string error_text_;
};

// The program's dictionary's texts; "" (or "Error #<code>" for an error
// text) while there is no dictionary.
const char* Text(int id, int context = 0, int secondary = 0);  // type 1
const char* SecondText(int context, int id);                   // type 2
const char* ControlText(int context, int id);                  // type 4
const char* SubstitutionText(int context, int id);             // type 5
const char* ErrorText(std::uint32_t code);                     // type 3

}  // namespace cbst
