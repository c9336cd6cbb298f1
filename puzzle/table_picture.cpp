// table_picture.cpp: the picture cache and the reduction to the table.
//
// Decoding a large JPEG is the slowest step of opening a puzzle, so the
// decoded picture is appended to the puzzle file, tagged with the screen
// it was decoded for, and read back next time. Everything before the
// cache stays as it was written; only the directory's cache offset changes.
#include "puzzle/table_picture.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <new>
#include <optional>

#include "base/binary_io.h"
#include "base/status_codes.h"
#include "gfx/palette.h"
#include "image/bmp_file.h"
#include "image/jpeg.h"
#include "image/jpeg_extent.h"
#include "puzzle/puzzle_writer.h"

namespace cbst {
namespace {

constexpr int kFewColours = 16;
constexpr int kPaletteColours = 256;
constexpr double kHalfTable = 0.5;
constexpr double kWholeTable = 1.0;
constexpr int kHeightMargin = 5;  // a reduced picture keeps clear of the bottom
constexpr double kScatterFullShare = 0.7;

// 16, 256, or 0 for true colour.
int DesiredColours(const DisplayFacts& display) {
  const int colours = display.Colours();
  if (colours >= 1 && colours <= kFewColours) return kFewColours;
  if (colours > kFewColours && colours <= kPaletteColours) return kPaletteColours;
  return 0;
}

std::uint8_t CacheMode(int colours) {
  if (colours == kFewColours) return kCacheModeMarker | kCacheModeFewColours;
  if (colours == kPaletteColours) return kCacheModeMarker | kCacheMode256Colours;
  return kCacheModeMarker | kCacheModeTrueColour;
}

// A file the user has marked read-only is never written, even by a user
// the system would let through.
bool MayBeWritten(const VString& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path.c_str(), error);
  if (error) return false;
  const auto write = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                     std::filesystem::perms::others_write;
  return (status.permissions() & write) != std::filesystem::perms::none &&
         access(path.c_str(), W_OK) == 0;
}

bool RoomForCache(const VString& path) {
  std::filesystem::path folder = std::filesystem::path(path.c_str()).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  const auto space = std::filesystem::space(folder, error);
  return !error && space.available >= kCacheFreeSpace;
}

struct CacheHeader {
  std::uint8_t mode = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};

std::optional<CacheHeader> ReadCacheHeader(File& file, std::int64_t at) {
  const bool opened_here = !file.IsOpen();
  if (opened_here && file.Open(kOpenRead).code() != 0) return std::nullopt;
  std::optional<CacheHeader> header;
  if (file.Seek(at) == at) {
    BinaryReader in(file);
    CacheHeader read{in.U8(), in.U16(), in.U16()};
    if (in.ok()) header = read;
  }
  if (opened_here) file.Close().MarkHandled();
  return header;
}

// The count and at most 235 entries of a stored palette.
std::optional<LogicalPalette> ReadPaletteEntries(File& file, std::int64_t at) {
  if (file.Seek(at) != at) return std::nullopt;
  BinaryReader in(file);
  const int count = std::min<int>(in.U16(), kPaletteBlockEntries);
  LogicalPalette palette;
  for (int index = 0; index < count && in.ok(); ++index) {
    PaletteEntry entry;
    entry.red = in.U8();
    entry.green = in.U8();
    entry.blue = in.U8();
    in.U8();
    palette.entries.push_back(entry);
  }
  if (!in.ok()) return std::nullopt;
  return palette;
}

Status WritePaletteEntries(File& file, std::int64_t at, const Dib& dib) {
  if (file.Seek(at) != at) return Status(kStatusWriteFailed, file.FullName().view());
  const std::vector<ColourTableEntry>& table = dib.colours();
  const int count = std::min<int>(static_cast<int>(table.size()), kPaletteBlockEntries);
  BinaryWriter out(file);
  out.U16(static_cast<std::uint16_t>(count));
  for (int index = 0; index < count; ++index) {
    const ColourTableEntry& colour = table[static_cast<std::size_t>(index)];
    out.U8(colour.red);
    out.U8(colour.green);
    out.U8(colour.blue);
    out.U8(0);
  }
  return out.TakeStatus();
}

// Where the picture's JPEG stream truly ends, when it has an end. A cache
// is read only after that end and written only behind a stream that has
// one: a decoder reads a stream without an end on into whatever follows.
std::optional<std::int64_t> PictureEnd(Thumb& thumb, std::int64_t jpeg_at) {
  File& file = thumb.file;
  const bool opened_here = !file.IsOpen();
  if (opened_here && file.Open(kOpenRead).code() != 0) return std::nullopt;
  std::optional<std::int64_t> end = JpegStreamEnd(file, jpeg_at);
  if (end && *end > file.Size()) end.reset();
  if (opened_here) file.Close().MarkHandled();
  return end;
}

// Whether the directory's cache offset lies after the picture's end and
// leaves room for the cache's header. An offset anywhere else is damage;
// such a cache is neither read, nor cut off, nor replaced.
bool CacheOffsetSound(const Thumb& thumb, const std::optional<std::int64_t>& picture_end,
                      std::int64_t file_size) {
  const std::int64_t cache_at = thumb.cache_at;
  return picture_end && cache_at >= *picture_end && cache_at + kCacheHeaderBytes <= file_size;
}

// Decodes the embedded JPEG (kinds 1 and 2), through the cache when it was
// made for this screen, and says what the opening should write into the
// file once the game stands: a new cache for this screen, after cutting
// off the old one.
class CachedDecode {
 public:
  CachedDecode(Thumb& thumb, PlayTable& table, int colours, std::int64_t picture_at,
               bool cache_allowed)
      : thumb_(thumb),
        table_(table),
        display_(table.display()),
        colours_(colours),
        picture_at_(picture_at),
        jpeg_at_(picture_at +
                 (thumb.picture_kind == kPicturePaletteAndJpeg ? kPaletteBlockBytes : 0)),
        cache_allowed_(cache_allowed) {}

  Status Run(Dib& dib, bool& from_cache, PictureCacheWrite& pending) {
    const std::uint8_t mode = CacheMode(colours_);
    std::uint8_t cached_mode = 0;
    bool matches = false;
    const bool has_cache = thumb_.cache_at != 0;
    const std::optional<std::int64_t> picture_end = PictureEnd(thumb_, jpeg_at_);
    const bool sound = has_cache && CacheOffsetSound(thumb_, picture_end, FileSize());
    if (sound) {
      if (const auto header = ReadCacheHeader(thumb_.file, thumb_.cache_at)) {
        cached_mode = header->mode;
        matches = header->width == display_.width && header->height == display_.height &&
                  header->mode == mode;
      }
    }
    if (table_.CtrlAndAltHeld()) {
      cached_mode &= static_cast<std::uint8_t>(~kCachePaletteOnly);
      matches = false;
    }
    if (matches && cache_allowed_) {
      if (ReadBmp(dib, nullptr, false, thumb_.cache_at + kCacheHeaderBytes, thumb_.file).code() ==
          0) {
        from_cache = true;
        return Status();
      }
      dib = Dib();  // a damaged cache: decode afresh and replace it
      cached_mode = 0;
    }
    const bool palette_only = sound && (cached_mode & kCachePaletteOnly);
    CBST_TRY(Decode(dib, palette_only));

    // Nothing is written without the option, into a file that may not be
    // written, behind a picture without a true end, or over a cache whose
    // place cannot be trusted. A palette-only cache already holds what
    // this opening would write.
    if (!cache_allowed_ || !picture_end || (has_cache && !sound) || palette_only ||
        !MayBeWritten(thumb_.file_path) || !RoomForCache(thumb_.file_path)) {
      return Status();
    }
    pending.cut_old = has_cache;
    pending.append = true;
    pending.palette_only = thumb_.picture_kind == kPictureJpeg && colours_ == kPaletteColours;
    pending.mode = mode;
    pending.screen_width = static_cast<std::uint16_t>(display_.width);
    pending.screen_height = static_cast<std::uint16_t>(display_.height);
    return Status();
  }

 private:
  std::int64_t FileSize() {
    std::error_code error;
    const auto size = std::filesystem::file_size(thumb_.file_path.c_str(), error);
    return error ? 0 : static_cast<std::int64_t>(size);
  }

  Status Decode(Dib& dib, bool palette_only) {
    File& file = thumb_.file;
    if (file.IsOpen()) file.Close().MarkHandled();
    CBST_TRY(file.Open(kOpenRead));
    const bool kind_two = thumb_.picture_kind == kPicturePaletteAndJpeg;
    std::uint32_t flags = 0;
    int colours = colours_;
    std::unique_ptr<Palette> picture_palette;
    if (colours_ == kPaletteColours && (kind_two || palette_only)) {
      // Decode onto the colours chosen when the picture was stored.
      const std::int64_t from = palette_only ? thumb_.cache_at + kCacheHeaderBytes : picture_at_;
      if (auto entries = ReadPaletteEntries(file, from)) {
        picture_palette = std::make_unique<Palette>(*entries);
        picture_palette->Realise(true);
        flags |= kLoadSystemPalette;
      }
    } else if (colours_ == kFewColours) {
      flags |= kLoadForDisplay;
    }
    Status decoded =
        LoadJpegFile(dib, table_.Progress(kDecodingMessage), flags, colours, jpeg_at_, file);
    file.Close().MarkHandled();
    return decoded;
  }

  Thumb& thumb_;
  PlayTable& table_;
  const DisplayFacts display_;
  const int colours_;
  const std::int64_t picture_at_;
  const std::int64_t jpeg_at_;
  const bool cache_allowed_;
};

Status WriteCacheHeader(File& file, std::int64_t at, std::uint8_t mode,
                        const PictureCacheWrite& pending) {
  if (file.Seek(at) != at) return Status(kStatusWriteFailed);
  BinaryWriter out(file);
  out.U8(mode);
  out.U16(pending.screen_width);
  out.U16(pending.screen_height);
  return out.TakeStatus();
}

// Appends the cache at the end of the open file; the directory is left to
// the caller.
Status AppendCache(File& file, std::int64_t cache_at, const Dib& dib,
                   const PictureCacheWrite& pending) {
  CBST_TRY(WriteCacheHeader(file, cache_at, pending.mode, pending));
  if (!pending.palette_only) return WriteBmp(dib, cache_at + kCacheHeaderBytes, file);
  CBST_TRY(WritePaletteEntries(file, cache_at + kCacheHeaderBytes, dib));
  return WriteCacheHeader(file, cache_at, pending.mode | kCachePaletteOnly, pending);
}

}  // namespace

Reduction ReducePicture(int table_width, int table_height, int width, int height,
                        bool whole_table) {
  Reduction result;
  if (width <= 0 || height <= 0) return result;
  const double area = static_cast<double>(table_width) * table_height;
  const double share = whole_table ? kWholeTable : kHalfTable;
  float scale = static_cast<float>(area * share / (static_cast<double>(width) * height));
  int height_limit = table_height;
  if (scale >= 1.0f) {
    scale = 1.0f;
  } else {
    const double wanted = std::trunc(area * share * width / height);
    scale = static_cast<float>(std::trunc(std::sqrt(wanted))) / static_cast<float>(width);
    height_limit = table_height - kHeightMargin;
  }
  if (scale * static_cast<float>(width) > static_cast<float>(table_width))
    scale = static_cast<float>(table_width) / static_cast<float>(width);
  if (static_cast<float>(height) * scale > static_cast<float>(height_limit))
    scale = static_cast<float>(height_limit) / static_cast<float>(height);
  result.scale = scale;
  result.width = static_cast<int>(scale * static_cast<float>(width));
  result.height = static_cast<int>(scale * static_cast<float>(height));
  result.scatter_full =
      static_cast<double>(result.width) * result.height >= kScatterFullShare * area;
  return result;
}

Status LoadTablePicture(Dib& dib, Thumb& thumb, PlayTable& table, bool cache_allowed,
                        bool* from_cache, PictureCacheWrite* pending) {
  const DisplayFacts display = table.display();
  const int colours = DesiredColours(display);
  const std::int64_t picture_at = colours == kFewColours && thumb.alternative_at != 0
                                      ? std::int64_t{thumb.alternative_at}
                                      : std::int64_t{thumb.picture_at};
  bool cached = false;
  if (thumb.picture_kind == kPictureBmp) {
    CBST_TRY(ReadBmp(dib, nullptr, false, picture_at, thumb.file));
  } else {
    PictureCacheWrite ignored;
    CBST_TRY(CachedDecode(thumb, table, colours, picture_at, cache_allowed)
                 .Run(dib, cached, pending ? *pending : ignored));
  }
  if (from_cache) *from_cache = cached;
  if (!dib.valid()) return Status(kStatusNotReadable, thumb.message_name.view());
  return Status();
}

void StorePictureCache(Thumb& thumb, const Dib& dib, const PictureCacheWrite& pending) {
  if (!pending.append || !dib.valid()) return;
  File& file = thumb.file;
  if (file.IsOpen()) file.Close().MarkHandled();
  if (file.Open(kOpenRead | kOpenWrite).code() != 0) return;
  if (pending.cut_old) {
    // The directory forgets the old cache before the bytes after it change.
    const std::int64_t old_cache = thumb.cache_at;
    thumb.cache_at = 0;
    if (thumb.WriteDirectory().code() != 0 || file.SetLength(old_cache).code() != 0) {
      file.Close().MarkHandled();
      return;
    }
  }
  const std::int64_t cache_at = file.Size();
  if (AppendCache(file, cache_at, dib, pending).code() == 0) {
    thumb.cache_at = static_cast<std::uint32_t>(cache_at);
    if (thumb.WriteDirectory().code() != 0) thumb.cache_at = 0;
  }
  // A cache that could not be written whole is no cache.
  if (thumb.cache_at == 0) file.SetLength(cache_at).MarkHandled();
  file.Close().MarkHandled();
}

Status ReduceToTable(Puz& puz, const Dib& dib, PlayTable& table) {
  const Reduction reduction = ReducePicture(table.width(), table.height(), dib.width(),
                                            dib.height(), puz.HasOption(kOptionImgFull));
  if (reduction.scatter_full) puz.option_flags |= kOptionScatterFull;
  if (reduction.width < 1 || reduction.height < 1) return Status(kStatusOutOfMemory);
  if (reduction.scale != 1.0f && puz.HasOption(kOptionNoReduceImg))
    return Status(kStatusPictureTooLarge);
  const Rect16 rect{0, 0, static_cast<std::int16_t>(reduction.width),
                    static_cast<std::int16_t>(reduction.height)};
  try {
    puz.picture = MakeBmpMem(rect.width, rect.height);
    if (reduction.scale == 1.0f) {
      dib.Draw(puz.picture->dc(), 0, 0);
    } else {
      dib.DrawInto(puz.picture->dc(), rect);
    }
    puz.picture->dc().Flush();
    puz.scale = reduction.scale;
    puz.picture_rect = rect;

    // The preview shows the picture at half size.
    const Rect16 half{0, 0, static_cast<std::int16_t>(rect.width / 2),
                      static_cast<std::int16_t>(rect.height / 2)};
    if (!half.Empty()) {
      puz.preview_picture = MakeBmpMem(half.width, half.height);
      puz.preview_picture->dc().Stretch(half, puz.picture->dc(), rect);
      puz.preview_picture->dc().Flush();
    }
  } catch (const std::bad_alloc&) {
    return Status(kStatusOutOfMemory);
  }
  return Status();
}

}  // namespace cbst
