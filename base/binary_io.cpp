// binary_io.cpp: little-endian fields over File.
#include "base/binary_io.h"

#include <vector>

namespace cbst {

void BinaryReader::Bytes(void* data, std::int32_t count) {
  if (!ok_) return;
  if (file_.Read(count, data) != count) ok_ = false;
}

std::uint8_t BinaryReader::U8() {
  std::uint8_t byte = 0;
  Bytes(&byte, 1);
  return ok_ ? byte : 0;
}

std::uint16_t BinaryReader::U16() {
  std::uint8_t bytes[2] = {};
  Bytes(bytes, 2);
  return ok_ ? static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8) : 0;
}

std::uint32_t BinaryReader::U32() {
  std::uint8_t bytes[4] = {};
  Bytes(bytes, 4);
  if (!ok_) return 0;
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

VString BinaryReader::CountedString() {
  const std::uint16_t length = U16();
  if (!ok_ || length == 0) return VString();
  std::vector<char> text(length);
  Bytes(text.data(), length);
  return ok_ ? VString(std::string_view(text.data(), length)) : VString();
}

void BinaryReader::Skip(std::int32_t count) {
  if (!ok_) return;
  const std::int64_t target = file_.Tell() + count;
  if (target > file_.Size() || file_.Seek(target) != target) ok_ = false;
}

void BinaryWriter::Bytes(const void* data, std::int32_t count) {
  if (status_.peek() != 0 || count == 0) return;
  status_ = file_.Write(count, data);
}

void BinaryWriter::U8(std::uint8_t value) {
  Bytes(&value, 1);
}

void BinaryWriter::U16(std::uint16_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value),
                                 static_cast<std::uint8_t>(value >> 8)};
  Bytes(bytes, 2);
}

void BinaryWriter::U32(std::uint32_t value) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  Bytes(bytes, 4);
}

void BinaryWriter::CountedString(std::string_view text) {
  const auto length = static_cast<std::uint16_t>(text.size());
  U16(length);
  Bytes(text.data(), length);
}

void BinaryWriter::Zeros(std::int32_t count) {
  const std::vector<char> zeros(static_cast<std::size_t>(count), 0);
  Bytes(zeros.data(), count);
}

}  // namespace cbst
