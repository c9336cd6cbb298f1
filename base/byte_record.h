// byte_record.h: ByteCursor and ByteSink, little-endian records in a block
// of bytes held in memory, for files read or written whole.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "base/vstring.h"

namespace cbst {

// Little-endian fields out of a block of bytes; the first short read
// spoils the rest, so a whole record is checked once.
class ByteCursor {
 public:
  ByteCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint32_t Unsigned(int bytes) {
    if (!Fits(bytes)) return 0;
    std::uint32_t value = 0;
    for (int index = 0; index < bytes; ++index)
      value |= static_cast<std::uint32_t>(data_[at_ + static_cast<std::size_t>(index)])
               << (8 * index);
    at_ += static_cast<std::size_t>(bytes);
    return value;
  }
  std::uint8_t U8() { return static_cast<std::uint8_t>(Unsigned(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::uint32_t U32() { return Unsigned(4); }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | static_cast<std::uint64_t>(U32()) << 32;
  }
  VString Text() {
    const std::uint16_t length = U16();
    if (!Fits(length)) return VString();
    const std::string_view text(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length;
    return VString(text);
  }
  std::vector<std::uint8_t> Rest() const { return {data_ + std::min(at_, size_), data_ + size_}; }
  bool ok() const { return ok_; }

 private:
  bool Fits(std::size_t bytes) {
    if (ok_ && size_ - at_ >= bytes) return true;
    ok_ = false;
    return false;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

class ByteSink {
 public:
  void Unsigned(std::uint32_t value, int bytes) {
    for (int index = 0; index < bytes; ++index)
      bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
  }
  void U8(std::uint8_t value) { Unsigned(value, 1); }
  void U16(std::uint16_t value) { Unsigned(value, 2); }
  void I16(std::int16_t value) { Unsigned(static_cast<std::uint16_t>(value), 2); }
  void U32(std::uint32_t value) { Unsigned(value, 4); }
  void U64(std::uint64_t value) {
    U32(static_cast<std::uint32_t>(value));
    U32(static_cast<std::uint32_t>(value >> 32));
  }
  void Text(std::string_view text) {
    U16(static_cast<std::uint16_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(),
                  text.begin() + static_cast<std::ptrdiff_t>(std::uint16_t(text.size())));
  }
  void Text(const VString& text) { Text(text.view()); }
  void Bytes(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace cbst
