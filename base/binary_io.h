// binary_io.h: little-endian records in files, field by field.
//
// Everything the program writes is byte-packed little-endian; a text is a
// 16-bit length followed by its bytes. The reader remembers the first short
// read so a caller can read a whole record and check once.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/file.h"
#include "base/vstring.h"

namespace cbst {

class BinaryReader {
 public:
  explicit BinaryReader(File& file) : file_(file) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // A 16-bit length and that many bytes.
  VString CountedString();
  void Bytes(void* data, std::int32_t count);
  void Skip(std::int32_t count);

  // False once any read came up short.
  bool ok() const { return ok_; }

 private:
  File& file_;
  bool ok_ = true;
};

class BinaryWriter {
 public:
  explicit BinaryWriter(File& file) : file_(file) {}

  void U8(std::uint8_t value);
  void U16(std::uint16_t value);
  void U32(std::uint32_t value);
  void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void CountedString(std::string_view text);
  void Bytes(const void* data, std::int32_t count);
  void Zeros(std::int32_t count);

  // The first failure, if any; success otherwise.
  Status TakeStatus() { return std::move(status_); }

 private:
  File& file_;
  Status status_;
};

}  // namespace cbst
