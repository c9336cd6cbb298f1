// dix_file.h: the dictionary file: its key formula and its layout.
//
// A file holds, little-endian: the offset T of its tables (u32); the format
// version (u16), missing in version-100 files; the language's flag as a BMP
// file image; and at T the sorted keys, the offsets of their texts and the
// block of zero-ended Windows-1252 texts, each table after its u32 count.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/file.h"
#include "base/status.h"

namespace cbst {

// The offset of the version word, and of the flag picture behind it.
inline constexpr std::int64_t kDixVersionOffset = 4;
inline constexpr std::int64_t kDixFlagOffset = 6;

// The lookup key of (id, type, context, variant), in 32-bit arithmetic.
// Type and context are added, so different tuples can share a key.
constexpr std::int32_t DixKey(int id, int type, int context, int variant) {
  const std::uint32_t high = static_cast<std::uint32_t>(static_cast<std::int16_t>(variant)) * 256u +
                             static_cast<std::uint32_t>(static_cast<std::int16_t>(type)) +
                             static_cast<std::uint32_t>(static_cast<std::int16_t>(context));
  return static_cast<std::int32_t>((high << 16) +
                                   static_cast<std::uint32_t>(static_cast<std::int16_t>(id)));
}

// What the start of a file says.
struct DixHeader {
  std::uint32_t tables = 0;
  std::uint16_t version = 0;
  std::int64_t flag_offset = kDixVersionOffset;
};

// The tables, as loaded. Every offset points inside the text block, which
// ends with a zero byte.
struct DixTables {
  std::vector<std::int32_t> keys;
  std::vector<std::int32_t> offsets;
  std::vector<char> texts;

  void clear();
  // The index of the first key equal to `key`, or -1.
  int Find(std::int32_t key) const;
  const char* TextAt(int index) const { return texts.data() + offsets[index]; }
};

// Reads the table offset and the version of an open file.
Status ReadDixHeader(File& file, DixHeader& header);
// Reads the tables at `header.tables`. Counts or offsets that do not fit the
// file give status 41 with the file's name, and leave `tables` empty.
Status ReadDixTables(File& file, const DixHeader& header, DixTables& tables);

// One text for a file being made.
struct DixEntry {
  std::int32_t key = 0;
  std::string text;  // Windows-1252, without a zero byte
};

// The bytes of a whole file: `version`, the flag picture (a BMP file image)
// and the entries, sorted by key with equal keys kept in the given order,
// so that a lookup finds the first of them. Version 100 is laid out without
// its version word.
std::vector<std::uint8_t> EncodeDix(std::uint16_t version, std::span<const std::uint8_t> flag_bmp,
                                    std::vector<DixEntry> entries);

}  // namespace cbst
