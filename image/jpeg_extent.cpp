// jpeg_extent.cpp: walking a JPEG stream's markers to its end.
#include "image/jpeg_extent.h"

#include <array>
#include <cstring>
#include <memory>

namespace cbst {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kFirstRestart = 0xD0;
constexpr std::uint8_t kLastRestart = 0xD7;
constexpr std::uint8_t kTemporary = 0x01;  // TEM: a marker without a length
constexpr std::int32_t kChunkBytes = 64 * 1024;

// Bytes of a file read forward in chunks.
class ForwardReader {
 public:
  ForwardReader(File& file, std::int64_t start) : file_(file), position_(start) {}

  // The next byte, or nothing at the end of the file.
  std::optional<std::uint8_t> Next() {
    if (at_ == filled_ && !Fill()) return std::nullopt;
    ++position_;
    return chunk_[static_cast<std::size_t>(at_++)];
  }
  // Moves to the next `value`, which Next() then gives; false at the end.
  bool SeekByte(std::uint8_t value) {
    for (;;) {
      if (at_ == filled_ && !Fill()) return false;
      const std::uint8_t* from = chunk_.data() + at_;
      const auto* found = static_cast<const std::uint8_t*>(
          std::memchr(from, value, static_cast<std::size_t>(filled_ - at_)));
      if (found) {
        const auto skipped = static_cast<std::int32_t>(found - from);
        at_ += skipped;
        position_ += skipped;
        return true;
      }
      position_ += filled_ - at_;
      at_ = filled_;
    }
  }
  bool Skip(std::int64_t count) {
    const std::int64_t buffered = filled_ - at_;
    if (count <= buffered) {
      at_ += static_cast<std::int32_t>(count);
      position_ += count;
      return true;
    }
    position_ += count;
    at_ = filled_ = 0;
    return position_ <= file_.Size();
  }
  std::int64_t position() const { return position_; }

 private:
  bool Fill() {
    if (file_.Seek(position_) != position_) return false;
    filled_ = file_.Read(kChunkBytes, chunk_.data());
    at_ = 0;
    if (filled_ > 0) return true;
    filled_ = 0;
    return false;
  }

  File& file_;
  std::int64_t position_;
  std::array<std::uint8_t, kChunkBytes> chunk_{};
  std::int32_t filled_ = 0;
  std::int32_t at_ = 0;
};

}  // namespace

std::optional<std::int64_t> JpegStreamEnd(File& file, std::int64_t start) {
  auto reader = std::make_unique<ForwardReader>(file, start);
  ForwardReader& in = *reader;
  if (in.Next() != kMarkerPrefix || in.Next() != kStartOfImage) return std::nullopt;
  for (;;) {
    // Entropy-coded data runs between markers; stray bytes elsewhere are
    // skipped, as decoders skip them.
    if (!in.SeekByte(kMarkerPrefix)) return std::nullopt;
    in.Next();
    // Any number of fill bytes may come before a marker's code.
    std::optional<std::uint8_t> byte;
    do {
      byte = in.Next();
    } while (byte == kMarkerPrefix);
    if (!byte) return std::nullopt;
    const std::uint8_t marker = *byte;
    if (marker == kEndOfImage) return in.position();
    // A stuffed 0xFF inside scan data, restart markers and TEM have no length.
    if (marker == 0x00 || (marker >= kFirstRestart && marker <= kLastRestart) ||
        marker == kTemporary) {
      continue;
    }
    const auto high = in.Next();
    const auto low = in.Next();
    if (!high || !low) return std::nullopt;
    const int length = *high << 8 | *low;
    if (length < 2 || !in.Skip(length - 2)) return std::nullopt;
  }
}

}  // namespace cbst
