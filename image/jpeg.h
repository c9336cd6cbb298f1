// jpeg.h: JPEG pictures decoded into Dibs and BMP files, and encoded from
// Dibs, through libjpeg-turbo.
//
// One picture is decoded or encoded at a time: the codec's error exit, its
// progress reporting and its message code are program-wide. Every entry
// point takes a file object that may be open or closed (a closed one is
// opened for the operation and closed again) and an offset to work at,
// because puzzle files carry their picture as an embedded JPEG stream.
#pragma once

#include <cstdint>

#include "base/dyn_array.h"
#include "base/file.h"
#include "base/status.h"
#include "base/status_codes.h"
#include "gfx/dib.h"
#include "image/progress_sink.h"

namespace cbst {

// Decoding flags (ImageLoadFlags).
inline constexpr std::uint32_t kLoadFastIntegerDct = 0x01;
inline constexpr std::uint32_t kLoadSystemPalette = 0x04;  // map to the hardware palette
inline constexpr std::uint32_t kLoadColourCube = 0x08;     // map to the standard palette
inline constexpr std::uint32_t kLoadFast = 0x10;  // fast DCT, plain upsampling, ordered, one pass
inline constexpr std::uint32_t kLoadOrderedDither = 0x20;
inline constexpr std::uint32_t kLoadOnePass = 0x40;
inline constexpr std::uint32_t kLoadForDisplay = 0x80;  // colours as the display needs them
inline constexpr std::uint32_t kLoadPumpMessages = 0x100;
// Refuse a stream cut short (status 31) instead of finishing it in grey: a
// picture about to become a puzzle must be whole.
inline constexpr std::uint32_t kLoadWholeStream = 0x200;

// Encoding flags.
inline constexpr std::uint32_t kSaveOptimiseCoding = 0x02;
inline constexpr std::uint32_t kSaveFastIntegerDct = 0x10;
inline constexpr std::uint32_t kSavePumpMessages = 0x100;

// Colour requests: a palette of at most 235 picked colours for 256, the 20
// colours every palette display has for 16.
inline constexpr int kColoursPalette256 = 256;
inline constexpr int kColoursPicked = 235;
inline constexpr int kColoursPalette16 = 16;
inline constexpr int kFixedColours = 20;

// Raised by the output stage when the codec's colour map does not fit the
// colour table.
inline constexpr int kCodecColourMapTooLarge = 1027;

// Quality of a Dib's round trip, and of the pictures inside puzzle files.
inline constexpr int kRecompressQuality = 75;

// A part of a Dib, in picture pixels from the top left.
struct PicturePart {
  std::int16_t left = 0;
  std::int16_t top = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};

// Decodes the JPEG stream at `offset` of `file` into `dib`. `colours` is the
// request (0 for true colour, 256, 16) and comes back as the colours used.
Status LoadJpegFile(Dib& dib, ProgressSink* progress, std::uint32_t flags, int& colours,
                    std::int64_t offset, File& file);
// The same from bytes in memory (a DynArray of one-byte elements).
Status LoadJpegBytes(Dib& dib, ProgressSink* progress, std::uint32_t flags, int& colours,
                     DynArray& bytes);
// Decodes the JPEG stream at `input_offset` of `input` into a complete BMP
// image at `output_offset` of `output`, which may be the same file object.
Status ConvertJpegToBmp(ProgressSink* progress, std::uint32_t flags, int& colours, File& input,
                        std::int64_t input_offset, File& output, std::int64_t output_offset);

// Encodes `dib`, or only `part` of it, at `quality` (0 to 100).
Status SaveJpegFile(const Dib& dib, ProgressSink* progress, std::uint32_t flags, int quality,
                    const PicturePart* part, File& file, std::int64_t offset);
Status SaveJpegBytes(const Dib& dib, ProgressSink* progress, std::uint32_t flags, int quality,
                     const PicturePart* part, DynArray& bytes);

// Passes `dib` through JPEG at quality 75 and back, as a puzzle's picture
// will look once stored. The progress goes 0-50 encoding, 50-100 decoding.
Status RecompressDib(Dib& dib, ProgressSink* progress);

// What LoadPicture is asked to read and what it found.
enum PictureKind : int { kPictureAny = 0, kPictureBmpFile = 1, kPictureJpegFile = 2 };

// Reads a picture file the user chose: BMP first, then JPEG (with the
// display's colours) unless `kind` names one. Returns the kind read, or 0
// when neither worked; `status` then holds the last failure.
int LoadPicture(Dib& dib, ProgressSink* progress, int kind, File& file, Status& status);

}  // namespace cbst
