// ranking_file.cpp: a ranking's file name, its bytes both ways, loading and
// saving.
#include "scores/ranking_file.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "base/file_replacement.h"
#include "base/file_system.h"
#include "base/pathname.h"
#include "base/status_codes.h"
#include "play/saved_game.h"

namespace cbst {
namespace {

// Where the count sits, to be written once the entries are.
constexpr std::size_t kRankingCountAt = kRankingMarkBytes;
// The largest ranking file: fifteen entries of three texts of the longest
// length, with the marks and the count. Anything larger is no ranking.
constexpr std::int64_t kLargestRankingFile =
    2 * kRankingMarkBytes + 2 + kRankingStoredEntries * (3 * (2 + 0xFFFF) + 4 + 4 + 3 * 2);

// Little-endian fields out of a file's bytes; the first short read spoils
// the rest, so a whole file is checked once.
class RankingCursor {
 public:
  explicit RankingCursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::uint32_t Unsigned(std::size_t count) {
    if (!Fits(count)) return 0;
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < count; ++index)
      value |= static_cast<std::uint32_t>(bytes_[at_ + index]) << (8 * index);
    at_ += count;
    return value;
  }
  std::int16_t I16() { return static_cast<std::int16_t>(Unsigned(2)); }
  std::int32_t I32() { return static_cast<std::int32_t>(Unsigned(4)); }
  VString Text() {
    const auto length = static_cast<std::size_t>(Unsigned(2));
    if (!Fits(length)) return VString();
    const std::string_view text(reinterpret_cast<const char*>(bytes_.data() + at_), length);
    at_ += length;
    return VString(text);
  }
  // Whether the next bytes are `mark`; they are taken either way.
  bool Mark(const char* mark) {
    const std::size_t length = std::strlen(mark);
    if (!Fits(length)) return false;
    const bool same = std::memcmp(bytes_.data() + at_, mark, length) == 0;
    at_ += length;
    return same;
  }
  bool ok() const { return ok_; }

 private:
  bool Fits(std::size_t count) {
    if (ok_ && bytes_.size() - at_ >= count) return true;
    ok_ = false;
    return false;
  }

  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

void PutUnsigned(std::vector<std::uint8_t>& out, std::uint32_t value, int count) {
  for (int index = 0; index < count; ++index)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
}

void PutText(std::vector<std::uint8_t>& out, std::string_view text) {
  PutUnsigned(out, static_cast<std::uint16_t>(text.size()), 2);
  out.insert(out.end(), text.begin(), text.end());
}

// The saved game an entry belongs to, as the game saves it.
VString SavedGameOf(const RankingEntry& entry, const Ranking& ranking,
                    const SavedGamesCheck& check) {
  PathName path(entry.game.c_str());
  path.extension = VString(kSavedGameExtension);
  if (path.directory.empty() && path.drive.empty()) {
    if (!check.directory.empty()) {
      path.directory = check.directory;
    } else {
      const PathName puzzle(ranking.puzzle.c_str());
      path.drive = puzzle.drive;
      path.directory = puzzle.directory;
    }
  }
  return path.Compose();
}

bool ReadWholeFile(const char* name, std::vector<std::uint8_t>& bytes) {
  File file(name);
  if (file.Open(kOpenRead).failed()) return false;
  const std::int64_t size = file.Size();
  if (size < 0 || size > kLargestRankingFile) {
    file.Close().MarkHandled();
    bytes.clear();
    return true;
  }
  bytes.resize(static_cast<std::size_t>(size));
  const std::int32_t read = file.Read(static_cast<std::int32_t>(size), bytes.data());
  file.Close().MarkHandled();
  if (read != size) bytes.clear();
  return true;
}

}  // namespace

VString RankingFileName(const char* puzzle, std::int32_t level, std::uint32_t flags) {
  const PathName path(puzzle);
  PathName ranking;
  ranking.drive = path.drive;
  std::string folder = path.directory.str();
  if (!folder.empty() && !IsPathSeparator(folder.back())) folder += kPathSeparator;
  folder += kRankingFolder;
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  if (!std::filesystem::is_directory(folder, error)) return VString();
  ranking.directory = VString(folder);
  ranking.name = path.name;
  std::string extension = std::to_string(level);
  if (flags & kRankingNoRotation) extension += kRankingNoRotationMark;
  if (flags & kRankingMosaic) extension += kRankingMosaicMark;
  ranking.extension = VString(extension);
  return ranking.Compose();
}

RankingRead DecodeRankingEntries(const std::vector<std::uint8_t>& bytes,
                                 std::vector<RankingEntry>& entries) {
  RankingCursor in(bytes);
  if (!in.Mark(kRankingFileStart)) return RankingRead::kNotRanking;
  const std::int16_t count = in.I16();
  if (!in.ok() || count < 0 || count > kRankingStoredEntries) return RankingRead::kDamaged;
  std::vector<RankingEntry> read(static_cast<std::size_t>(count));
  for (RankingEntry& entry : read) {
    entry.game = in.Text();
    in.Text();  // reserved
    entry.player = in.Text();
    entry.score = in.I32();
    entry.time = in.I32();
    entry.helps = in.I16();
    entry.moves = in.I16();
    entry.solved = in.I16();
  }
  if (!in.Mark(kRankingFileEnd) || !in.ok()) return RankingRead::kDamaged;
  entries = std::move(read);
  return RankingRead::kRead;
}

std::vector<std::uint8_t> EncodeRankingEntries(const std::vector<RankingEntry>& entries) {
  std::vector<std::uint8_t> out(kRankingFileStart, kRankingFileStart + kRankingMarkBytes);
  PutUnsigned(out, 0, 2);
  std::uint16_t written = 0;
  for (const RankingEntry& entry : entries) {
    if (written == kRankingStoredEntries) break;
    if (entry.game.empty()) continue;
    PutText(out, entry.game.view());
    PutText(out, {});
    PutText(out, entry.player.view());
    PutUnsigned(out, static_cast<std::uint32_t>(entry.score), 4);
    PutUnsigned(out, static_cast<std::uint32_t>(entry.time), 4);
    PutUnsigned(out, static_cast<std::uint16_t>(entry.helps), 2);
    PutUnsigned(out, static_cast<std::uint16_t>(entry.moves), 2);
    PutUnsigned(out, static_cast<std::uint16_t>(entry.solved), 2);
    ++written;
  }
  out.insert(out.end(), kRankingFileEnd, kRankingFileEnd + kRankingMarkBytes);
  out[kRankingCountAt] = static_cast<std::uint8_t>(written);
  out[kRankingCountAt + 1] = static_cast<std::uint8_t>(written >> 8);
  return out;
}

void LoadRanking(Ranking& ranking, const SavedGamesCheck& check) {
  const VString name = RankingFileName(ranking.puzzle.c_str(), ranking.level, ranking.flags);
  if (name.empty()) return;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(name.c_str(), bytes)) return;
  std::vector<RankingEntry> entries;
  const RankingRead read = DecodeRankingEntries(bytes, entries);
  if (read == RankingRead::kNotRanking) return;
  ranking.current = kNoCurrentEntry;
  ranking.entries.clear();
  if (read == RankingRead::kDamaged) return;
  for (RankingEntry& entry : entries) {
    if (check.drop_missing && entry.game != kReservedGameName &&
        !FileExists(SavedGameOf(entry, ranking, check).c_str()))
      continue;
    ranking.entries.push_back(std::move(entry));
  }
  SortRankingEntries(ranking.entries);
}

Status SaveRanking(const Ranking& ranking, File* stream) {
  const VString name = RankingFileName(ranking.puzzle.c_str(), ranking.level, ranking.flags);
  if (name.empty()) return Status();
  const std::vector<std::uint8_t> bytes = EncodeRankingEntries(ranking.entries);
  return WriteWholeFile(name.c_str(), bytes, stream);
}

}  // namespace cbst
