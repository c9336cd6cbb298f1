// bmp_file.h: reading and writing Windows BMP files as Dibs.
//
// The reader takes 1-, 4-, 8-, 16-, 24- and 32-bit files, 16 and 32 bits
// also with bit-field masks; the pixels move in pieces of 32 KB when a
// progress window follows them, else in one read. Both work at an offset, because puzzle files
// carry BMP images inside them.
#pragma once

#include <array>
#include <cstdint>

#include "base/file.h"
#include "base/status.h"
#include "gfx/dib.h"
#include "image/progress_sink.h"

namespace cbst {

// Pixels move between file and memory in pieces of at most this.
inline constexpr std::int32_t kBmpPieceBytes = 32768;
// The info header and the first colour-table entry are read in one go.
inline constexpr std::int32_t kBmpFirstRead = kInfoHeaderSize + 4;

// The 40-byte info header in file order, and back.
std::array<std::uint8_t, kInfoHeaderSize> EncodeInfoHeader(const BitmapInfoHeader& header);
BitmapInfoHeader DecodeInfoHeader(const std::uint8_t* bytes);
// The 14-byte file header: "BM", the total size, two reserved words and
// where the pixels start.
std::array<std::uint8_t, kBmpFileHeaderSize> EncodeFileHeader(std::uint32_t total_size,
                                                              std::uint32_t pixel_offset);

// Reads the BMP image at `offset` of `file` into `dib`. With `header_only`
// the Dib gets the info header (and the first colour entry) and no pixels.
// A file that is not a BMP this program reads gives status 20 with its name;
// a closed file is opened for reading and closed again.
Status ReadBmp(Dib& dib, ProgressSink* progress, bool header_only, std::int64_t offset, File& file);

// Writes `dib` as a BMP image at `offset` of `file` and leaves the file at
// its end. A closed file is created when `offset` is 0, else opened as it
// is, and closed again.
Status WriteBmp(const Dib& dib, std::int64_t offset, File& file);

// Installs the reader behind LoadBitmapFile and the puzzle thumbnails.
void InstallBmpReader();

}  // namespace cbst
