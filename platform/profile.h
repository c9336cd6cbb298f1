// profile.h: settings kept in INI text files the user can read and edit.
//
// A file holds [sections] of key=value lines. Sections and keys are found
// without regard to case; a file that does not exist reads as all
// defaults and is created on the first write; writing no value deletes the
// key, and writing no key deletes the whole section. Every write replaces
// the file through a temporary one, so a crash never leaves half a file.
// Comments and blank lines the user wrote are kept. Texts are the
// program's bytes (Windows-1252), paths the system's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/vstring.h"

namespace cbst {

// The value of `key` in `section`, or `fallback` when either is missing.
// Spaces around the value and one pair of double quotes are dropped.
VString ReadProfileString(const char* path, std::string_view section, std::string_view key,
                          std::string_view fallback = {});
// A number in decimal (or 0x hexadecimal); `fallback` when the key is
// missing, 0 when its value does not start with a number.
int ReadProfileInt(const char* path, std::string_view section, std::string_view key, int fallback);

// Sets `key` to `value`; no value deletes the key and no key the section.
// False when the file could not be written.
bool WriteProfileString(const char* path, std::string_view section,
                        std::optional<std::string_view> key, std::optional<std::string_view> value);

// The sections of the file, and the keys of one section, in file order.
std::vector<VString> ProfileSections(const char* path);
std::vector<VString> ProfileKeys(const char* path, std::string_view section);

// The user's own settings file: win.ini in $XDG_CONFIG_HOME/cobblestack
// (~/.config/cobblestack when the variable is not set).
std::string UserSettingsPath();

}  // namespace cbst
