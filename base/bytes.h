// bytes.h: BYTES, a small byte buffer with a 16-bit length and capacity.
//
// A BYTES is in one of three states:
//   - no block at all (a default-constructed or released buffer);
//   - an owned block: either fixed, made by Make with a chosen capacity that
//     Copy never exceeds, or sized by Copy itself to exactly what it holds;
//   - a borrowed block (View): the caller's memory, written in place and never
//     freed. It cannot grow, so an Add that needs more than its capacity is
//     refused with "BYTES::Add lnalloc=0".
// Add grows any owned block by exactly what it needs. Blocks come from the
// program's allocator, so running out of memory ends the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cbst {

class BYTES {
 public:
  static constexpr std::size_t kMaxLength = 0xFFFF;

  BYTES() = default;
  // An owned, zero-filled fixed block of `capacity` bytes, length 0.
  static BYTES Make(std::uint16_t capacity);
  // The caller's `length` bytes at `data`, with room up to `capacity` (at
  // least `length`). The memory must outlive the buffer or its Release.
  static BYTES View(void* data, std::uint16_t length);
  static BYTES View(void* data, std::uint16_t length, std::uint16_t capacity);

  // A copy owns its bytes: a fixed block of the source's capacity when the
  // source is fixed or borrowed, else one of exactly the source's length.
  BYTES(const BYTES& other);
  BYTES(BYTES&& other) noexcept;
  BYTES& operator=(const BYTES& other);
  BYTES& operator=(BYTES&& other) noexcept;
  ~BYTES() { Release(); }

  // Replaces the contents by `count` bytes from `data`. A fixed or borrowed
  // block keeps its capacity: more than it holds reports "BYTES::memcpy ovflw"
  // and copies nothing. Otherwise the buffer gets a block of exactly `count`
  // bytes (none for 0). A null `data` copies zeros. False when nothing was
  // copied.
  bool Copy(const void* data, std::size_t count);
  // Copies a C text with its terminator; a null text empties the buffer.
  bool Copy(const char* text);
  // Appends `count` bytes (zeros when `data` is null). An owned block grows by
  // exactly what is missing; a borrowed one that is full reports
  // "BYTES::Add lnalloc=0". A length past 65535 reports "BYTES::Add ovflw".
  // False when nothing was appended.
  bool Add(const void* data, std::size_t count);
  // Sets every byte of the block to `value`; the length becomes the capacity.
  void Fill(std::uint8_t value);

  // Replaces the contents by the bytes of hexadecimal `text`, two digits of
  // either case per byte, as "%X" reads them. Reading stops at the first
  // character that is not a digit; a last lone digit is a byte of its own.
  // The bytes are stored as Copy stores them. Returns how many were read.
  std::size_t FromHex(std::string_view text);
  // Two upper-case digits per byte: {0x0A, 0x1B, 0xFF} gives "0A1BFF".
  std::string ToHex() const;

  // Frees an owned block, forgets a borrowed one; the buffer has no block.
  void Release();

  std::uint8_t* data() { return data_; }
  const std::uint8_t* data() const { return data_; }
  std::span<const std::uint8_t> bytes() const { return {data_, length_}; }
  std::uint16_t length() const { return length_; }
  std::uint16_t capacity() const { return capacity_; }
  bool empty() const { return length_ == 0; }
  bool fixed() const { return kind_ == Kind::kFixed; }
  bool borrowed() const { return kind_ == Kind::kBorrowed; }
  // A block with room in it, or no block at all.
  bool IsValid() const { return data_ ? capacity_ > 0 : capacity_ == 0 && length_ == 0; }

 private:
  enum class Kind : std::uint8_t { kNone, kSized, kFixed, kBorrowed };

  std::uint16_t length_ = 0;
  std::uint8_t* data_ = nullptr;
  std::uint16_t capacity_ = 0;
  Kind kind_ = Kind::kNone;
};

}  // namespace cbst
