// table_picture.h: a puzzle's picture, decoded (or taken from the cache at
// the end of its file) and reduced to the table it is played on.
#pragma once

#include "base/status.h"
#include "base/status_codes.h"
#include "puzzle/play_table.h"
#include "puzzle/puz.h"
#include "puzzle/thumb.h"

namespace cbst {

// The picture cache's mode byte.
inline constexpr std::uint8_t kCacheModeMarker = 0x02;  // always set
inline constexpr std::uint8_t kCacheModeFewColours = 0x01;
inline constexpr std::uint8_t kCacheMode256Colours = 0x04;
inline constexpr std::uint8_t kCacheModeTrueColour = 0x08;
inline constexpr std::uint8_t kCachePaletteOnly = 0x10;
inline constexpr int kCacheHeaderBytes = 5;  // mode, screen width, screen height
// A cache is only written with this much room left on the disk.
inline constexpr std::uintmax_t kCacheFreeSpace = 4'000'000;
// The progress bar's labels while decoding and while drawing the pieces.
inline constexpr int kDecodingMessage = 521;
inline constexpr int kDrawingPiecesMessage = 501;

// How large a picture of width x height is shown on a table of
// table_width x table_height: about half the table (all of it with
// ImgFull), never enlarged, and inside the table. A picture that then
// covers 70 % of the table scatters its pieces over all of it.
struct Reduction {
  float scale = 1.0f;
  int width = 0;
  int height = 0;
  bool scatter_full = false;
};
Reduction ReducePicture(int table_width, int table_height, int width, int height, bool whole_table);

// The cache an opening writes into the puzzle file, only once the whole
// game has been built: a failed opening writes nothing.
struct PictureCacheWrite {
  bool append = false;        // a cache for this screen goes at the end
  bool cut_old = false;       // after the old one is cut off
  bool palette_only = false;  // only the decoder's palette is kept
  std::uint8_t mode = 0;
  std::uint16_t screen_width = 0;
  std::uint16_t screen_height = 0;
};

// Loads the picture of the puzzle whose header `thumb` has read, through
// the cache when `cache_allowed` (`from_cache` tells whether the cache was
// read). The table takes its palette once the new game is on it.
// `pending` says what to write into the file if the opening succeeds.
// Nothing is written here.
Status LoadTablePicture(Dib& dib, Thumb& thumb, PlayTable& table, bool cache_allowed,
                        bool* from_cache = nullptr, PictureCacheWrite* pending = nullptr);
// Writes the cache LoadTablePicture asked for. A failure at any point
// leaves the file without a cache, its picture untouched.
void StorePictureCache(Thumb& thumb, const Dib& dib, const PictureCacheWrite& pending);
// Reduces the loaded picture to the table into `puz.picture`, with its
// half-size copy for the preview.
Status ReduceToTable(Puz& puz, const Dib& dib, PlayTable& table);

}  // namespace cbst
