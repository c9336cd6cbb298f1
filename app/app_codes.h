// app_codes.h: the program's identity and the numbers start-up uses.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/status_codes.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

inline constexpr std::string_view kProductName = "Cobblestack";
inline constexpr std::string_view kShortName = "CBst";  // the settings file's name
inline constexpr char kDictionaryTag[] = "CS21";
inline constexpr std::uint16_t kDictionaryVersion = 200;
// Shown after the version in the program's identity.
inline constexpr std::string_view kBuildMark = "(32bit)";

// Keys of section Main start-up reads.
inline constexpr std::string_view kKeyFileProfile = "FileProfile";
inline constexpr std::string_view kKeyForceRotation = "ForceDIRotate";
inline constexpr std::string_view kKeyLanguage = "lang";
// The platform's own settings name the system language.
inline constexpr std::string_view kIntlSection = "Intl";
inline constexpr std::string_view kKeySystemLanguage = "sLanguage";

// Dictionary messages.
inline constexpr int kMessageIdentity = 26;             // the program's name before its version
inline constexpr int kMessageReadOnlyDirectory = 1010;  // error group

// Prefix of the scratch file that tests whether the program directory can
// be written.
inline constexpr std::string_view kWriteTestPrefix = "tst";

// What the command-line words leave to do.
enum class StartMode { kGoOn = 0, kCloseAndEnd = 1, kDestroyAndEnd = 2 };

// The start-up command the table answers by making a puzzle of a picture
// on the clipboard.
inline constexpr std::uint32_t kCommandStartUp = 1003;

}  // namespace cbst
