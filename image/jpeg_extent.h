// jpeg_extent.h: where a JPEG stream embedded in a larger file ends.
//
// A puzzle file's picture cache lies after its JPEG stream. Before the
// program cuts or appends at a cache offset read from the file, it finds
// the stream's true end, so that an offset pointing into the picture is
// recognised as damage rather than trusted.
#pragma once

#include <cstdint>
#include <optional>

#include "base/file.h"

namespace cbst {

// The file position just after the end-of-image marker of the JPEG stream
// that starts at `start`, found by walking its marker segments and the
// entropy-coded data between them. Nothing when the stream is not a JPEG
// or ends before its end-of-image marker. The file must be open.
std::optional<std::int64_t> JpegStreamEnd(File& file, std::int64_t start);

}  // namespace cbst
