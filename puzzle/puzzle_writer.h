// puzzle_writer.h: writing a complete puzzle file.
//
// The header and option string come from the puzzle object; the thumbnail
// is stored as an 8-bit BMP on the standard palette, the picture as a JPEG
// stream behind the 256-colour palette a palette display will show it with.
#pragma once

#include "base/status.h"
#include "gfx/dib.h"
#include "image/progress_sink.h"
#include "puzzle/puz.h"

namespace cbst {

// Quality of a thumbnail on its way to the standard palette, and of a
// picture the program encodes itself.
inline constexpr int kThumbnailQuality = 75;
inline constexpr int kPictureQuality = 85;
// The palette block before the JPEG stream: a count and up to 235 entries.
inline constexpr int kPaletteBlockBytes = 942;
inline constexpr int kPaletteBlockEntries = 235;
// Shares of the progress bar: thumbnail encoding and decoding, picture
// encoding, palette decoding.
inline constexpr double kWriteWeights[4] = {25, 25, 100, 100};

// What the puzzle shows: a picture to encode, or the user's own JPEG file
// taken as it is.
struct PuzzlePicture {
  const Dib* picture = nullptr;
  const char* jpeg_file = nullptr;
};

// Writes `puz` as the puzzle file `path`, replacing any file there. The
// thumbnail may be null (the file then has none).
Status WritePuzzleFile(const Puz& puz, const char* path, const Dib* thumbnail,
                       const PuzzlePicture& picture, ProgressSink* progress);

}  // namespace cbst
