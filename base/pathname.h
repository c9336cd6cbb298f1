// pathname.h: PathName, a path as four parts: drive, directory, name, extension.
//
// Paths on this system have no drive, but stored paths written elsewhere may
// ("C:\Puzzles\a.puz"): splitting accepts a drive and both "\" and "/".
// Composed paths use "/".
#pragma once

#include <cstdint>

#include "base/vstring.h"

namespace cbst {

inline constexpr std::uint16_t kPathDrive = 0x01;
inline constexpr std::uint16_t kPathDirectory = 0x02;
inline constexpr std::uint16_t kPathName = 0x04;
inline constexpr std::uint16_t kPathExtension = 0x08;
inline constexpr std::uint16_t kPathAll = 0xFFFF;
inline constexpr char kPathSeparator = '/';

constexpr bool IsPathSeparator(char character) {
  return character == '/' || character == '\\';
}

class PathName {
 public:
  PathName() = default;
  explicit PathName(const char* path) { Set(path); }

  // Splits `path` into the four parts. The directory keeps its last
  // separator; the extension is without its dot.
  void Set(const char* path);
  // The parts chosen by `mask`, with a separator between directory and name
  // when needed and "." before the extension.
  VString Compose(std::uint16_t mask = kPathAll) const;

  VString drive;
  VString directory;
  VString name;
  VString extension;
};

}  // namespace cbst
