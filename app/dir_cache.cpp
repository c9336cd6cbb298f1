// dir_cache.cpp: the browser's folder cache on disk.
//
// The file: "CBDC", the version (u16), the number of entries (u32), the
// entries, and "CBDC" again so that a cut file is known. An entry: the
// file's name, size (u64) and modification time (u64), its puzzle's path,
// size and time, and its lines (u8 count), each with its kind, level,
// custom flag, texts, size, progress (the double's bits) and time played.
// Last comes a checksum of all the bytes before it, so that a byte changed
// anywhere is not taken for what the files said.
#include "app/dir_cache.h"

#include <sys/stat.h>

#include <bit>
#include <filesystem>
#include <fstream>

#include "base/byte_record.h"
#include "base/file.h"
#include "base/file_replacement.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr char kMagic[] = "CBDC";
constexpr int kMagicBytes = 4;
// More lines than a file can give mean the bytes are not a cache.
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr int kMostLinesPerFile = kStoredLevels + 1;  // and a custom size

void PutMagic(ByteSink& out) {
  for (int index = 0; index < kMagicBytes; ++index)
    out.U8(static_cast<std::uint8_t>(kMagic[index]));
}

bool TakeMagic(ByteCursor& in) {
  for (int index = 0; index < kMagicBytes; ++index)
    if (in.U8() != static_cast<std::uint8_t>(kMagic[index])) return false;
  return in.ok();
}

// FNV-1a over the bytes.
std::uint32_t Checksum(const std::uint8_t* bytes, std::size_t count) {
  constexpr std::uint32_t kOffsetBasis = 2166136261u;
  constexpr std::uint32_t kPrime = 16777619u;
  std::uint32_t sum = kOffsetBasis;
  for (std::size_t index = 0; index < count; ++index)
    sum = (sum ^ bytes[index]) * kPrime;
  return sum;
}

void PutStamp(ByteSink& out, const FileStamp& stamp) {
  out.U64(stamp.size);
  out.U64(static_cast<std::uint64_t>(stamp.modified));
}

FileStamp TakeStamp(ByteCursor& in) {
  FileStamp stamp;
  stamp.size = in.U64();
  stamp.modified = static_cast<std::int64_t>(in.U64());
  return stamp;
}

void PutLine(ByteSink& out, const BrowserLine& line) {
  out.U8(static_cast<std::uint8_t>(line.kind));
  out.U8(static_cast<std::uint8_t>(line.level));
  out.U8(line.custom ? 1 : 0);
  out.U8(line.no_preview ? 1 : 0);
  out.Text(line.title);
  out.Text(line.player);
  out.Text(line.puzzle_title);
  out.Text(line.credit);
  out.Text(line.puzzle_path);
  out.I16(static_cast<std::int16_t>(line.rows));
  out.I16(static_cast<std::int16_t>(line.columns));
  out.U64(std::bit_cast<std::uint64_t>(line.progress));
  out.U32(static_cast<std::uint32_t>(line.elapsed_ms));
}

bool TakeLine(ByteCursor& in, BrowserLine& line) {
  const int kind = in.U8();
  if (kind != static_cast<int>(LineKind::kPuzzle) && kind != static_cast<int>(LineKind::kSavedGame))
    return false;
  line.kind = static_cast<LineKind>(kind);
  line.level = in.U8();
  line.custom = in.U8() != 0;
  line.no_preview = in.U8() != 0;
  line.title = in.Text().str();
  line.player = in.Text().str();
  line.puzzle_title = in.Text().str();
  line.credit = in.Text().str();
  line.puzzle_path = in.Text().str();
  line.rows = in.I16();
  line.columns = in.I16();
  line.progress = std::bit_cast<double>(in.U64());
  line.elapsed_ms = static_cast<int>(in.U32());
  const bool level_known = line.custom ? line.level == kCustomLevel : line.level < kStoredLevels;
  return in.ok() && level_known && line.progress >= 0.0 && line.progress <= 1.0;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  // One look at the file: the browser asks this of every file it lists.
  struct stat facts {};
  if (stat(path.c_str(), &facts) != 0) return {};
  return {static_cast<std::uint64_t>(facts.st_size),
          static_cast<std::int64_t>(facts.st_mtim.tv_sec) * kNanosecondsPerSecond +
              facts.st_mtim.tv_nsec};
}

std::vector<std::uint8_t> EncodeDirCache(const DirCache& cache) {
  ByteSink out;
  PutMagic(out);
  out.U16(kDirCacheVersion);
  out.U32(static_cast<std::uint32_t>(cache.entries.size()));
  for (const auto& [name, entry] : cache.entries) {
    out.Text(name);
    PutStamp(out, entry.stamp);
    out.Text(entry.puzzle);
    PutStamp(out, entry.puzzle_stamp);
    out.U8(static_cast<std::uint8_t>(entry.lines.size()));
    for (const BrowserLine& line : entry.lines)
      PutLine(out, line);
  }
  PutMagic(out);
  std::vector<std::uint8_t> bytes = out.Take();
  const std::uint32_t sum = Checksum(bytes.data(), bytes.size());
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<std::uint8_t>(sum >> shift));
  return bytes;
}

bool DecodeDirCache(const std::vector<std::uint8_t>& bytes, const std::string& directory,
                    DirCache& cache) {
  constexpr std::size_t kChecksumBytes = 4;
  if (bytes.size() < kChecksumBytes) return false;
  const std::size_t body = bytes.size() - kChecksumBytes;
  ByteCursor sum_at(bytes.data() + body, kChecksumBytes);
  if (sum_at.U32() != Checksum(bytes.data(), body)) return false;
  ByteCursor in(bytes.data(), body);
  if (!TakeMagic(in) || in.U16() != kDirCacheVersion) return false;
  const std::uint32_t count = in.U32();
  DirCache read;
  for (std::uint32_t index = 0; index < count && in.ok(); ++index) {
    const std::string name = in.Text().str();
    CachedFile entry;
    entry.stamp = TakeStamp(in);
    entry.puzzle = in.Text().str();
    entry.puzzle_stamp = TakeStamp(in);
    const int lines = in.U8();
    if (!in.ok() || name.empty() || lines > kMostLinesPerFile) return false;
    const std::string path = (fs::path(directory) / name).string();
    for (int each = 0; each < lines; ++each) {
      BrowserLine line;
      if (!TakeLine(in, line)) return false;
      line.path = path;
      if (line.kind == LineKind::kPuzzle) line.puzzle_path = path;
      entry.lines.push_back(std::move(line));
    }
    read.entries[name] = std::move(entry);
  }
  if (!TakeMagic(in) || in.Rest().size() != 0) return false;
  cache = std::move(read);
  return true;
}

DirCache DirCache::Load(const std::string& directory) {
  DirCache cache;
  std::ifstream file(fs::path(directory) / kDirCacheName, std::ios::binary | std::ios::ate);
  if (!file) return cache;
  const std::streamoff size = file.tellg();
  if (size <= 0) return cache;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return cache;
  if (!DecodeDirCache(bytes, directory, cache)) cache.entries.clear();
  return cache;
}

Status DirCache::Save(const std::string& directory) const {
  const std::vector<std::uint8_t> bytes = EncodeDirCache(*this);
  const std::string path = (fs::path(directory) / kDirCacheName).string();
  return WriteWholeFile(path.c_str(), bytes);
}

CachedFile* DirCache::Find(const std::string& name, const FileStamp& stamp) {
  const auto found = entries.find(name);
  if (found == entries.end() || !(found->second.stamp == stamp)) return nullptr;
  CachedFile& entry = found->second;
  if (!entry.puzzle.empty() && !(StampOf(entry.puzzle) == entry.puzzle_stamp)) return nullptr;
  return &entry;
}

}  // namespace cbst
