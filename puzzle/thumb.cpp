// thumb.cpp: reading and writing puzzle-file headers and directories.
#include "puzzle/thumb.h"

#include <strings.h>

#include "base/binary_io.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"
#include "image/bmp_file.h"
#include "puzzle/option_string.h"
#include "puzzle/puz.h"
#include "puzzle/puz_options.h"

namespace cbst {
namespace {

SavedGameHeaderReader saved_game_reader = nullptr;

// The header reader cuts items at "-" too, so a title with "-" ends there.
constexpr std::string_view kHeaderSeparators = "/-";

}  // namespace

void SetSavedGameHeaderReader(SavedGameHeaderReader reader) {
  saved_game_reader = reader;
}

VString Thumb::VersionText(std::uint16_t version) {
  const int remainder = version % 100;
  if (remainder % 10 != 0) return VString::Format("%i.%02i", version / 100, remainder);
  return VString::Format("%i.%i", version / 100, remainder / 10);
}

void Thumb::SetFile(const char* path) {
  file_path = path;
  file.SetPath(path);
  message_name = path;
}

Status Thumb::Open(const char* path, bool load_thumbnail) {
  SetFile(path);
  const VString& extension = file.path().extension;
  if (!strcasecmp(extension.c_str(), kPuzzleFileExtension)) return ReadPuzzleHeader(load_thumbnail);
  if (!strcasecmp(extension.c_str(), "sav") && saved_game_reader) {
    return saved_game_reader(*this, load_thumbnail);
  }
  return Status(kStatusNotReadable, message_name.view());
}

void Thumb::ReadHeaderOptions() {
  OptionString items(options.view(), kHeaderSeparators);
  if (items.TakeFlag("nocustom")) flags |= kThumbNoCustomSize;
  if (auto value = items.Take("Tit:")) title = *value;
  level_rows = {};
  level_columns = {};
  for (int level = 0; level < kStoredLevels; ++level) {
    auto value = items.Take("Med" + std::to_string(level) + ":");
    if (!value) continue;
    const std::size_t hash = value->find('#');
    level_rows[static_cast<std::size_t>(level)] =
        static_cast<std::int16_t>(OptionNumber(value->substr(0, hash)));
    if (hash != std::string::npos) {
      level_columns[static_cast<std::size_t>(level)] =
          static_cast<std::int16_t>(OptionNumber(value->substr(hash + 1)));
    }
  }
  if (items.TakeFlag("NoPreview")) flags |= kThumbNoPreview;
}

Status Thumb::ReadPuzzleHeader(bool load_thumbnail) {
  if (Status opened = file.Open(kOpenRead); opened.peek() != 0) {
    opened.MarkHandled();
    return Status::Format(opened.peek(), "(%s)", file_path.c_str());
  }
  const auto fail = [this](Status status) {
    file.Close().MarkHandled();
    return status;
  };
  const auto not_a_puzzle = [&] { return fail(Status(kStatusNotReadable, message_name.view())); };

  BinaryReader in(file);
  format_version = in.U16();
  required_version = in.U16();
  Status newer;
  if (in.ok() && required_version > kHighestAcceptedRequirement) {
    flags |= kThumbNeedsNewerProgram;
    newer = Status(kStatusNeedsNewerProgram, VersionText(required_version).view());
  }
  if (format_version > kLastFormatWithoutTitle) title = in.CountedString();
  level_count = in.U16();
  reserved[0] = in.U8();
  if (!in.ok()) {
    // Cut short before its levels, the file is no puzzle at all, whatever
    // version it claims: one status for one bad file.
    newer.MarkHandled();
    return not_a_puzzle();
  }
  if (newer.peek() != 0) {
    level_count = 1;
    return fail(std::move(newer));
  }

  char magic[kMagicBytes] = {};
  in.Bytes(magic, kMagicBytes);
  if (!in.ok() ||
      std::string_view(magic, kMagicBytes) != std::string_view(kPuzzleMagic, kMagicBytes))
    return not_a_puzzle();

  options = in.CountedString();
  if (!in.ok()) return not_a_puzzle();
  ReadHeaderOptions();

  in.Skip(2 * kReservedBytes);
  if (!in.ok()) return not_a_puzzle();
  directory_at = static_cast<std::uint32_t>(file.Tell());
  if (Status directory = ReadDirectory(); directory.peek() != 0) return fail(std::move(directory));

  if (load_thumbnail && thumbnail_at != 0) {
    if (Status read = ReadBmp(thumbnail, nullptr, false, thumbnail_at, file); read.peek() != 0) {
      return fail(std::move(read));
    }
    thumbnail_bitmap = BitmapFromDib(thumbnail);
  }
  flags |= kThumbHeaderRead;
  return fail(Status());
}

Status Thumb::ReadDirectory() {
  if (file.Seek(directory_at) != directory_at)
    return Status(kStatusNotReadable, message_name.view());
  BinaryReader in(file);
  thumbnail_at = in.U32();
  picture_at = in.U32();
  picture_size = in.U32();
  picture_kind = in.U8();
  cache_at = in.U32();
  alternative_at = in.U32();
  if (!in.ok()) return Status(kStatusNotReadable, message_name.view());
  return Status();
}

Status Thumb::WriteDirectory() {
  if (file.Seek(directory_at) != directory_at) {
    return Status(kStatusWriteFailed, message_name.view());
  }
  BinaryWriter out(file);
  out.U32(thumbnail_at);
  out.U32(picture_at);
  out.U32(picture_size);
  out.U8(picture_kind);
  out.U32(cache_at);
  out.U32(alternative_at);
  return out.TakeStatus();
}

Status Thumb::SeekPastDirectory() {
  const std::int64_t past = std::int64_t{directory_at} + kDirectoryBytes;
  if (file.Seek(past) != past) return Status(kStatusNotReadable, message_name.view());
  return Status();
}

Status Thumb::WriteHeader(const Puz& puz) {
  CBST_TRY(file.Open(kOpenWrite | kOpenCreate));
  title = puz.title;
  options = ComposeOptions(puz, OptionMode::kPuzzle);
  format_version = kPuzzleFormat;
  required_version = RequiredProgramVersion();
  level_count = static_cast<std::uint16_t>(puz.DefinedLevels());
  for (std::size_t level = 0; level < kStoredLevels; ++level) {
    level_rows[level] = puz.level_rows[level];
    level_columns[level] = puz.level_columns[level];
  }

  BinaryWriter out(file);
  out.U16(format_version);
  out.U16(required_version);
  out.CountedString(title.view());
  out.U16(level_count);
  out.U8(0);
  out.Bytes(kPuzzleMagic, kMagicBytes);
  out.CountedString(options.view());
  out.Zeros(2 * kReservedBytes);
  CBST_TRY(out.TakeStatus());
  directory_at = static_cast<std::uint32_t>(file.Tell());
  // The directory is written last, once the picture's place is known.
  BinaryWriter placeholder(file);
  placeholder.Zeros(kDirectoryBytes);
  return placeholder.TakeStatus();
}

}  // namespace cbst
