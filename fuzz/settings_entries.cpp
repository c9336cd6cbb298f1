// settings_entries.cpp: the fuzz entry for settings files: the options
// record read as at start-up, every key read as text and as a number, and a
// key written and deleted again, which must read back as written.
#include <optional>

#include "app/options.h"
#include "app/settings.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "gfx/display_probe.h"
#include "platform/profile.h"

namespace cbst::fuzz {
namespace {

// Every read reads the file again, so a file of many sections or keys is
// read only so far.
constexpr std::size_t kMaxSectionsRead = 4;
constexpr std::size_t kMaxKeysRead = 8;
constexpr std::string_view kWrittenKey = "FuzzWritten";

}  // namespace

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string path = WriteInput("cbst.ini", data, size);
  const Settings settings(path);

  Options options;
  options.Load(settings);
  // The options may ask for the other bitmap method; the next input starts
  // on the display every other entry expects.
  if (options.bits & kOptionsOtherBitmapMethod) ProbeDisplay(false);

  std::size_t sections_read = 0, keys_read = 0;
  for (const VString& section : ProfileSections(path.c_str())) {
    if (++sections_read > kMaxSectionsRead) break;
    for (const VString& key : ProfileKeys(path.c_str(), section.view())) {
      if (++keys_read > kMaxKeysRead) break;
      settings.Read(key.view(), section.view());
      settings.ReadNumber(key.view(), section.view());
    }
  }

  Require(settings.WriteNumber(kWrittenKey, -12345), "a setting could not be written");
  Require(settings.ReadNumber(kWrittenKey) == -12345, "a number written reads back otherwise");
  Require(settings.Write(kWrittenKey, std::nullopt), "a setting could not be deleted");
  Require(!settings.Has(kWrittenKey), "a deleted setting is still there");
  return 0;
}

}  // namespace cbst::fuzz
