// puzzle_writer.cpp: header, thumbnail, palette and picture of a new puzzle
// file, with the directory written last.
#include "puzzle/puzzle_writer.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

#include "base/binary_io.h"
#include "base/file_replacement.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"
#include "image/bmp_file.h"
#include "image/jpeg.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

constexpr std::int32_t kCopyPieceBytes = 65536;

// The share of the bar for step `step` of the four.
std::unique_ptr<ProgressRange> Step(ProgressSink* progress, int step) {
  if (!progress) return nullptr;
  const double total = std::accumulate(std::begin(kWriteWeights), std::end(kWriteWeights), 0.0);
  const double before = std::accumulate(kWriteWeights, kWriteWeights + step, 0.0);
  return std::make_unique<ProgressRange>(*progress, 100.0 * before / total,
                                         100.0 * (before + kWriteWeights[step]) / total);
}

Status WriteThumbnail(Thumb& thumb, const Dib& thumbnail, ProgressSink* progress) {
  // Through JPEG and back onto the standard palette, so that it is small
  // and shows the same on every display.
  DynArray bytes(0, kCopyPieceBytes, 1);
  CBST_TRY(SaveJpegBytes(thumbnail, Step(progress, 0).get(), 0, kThumbnailQuality, nullptr, bytes));
  Dib on_palette;
  int colours = 0;
  CBST_TRY(LoadJpegBytes(on_palette, Step(progress, 1).get(), kLoadColourCube, colours, bytes));
  thumb.thumbnail_at = static_cast<std::uint32_t>(thumb.file.Tell());
  return WriteBmp(on_palette, thumb.thumbnail_at, thumb.file);
}

// The count and up to 235 entries of the palette a 256-colour display
// decodes the picture with, filling the whole block.
Status WritePaletteBlock(File& file, std::int64_t at, const Dib& decoded) {
  const std::vector<ColourTableEntry>& table = decoded.colours();
  const int count = static_cast<int>(table.size());
  std::array<std::uint8_t, kPaletteBlockBytes> block{};
  block[0] = static_cast<std::uint8_t>(count);
  block[1] = static_cast<std::uint8_t>(count >> 8);
  for (int index = 0; index < std::min(count, kPaletteBlockEntries); ++index) {
    std::uint8_t* entry = block.data() + 2 + 4 * index;
    entry[0] = table[index].red;
    entry[1] = table[index].green;
    entry[2] = table[index].blue;
    entry[3] = 0;
  }
  if (file.Seek(at) != at) return Status(kStatusWriteFailed, file.FullName().view());
  return file.Write(kPaletteBlockBytes, block.data());
}

Status CopyFile(File& from, File& to) {
  std::vector<std::uint8_t> piece(kCopyPieceBytes);
  for (;;) {
    const std::int32_t read = from.Read(kCopyPieceBytes, piece.data());
    if (read < 0) return Status(kStatusNotReadable, from.FullName().view());
    if (read == 0) return Status();
    CBST_TRY(to.Write(read, piece.data()));
  }
}

Status WritePicture(Thumb& thumb, const PuzzlePicture& picture, ProgressSink* progress) {
  File& file = thumb.file;
  thumb.picture_at = static_cast<std::uint32_t>(file.Tell());
  const std::int64_t stream_at = std::int64_t{thumb.picture_at} + kPaletteBlockBytes;
  Dib decoded;
  int colours = kColoursPalette256;
  if (picture.picture) {
    CBST_TRY(SaveJpegFile(*picture.picture, Step(progress, 2).get(), kSaveOptimiseCoding,
                          kPictureQuality, nullptr, file, stream_at));
    thumb.picture_size = static_cast<std::uint32_t>(file.Tell() - thumb.picture_at);
    CBST_TRY(LoadJpegFile(decoded, Step(progress, 3).get(), 0, colours, stream_at, file));
    CBST_TRY(WritePaletteBlock(file, thumb.picture_at, decoded));
  } else {
    File jpeg(picture.jpeg_file);
    CBST_TRY(LoadJpegFile(decoded, Step(progress, 3).get(), 0, colours, 0, jpeg));
    CBST_TRY(WritePaletteBlock(file, thumb.picture_at, decoded));
    CBST_TRY(jpeg.Open(kOpenRead));
    Status copied = CopyFile(jpeg, file);
    thumb.picture_size = static_cast<std::uint32_t>(jpeg.Size());
    jpeg.Close().MarkHandled();
    CBST_TRY(std::move(copied));
    if (progress) progress->Progress(100);
  }
  file.Seek(std::int64_t{thumb.picture_at} + thumb.picture_size);
  return Status();
}

Status WriteAll(Thumb& thumb, const Puz& puz, const Dib* thumbnail, const PuzzlePicture& picture,
                ProgressSink* progress) {
  CBST_TRY(thumb.WriteHeader(puz));  // leaves the file past the directory
  if (thumbnail) CBST_TRY(WriteThumbnail(thumb, *thumbnail, progress));
  CBST_TRY(WritePicture(thumb, picture, progress));
  thumb.picture_kind = kPicturePaletteAndJpeg;
  thumb.cache_at = 0;
  thumb.alternative_at = 0;
  return thumb.WriteDirectory();
}

}  // namespace

Status WritePuzzleFile(const Puz& puz, const char* path, const Dib* thumbnail,
                       const PuzzlePicture& picture, ProgressSink* progress) {
  if (!picture.picture && !picture.jpeg_file) return Status(kStatusNotReadable, path);
  // The user's photograph is read while the puzzle is written: it can never
  // be the puzzle too.
  if (picture.jpeg_file && SameFile(picture.jpeg_file, path)) {
    return Status(kStatusCopyOntoItself, path);
  }
  // The new puzzle replaces an old one of the same name only once it is
  // whole: a full disk or a failed encoding leaves the old file as it was.
  FileReplacement replacement(path);
  CBST_TRY(replacement.TakeStatus());
  Thumb thumb;
  thumb.SetFile(replacement.path());
  thumb.message_name = path;
  Status status = WriteAll(thumb, puz, thumbnail, picture, progress);
  if (thumb.file.IsOpen()) {
    Status closed = thumb.file.Close();
    if (status.peek() == 0) status = std::move(closed);
  }
  CBST_TRY(std::move(status));
  return replacement.Commit();
}

}  // namespace cbst
