// bytes.cpp: BYTES blocks, copying in, appending and hexadecimal text.
#include "base/bytes.h"

#include <cstring>
#include <utility>
#include <vector>

#include "base/memory.h"
#include "base/report.h"

namespace cbst {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  return -1;
}

}  // namespace

BYTES BYTES::Make(std::uint16_t capacity) {
  BYTES made;
  made.kind_ = Kind::kFixed;
  if (capacity > 0) {
    made.data_ = static_cast<std::uint8_t*>(Allocate(capacity));
    made.capacity_ = capacity;
  }
  return made;
}

BYTES BYTES::View(void* data, std::uint16_t length) {
  return View(data, length, length);
}

BYTES BYTES::View(void* data, std::uint16_t length, std::uint16_t capacity) {
  BYTES view;
  view.kind_ = Kind::kBorrowed;
  view.data_ = static_cast<std::uint8_t*>(data);
  view.length_ = length;
  view.capacity_ = capacity < length ? length : capacity;
  return view;
}

BYTES::BYTES(const BYTES& other) : kind_(other.kind_) {
  if (kind_ == Kind::kBorrowed) kind_ = Kind::kFixed;
  std::size_t capacity = kind_ == Kind::kFixed ? other.capacity_ : other.length_;
  if (capacity > 0) {
    data_ = static_cast<std::uint8_t*>(Allocate(capacity));
    std::memcpy(data_, other.data_, other.length_);
  }
  capacity_ = static_cast<std::uint16_t>(capacity);
  length_ = other.length_;
}

BYTES::BYTES(BYTES&& other) noexcept
    : length_(std::exchange(other.length_, 0)),
      data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      kind_(std::exchange(other.kind_, Kind::kNone)) {}

BYTES& BYTES::operator=(const BYTES& other) {
  if (this != &other) *this = BYTES(other);
  return *this;
}

BYTES& BYTES::operator=(BYTES&& other) noexcept {
  if (this != &other) {
    Release();
    length_ = std::exchange(other.length_, 0);
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    kind_ = std::exchange(other.kind_, Kind::kNone);
  }
  return *this;
}

void BYTES::Release() {
  if (kind_ != Kind::kBorrowed) Free(data_);
  data_ = nullptr;
  length_ = 0;
  capacity_ = 0;
  kind_ = Kind::kNone;
}

bool BYTES::Copy(const void* data, std::size_t count) {
  bool bounded = kind_ == Kind::kFixed || kind_ == Kind::kBorrowed;
  if (count > kMaxLength || (bounded && count > capacity_)) {
    ReportError("BYTES::memcpy ovflw");
    return false;
  }
  if (!bounded && count == 0) {
    Release();
    return true;
  }
  std::uint8_t* old_block = nullptr;
  if (!bounded && count != capacity_) {
    // `data` may lie in the old block, so it goes only once the bytes are in.
    old_block = std::exchange(data_, static_cast<std::uint8_t*>(Allocate(count)));
    capacity_ = static_cast<std::uint16_t>(count);
    kind_ = Kind::kSized;
  }
  if (count > 0) {
    if (data)
      std::memmove(data_, data, count);
    else
      std::memset(data_, 0, count);
  }
  Free(old_block);
  length_ = static_cast<std::uint16_t>(count);
  return true;
}

bool BYTES::Copy(const char* text) {
  return Copy(text, text ? std::strlen(text) + 1 : 0);
}

bool BYTES::Add(const void* data, std::size_t count) {
  if (count > kMaxLength - length_) {
    ReportError("BYTES::Add ovflw");
    return false;
  }
  std::size_t needed = length_ + count;
  if (needed > capacity_) {
    if (kind_ == Kind::kBorrowed) {
      ReportError("BYTES::Add lnalloc=0");
      return false;
    }
    // `data` may point into the current block: keep it until the bytes are in.
    std::uint8_t* old_block = data_;
    data_ = static_cast<std::uint8_t*>(Allocate(needed));
    if (length_ > 0) std::memcpy(data_, old_block, length_);
    if (data) std::memcpy(data_ + length_, data, count);
    Free(old_block);
    capacity_ = static_cast<std::uint16_t>(needed);
    if (kind_ == Kind::kNone) kind_ = Kind::kSized;
  } else if (count > 0) {
    if (data)
      std::memmove(data_ + length_, data, count);
    else
      std::memset(data_ + length_, 0, count);
  }
  length_ = static_cast<std::uint16_t>(needed);
  return true;
}

void BYTES::Fill(std::uint8_t value) {
  if (capacity_ > 0) std::memset(data_, value, capacity_);
  length_ = capacity_;
}

std::size_t BYTES::FromHex(std::string_view text) {
  std::vector<std::uint8_t> read;
  read.reserve(text.size() / 2 + 1);
  for (std::size_t at = 0; at < text.size(); at += 2) {
    int high = HexValue(text[at]);
    if (high < 0) break;
    int low = at + 1 < text.size() ? HexValue(text[at + 1]) : -1;
    read.push_back(static_cast<std::uint8_t>(low < 0 ? high : high * 16 + low));
    if (low < 0) break;
  }
  return Copy(read.data(), read.size()) ? read.size() : 0;
}

std::string BYTES::ToHex() const {
  std::string text;
  text.reserve(2 * length_);
  for (std::uint8_t byte : bytes()) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
  }
  return text;
}

}  // namespace cbst
