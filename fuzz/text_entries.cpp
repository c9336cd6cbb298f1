// text_entries.cpp: the fuzz entry for dictionary files, loaded as the
// program loads its language and then looked up by every key they hold,
// through redirections, fall-backs and plurals.
#include <filesystem>
#include <system_error>

#include "base/file.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "text/dix_file.h"
#include "text/text_codes.h"
#include "text/traductor.h"

namespace cbst::fuzz {
namespace {

// Every key is looked up in each of these contexts; each takes its own
// fall-backs.
constexpr int kContexts[] = {kContextPlain, kContextAlternate, kContextHeading,
                             kContextTip,   kContextPlural,    kContextExtra};
// Enough keys to reach every kind of entry; lookups take most of an input's
// time, so a whole dictionary is looked up only so far.
constexpr std::size_t kMaxKeysLookedUp = 128;

const std::string& DictionaryFolder() {
  static const std::string folder = [] {
    std::string path = WorkspaceFolder() + "/dictionaries";
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return path;
  }();
  return folder;
}

}  // namespace

int FuzzDictionary(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string folder = DictionaryFolder();
  const std::string name =
      std::string("dictionaries/") + kDictionaryTag + kEnglishCode + kDictionaryExtension;
  const std::string path = WriteInput(name.c_str(), data, size);

  Traductor dictionary;
  dictionary.set_directory(folder);
  if (dictionary.Load(kEnglishCode, kDictionaryTag, kEnglishCode).failed()) return 0;

  // The keys, read again as the dictionary read them, name what to look up.
  File file(path.c_str());
  if (file.Open(kOpenRead).failed()) return 0;
  DixHeader header;
  DixTables tables;
  const bool read = ReadDixHeader(file, header).ok() && ReadDixTables(file, header, tables).ok();
  file.Close().MarkHandled();
  if (!read) return 0;

  for (std::size_t index = 0; index < tables.keys.size() && index < kMaxKeysLookedUp; ++index) {
    const std::uint32_t key = static_cast<std::uint32_t>(tables.keys[index]);
    const int id = static_cast<std::int16_t>(key & 0xFFFF);
    const int type = static_cast<int>(key >> 16 & 0xFF);
    const int variant = static_cast<int>(key >> 24);
    for (const int context : kContexts)
      dictionary.Lookup(0, context, variant, id, type);
    dictionary.Text(id, kContextPlain, id);
    dictionary.ErrorText(key);
  }
  return 0;
}

}  // namespace cbst::fuzz
