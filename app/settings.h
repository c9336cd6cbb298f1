// settings.h: the program's settings file, cbst.ini beside the program.
//
// Every preference the program keeps is read and written here, by key and
// section ("Main" unless told). Numbers are written in decimal and read in
// decimal or, after "0x", in hexadecimal; a blank value reads as 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/vstring.h"

namespace cbst {

inline constexpr std::string_view kMainSection = "Main";

class Settings {
 public:
  // The settings file for `name` beside the program in `program_directory`:
  // a bare name, in lower case, gets the extension ".ini" there; a path is used as it is.
  static std::string FileFor(std::string_view name, std::string_view program_directory);

  explicit Settings(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  // Every later read and write goes to `path`.
  void Redirect(std::string path) { path_ = std::move(path); }

  VString Read(std::string_view key, std::string_view section = kMainSection) const;
  long ReadNumber(std::string_view key, std::string_view section = kMainSection) const;
  // True when the key is there with a value that is not blank.
  bool Has(std::string_view key, std::string_view section = kMainSection) const;
  // No value deletes the key. False when the file could not be written.
  bool Write(std::string_view key, std::optional<std::string_view> value,
             std::string_view section = kMainSection) const;
  bool WriteNumber(std::string_view key, long value, std::string_view section = kMainSection) const;

 private:
  std::string path_;
};

}  // namespace cbst
