// bmp_file.cpp: BMP images in files, read into Dibs and written from them.
#include "image/bmp_file.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "base/memory.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"

namespace cbst {
namespace {

constexpr std::uint32_t kMaxTableColours = 256;
// 5-5-5 pixels, the meaning of 16 bits without bit fields.
constexpr std::array<std::uint32_t, 3> kDefaultMasks16 = {0x7C00, 0x03E0, 0x001F};
constexpr std::array<std::uint32_t, 3> kDefaultMasks32 = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr std::int32_t kMaskBytes = 12;

void Put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}
std::uint32_t Get16(const std::uint8_t* at) {
  return at[0] | at[1] << 8;
}
std::uint32_t Get32(const std::uint8_t* at) {
  return Get16(at) | Get16(at + 2) << 16;
}

// Opens a closed file for the length of one operation.
class FileSession {
 public:
  FileSession(File& file, int mode) : file_(file), opened_here_(!file.IsOpen()) {
    if (opened_here_) status_ = file.Open(mode);
  }
  ~FileSession() {
    if (opened_here_ && file_.IsOpen()) file_.Close().MarkHandled();
  }
  FileSession(const FileSession&) = delete;
  FileSession& operator=(const FileSession&) = delete;
  Status TakeStatus() { return std::move(status_); }

 private:
  File& file_;
  bool opened_here_;
  Status status_;
};

Status NotABmp(const File& file) {
  return Status(kStatusNotReadable, file.path().Compose(kPathName | kPathExtension).view());
}

bool ReadExactly(File& file, void* data, std::int32_t count) {
  return count == 0 || file.Read(count, data) == count;
}

bool KnownPixelSize(const BitmapInfoHeader& header) {
  switch (header.bit_count) {
    case 1:
    case 4:
    case 8:
    case 24:
      return header.compression == kCompressionPlain;
    case 16:
    case 32:
      return header.compression == kCompressionPlain || header.compression == kCompressionBitFields;
    default:
      return false;
  }
}

// Reads `count` bytes in pieces, reporting the share done after each.
// Without a progress window to follow, in as few reads as the file allows.
bool ReadPieces(File& file, std::uint8_t* into, std::int64_t count, ProgressSink* progress) {
  const std::int64_t piece_bytes = progress ? kBmpPieceBytes : INT32_MAX;
  std::int64_t done = 0;
  while (done < count) {
    const auto piece = static_cast<std::int32_t>(std::min<std::int64_t>(piece_bytes, count - done));
    const std::int32_t read = file.Read(piece, into + done);
    if (read <= 0) return false;
    done += read;
    if (progress)
      progress->Progress(100.0 * static_cast<double>(done) / static_cast<double>(count));
  }
  return true;
}

Status ReadBmpBody(Dib& dib, ProgressSink* progress, bool header_only, std::int64_t offset,
                   File& file) {
  if (file.Seek(offset) != offset) return NotABmp(file);
  std::uint8_t file_header[kBmpFileHeaderSize];
  if (!ReadExactly(file, file_header, kBmpFileHeaderSize) || Get16(file_header) != kBmpMagic) {
    return NotABmp(file);
  }
  std::uint8_t first[kBmpFirstRead];
  if (!ReadExactly(file, first, kBmpFirstRead)) return NotABmp(file);
  BitmapInfoHeader header = DecodeInfoHeader(first);
  const ColourTableEntry first_colour{first[40], first[41], first[42], first[43]};

  dib.header() = header;
  dib.colours().clear();
  dib.pixel_block().clear();
  dib.masks() = {};
  if (header_only) {
    if (header.bit_count <= 8) dib.colours().push_back(first_colour);
    return Status();
  }
  // Sizes are checked before anything is allocated or negated: a header may
  // claim any size, down to a height of INT_MIN.
  const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
  if (header.size < kInfoHeaderSize || header.planes != 1 || !KnownPixelSize(header) ||
      !PictureSizeAllowed(header.width, rows, header.bit_count)) {
    return NotABmp(file);
  }
  // Larger headers of later BMP versions: the table follows the whole header.
  std::int64_t after_header = offset + kBmpFileHeaderSize + header.size;
  if (file.Seek(after_header) != after_header) return NotABmp(file);

  if (header.bit_count <= 8) {
    const std::uint32_t colours =
        header.colours_used ? header.colours_used : 1u << header.bit_count;
    if (colours > kMaxTableColours) return NotABmp(file);
    std::vector<ColourTableEntry>& table = dib.colours();
    table.resize(colours);
    if (!ReadExactly(file, table.data(), static_cast<std::int32_t>(colours * 4))) {
      table.clear();
      return NotABmp(file);
    }
  } else if (header.compression == kCompressionBitFields) {
    std::uint8_t masks[kMaskBytes];
    if (!ReadExactly(file, masks, kMaskBytes)) return NotABmp(file);
    dib.masks() = {Get32(masks), Get32(masks + 4), Get32(masks + 8)};
  } else {
    dib.masks() = header.bit_count == 16 ? kDefaultMasks16 : kDefaultMasks32;
  }
  // The pixels start where the file header says, when it says so plausibly.
  const std::int64_t pixels_at = offset + Get32(file_header + 10);
  if (pixels_at > file.Tell() && pixels_at < file.Size()) file.Seek(pixels_at);

  const bool top_down = header.height < 0;
  dib.header().height = static_cast<std::int32_t>(rows);
  const std::int64_t needed = dib.image_bytes();
  const std::int64_t remaining = file.Size() - file.Tell();
  std::int64_t size =
      static_cast<std::int32_t>(header.image_size) > 0 ? header.image_size : remaining;
  size = std::min(size, needed);
  if (size < needed || needed > remaining) return NotABmp(file);
  try {
    RecoverableAllocations recoverable;
    dib.pixel_block().assign(static_cast<std::size_t>(needed), 0);
  } catch (const std::bad_alloc&) {
    return Status(kStatusOutOfMemory);
  }
  if (!ReadPieces(file, dib.pixel_block().data(), size, progress)) {
    dib.pixel_block().clear();
    return NotABmp(file);
  }
  if (top_down) {
    std::vector<std::uint8_t> swap(static_cast<std::size_t>(dib.stride()));
    for (int y = 0; y < dib.height() / 2; ++y) {
      std::uint8_t* top = dib.pixel_block().data() + static_cast<std::size_t>(y) * dib.stride();
      std::uint8_t* bottom =
          dib.pixel_block().data() + static_cast<std::size_t>(dib.height() - 1 - y) * dib.stride();
      std::swap_ranges(top, top + dib.stride(), bottom);
    }
  }
  dib.header().image_size = static_cast<std::uint32_t>(needed);
  dib.BuildPalette();
  return Status();
}

Status ReadForBitmapFile(File& file, std::int64_t offset, Dib& into) {
  return ReadBmp(into, nullptr, false, offset, file);
}

}  // namespace

std::array<std::uint8_t, kInfoHeaderSize> EncodeInfoHeader(const BitmapInfoHeader& header) {
  std::array<std::uint8_t, kInfoHeaderSize> bytes{};
  std::uint8_t* at = bytes.data();
  Put32(at, header.size);
  Put32(at + 4, static_cast<std::uint32_t>(header.width));
  Put32(at + 8, static_cast<std::uint32_t>(header.height));
  Put16(at + 12, header.planes);
  Put16(at + 14, header.bit_count);
  Put32(at + 16, header.compression);
  Put32(at + 20, header.image_size);
  Put32(at + 24, static_cast<std::uint32_t>(header.x_pixels_per_metre));
  Put32(at + 28, static_cast<std::uint32_t>(header.y_pixels_per_metre));
  Put32(at + 32, header.colours_used);
  Put32(at + 36, header.colours_important);
  return bytes;
}

BitmapInfoHeader DecodeInfoHeader(const std::uint8_t* at) {
  BitmapInfoHeader header;
  header.size = Get32(at);
  header.width = static_cast<std::int32_t>(Get32(at + 4));
  header.height = static_cast<std::int32_t>(Get32(at + 8));
  header.planes = static_cast<std::uint16_t>(Get16(at + 12));
  header.bit_count = static_cast<std::uint16_t>(Get16(at + 14));
  header.compression = Get32(at + 16);
  header.image_size = Get32(at + 20);
  header.x_pixels_per_metre = static_cast<std::int32_t>(Get32(at + 24));
  header.y_pixels_per_metre = static_cast<std::int32_t>(Get32(at + 28));
  header.colours_used = Get32(at + 32);
  header.colours_important = Get32(at + 36);
  return header;
}

std::array<std::uint8_t, kBmpFileHeaderSize> EncodeFileHeader(std::uint32_t total_size,
                                                              std::uint32_t pixel_offset) {
  std::array<std::uint8_t, kBmpFileHeaderSize> bytes{};
  Put16(bytes.data(), kBmpMagic);
  Put32(bytes.data() + 2, total_size);
  Put32(bytes.data() + 10, pixel_offset);
  return bytes;
}

Status ReadBmp(Dib& dib, ProgressSink* progress, bool header_only, std::int64_t offset,
               File& file) {
  FileSession session(file, kOpenRead);
  CBST_TRY(session.TakeStatus());
  return ReadBmpBody(dib, progress, header_only, offset, file);
}

Status WriteBmp(const Dib& dib, std::int64_t offset, File& file) {
  FileSession session(file, offset == 0 ? kOpenWrite | kOpenCreate : kOpenForOneRead);
  CBST_TRY(session.TakeStatus());
  BitmapInfoHeader header = dib.header();
  if (header.image_size == 0) {
    header.image_size = static_cast<std::uint32_t>(dib.image_bytes());
  }
  // A table is written for every colour a pixel can name.
  std::uint32_t colours = 0;
  if (header.bit_count <= 8) {
    colours =
        static_cast<std::uint32_t>(std::min<std::size_t>(dib.colour_count(), dib.colours().size()));
    header.colours_used = colours;
  }
  const bool bit_fields = header.compression == kCompressionBitFields;
  const std::uint32_t tables = colours * 4 + (bit_fields ? kMaskBytes : 0);
  const std::uint32_t pixels = std::min<std::uint32_t>(
      header.image_size, static_cast<std::uint32_t>(dib.pixel_block().size()));

  if (file.Seek(offset + kBmpFileHeaderSize) != offset + kBmpFileHeaderSize) {
    return Status(kStatusWriteFailed, file.FullName().view());
  }
  const auto info = EncodeInfoHeader(header);
  CBST_TRY(file.Write(kInfoHeaderSize, info.data()));
  if (colours) CBST_TRY(file.Write(static_cast<std::int32_t>(colours * 4), dib.colours().data()));
  if (bit_fields) {
    std::uint8_t masks[kMaskBytes];
    for (int index = 0; index < 3; ++index)
      Put32(masks + 4 * index, dib.masks()[index]);
    CBST_TRY(file.Write(kMaskBytes, masks));
  }
  for (std::uint32_t done = 0; done < pixels;) {
    const auto piece = std::min<std::uint32_t>(kBmpPieceBytes, pixels - done);
    CBST_TRY(file.Write(static_cast<std::int32_t>(piece), dib.pixel_block().data() + done));
    done += piece;
  }
  const std::int64_t end = file.Tell();
  const auto file_header = EncodeFileHeader(static_cast<std::uint32_t>(end - offset),
                                            kBmpFileHeaderSize + kInfoHeaderSize + tables);
  file.Seek(offset);
  CBST_TRY(file.Write(kBmpFileHeaderSize, file_header.data()));
  file.Seek(end);
  return Status();
}

void InstallBmpReader() {
  SetDibReader(ReadForBitmapFile);
}

}  // namespace cbst
