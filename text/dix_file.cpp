// dix_file.cpp: reading and laying out dictionary files.
#include "text/dix_file.h"

#include <algorithm>

#include "text/text_codes.h"

namespace cbst {
namespace {

constexpr std::uint16_t kFlagFirstMark = 0x4D42;  // "BM" where the version would be

std::uint32_t Get32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void Put16(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  Put16(bytes, value);
  Put16(bytes, value >> 16);
}

Status BadFile(const File& file) {
  return Status(kStatusBadDictionary, file.FullName().view());
}

// Reads a u32 count and that many i32 values, refusing counts that the rest
// of the file cannot hold.
bool ReadTable(File& file, std::int64_t& at, std::int64_t size, std::vector<std::int32_t>& into) {
  std::uint8_t count_bytes[4];
  if (at + 4 > size || file.Read(4, count_bytes) != 4) return false;
  at += 4;
  const std::uint32_t count = Get32(count_bytes);
  if (count > static_cast<std::uint64_t>(size - at) / 4) return false;
  std::vector<std::uint8_t> bytes(count * 4);
  if (count && file.Read(static_cast<std::int32_t>(bytes.size()), bytes.data()) !=
                   static_cast<std::int32_t>(bytes.size()))
    return false;
  at += bytes.size();
  into.resize(count);
  for (std::uint32_t i = 0; i < count; ++i)
    into[i] = static_cast<std::int32_t>(Get32(bytes.data() + 4 * i));
  return true;
}

bool ReadTablesAt(File& file, const DixHeader& header, DixTables& tables) {
  const std::int64_t size = file.Size();
  std::int64_t at = header.tables;
  if (size < 0 || file.Seek(at) != at) return false;
  if (!ReadTable(file, at, size, tables.keys) || !ReadTable(file, at, size, tables.offsets) ||
      tables.offsets.size() != tables.keys.size())
    return false;

  std::uint8_t count_bytes[4];
  if (at + 4 > size || file.Read(4, count_bytes) != 4) return false;
  at += 4;
  const std::uint32_t text_size = Get32(count_bytes);
  if (text_size > size - at) return false;
  tables.texts.resize(text_size);
  if (text_size && file.Read(static_cast<std::int32_t>(text_size), tables.texts.data()) !=
                       static_cast<std::int32_t>(text_size))
    return false;

  if (!tables.keys.empty() && (text_size == 0 || tables.texts.back() != 0)) return false;
  if (!std::is_sorted(tables.keys.begin(), tables.keys.end())) return false;
  return std::all_of(tables.offsets.begin(), tables.offsets.end(), [&](std::int32_t offset) {
    return offset >= 0 && static_cast<std::uint32_t>(offset) < text_size;
  });
}

}  // namespace

void DixTables::clear() {
  keys.clear();
  offsets.clear();
  texts.clear();
}

int DixTables::Find(std::int32_t key) const {
  const auto found = std::lower_bound(keys.begin(), keys.end(), key);
  if (found == keys.end() || *found != key) return -1;
  return static_cast<int>(found - keys.begin());
}

Status ReadDixHeader(File& file, DixHeader& header) {
  std::uint8_t bytes[6];
  if (file.Seek(0) != 0 || file.Read(6, bytes) != 6) return BadFile(file);
  header.tables = Get32(bytes);
  const std::uint16_t version = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
  if (version == kFlagFirstMark) {
    header.version = kDictionaryVersionFlagFirst;
    header.flag_offset = kDixVersionOffset;
  } else {
    header.version = version;
    header.flag_offset = kDixFlagOffset;
  }
  return Status();
}

Status ReadDixTables(File& file, const DixHeader& header, DixTables& tables) {
  if (ReadTablesAt(file, header, tables)) return Status();
  tables.clear();
  return BadFile(file);
}

std::vector<std::uint8_t> EncodeDix(std::uint16_t version, std::span<const std::uint8_t> flag_bmp,
                                    std::vector<DixEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const DixEntry& a, const DixEntry& b) { return a.key < b.key; });

  std::vector<std::uint8_t> bytes;
  Put32(bytes, 0);  // the table offset, known once the picture is in
  if (version != kDictionaryVersionFlagFirst) Put16(bytes, version);
  bytes.insert(bytes.end(), flag_bmp.begin(), flag_bmp.end());
  const auto tables = static_cast<std::uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<std::uint8_t>(tables >> (8 * i));

  std::vector<std::uint8_t> texts;
  std::vector<std::uint32_t> offsets;
  for (const DixEntry& entry : entries) {
    offsets.push_back(static_cast<std::uint32_t>(texts.size()));
    texts.insert(texts.end(), entry.text.begin(), entry.text.end());
    texts.push_back(0);
  }
  Put32(bytes, static_cast<std::uint32_t>(entries.size()));
  for (const DixEntry& entry : entries)
    Put32(bytes, static_cast<std::uint32_t>(entry.key));
  Put32(bytes, static_cast<std::uint32_t>(offsets.size()));
  for (std::uint32_t offset : offsets)
    Put32(bytes, offset);
  Put32(bytes, static_cast<std::uint32_t>(texts.size()));
  bytes.insert(bytes.end(), texts.begin(), texts.end());
  return bytes;
}

}  // namespace cbst
