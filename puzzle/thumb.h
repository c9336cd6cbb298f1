// thumb.h: Thumb, the header of a puzzle file: what the browser lists and
// what opening a puzzle reads before the picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "base/file.h"
#include "base/status.h"
#include "base/vstring.h"
#include "gfx/bmp.h"
#include "gfx/dib.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

struct Puz;
class Thumb;

// Thumb::flags.
inline constexpr std::uint16_t kThumbNoPreview = 0x01;
inline constexpr std::uint16_t kThumbHeaderRead = 0x08;
inline constexpr std::uint16_t kThumbNeedsNewerProgram = 0x40;
inline constexpr std::uint16_t kThumbNoCustomSize = 0x200;

// Picture kinds of the directory.
inline constexpr std::uint8_t kPictureBmp = 0;
inline constexpr std::uint8_t kPictureJpeg = 1;
inline constexpr std::uint8_t kPicturePaletteAndJpeg = 2;

inline constexpr int kReservedBytes = 32;
inline constexpr int kDirectoryBytes = 21;
inline constexpr char kPuzzleMagic[] = "PUZZ";
inline constexpr int kMagicBytes = 4;

// Reads a saved game's header; installed by the saved-game code.
using SavedGameHeaderReader = Status (*)(Thumb& thumb, bool load_thumbnail);
void SetSavedGameHeaderReader(SavedGameHeaderReader reader);

class Thumb {
 public:
  Thumb() = default;

  // Picks the reader by extension ("puz" or "sav", any case); any other
  // gives status 20 with the file name.
  Status Open(const char* path, bool load_thumbnail);
  // Fills the header from a puzzle file and closes it again.
  Status ReadPuzzleHeader(bool load_thumbnail);

  Status ReadDirectory();
  Status WriteDirectory();
  // Positions the file right after the directory.
  Status SeekPastDirectory();

  // Creates the file and writes everything up to and including a directory
  // placeholder; the picture follows at the position this leaves.
  Status WriteHeader(const Puz& puz);

  // "2.3" for 230, "2.05" for 205.
  static VString VersionText(std::uint16_t version);

  VString file_path;
  VString title;
  std::array<std::int16_t, kStoredLevels> level_rows = {};
  std::array<std::int16_t, kStoredLevels> level_columns = {};
  VString options;
  std::array<std::uint8_t, kReservedBytes> reserved = {};
  File file;
  VString message_name;            // the file as messages name it
  std::uint32_t directory_at = 0;  // D
  std::uint32_t thumbnail_at = 0;  // T
  std::uint32_t picture_at = 0;    // P
  std::uint32_t picture_size = 0;
  std::uint8_t picture_kind = 0;
  std::uint32_t cache_at = 0;
  std::uint32_t alternative_at = 0;  // A
  std::uint16_t flags = 0;
  std::uint16_t level_count = 0;
  std::uint16_t format_version = 0;
  std::uint16_t required_version = 0;
  // The thumbnail as stored, and as a device bitmap for the display.
  Dib thumbnail;
  Bmp thumbnail_bitmap;

  // The file this header belongs to, and how messages name it.
  void SetFile(const char* path);

 private:
  void ReadHeaderOptions();
};

}  // namespace cbst
