// vstring.cpp: VString blocks, the shared empty text and StrCat.
#include "base/vstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>

#include "base/cp1252.h"
#include "base/memory.h"
#include "base/report.h"
#include "base/text_tests.h"

namespace cbst {
namespace {

constexpr char kSharedEmpty[1] = {0};
VString::Counters counters;
DictionaryLookup dictionary_lookup = nullptr;

std::size_t SafeLength(const char* text) {
  return text ? std::strlen(text) : 0;
}

}  // namespace

const char* VString::SharedEmpty() {
  return kSharedEmpty;
}

VString::Counters VString::LiveCounters() {
  return counters;
}

void SetDictionaryLookup(DictionaryLookup lookup) {
  dictionary_lookup = lookup;
}

char* VString::MakeBlock(std::uint32_t length) {
  auto* block = static_cast<char*>(Allocate(length + 1));
  ++counters.live_blocks;
  counters.total_capacity += length + 1;
  return block;
}

void VString::Adopt(char* block, std::uint32_t length) {
  Release();
  text_ = block;
  capacity_ = length + 1;
  length_ = static_cast<std::uint16_t>(length);
  text_[length_] = 0;
}

void VString::Release() {
  if (text_ != kSharedEmpty) {
    --counters.live_blocks;
    counters.total_capacity -= capacity_;
    Free(text_);
  }
  text_ = const_cast<char*>(kSharedEmpty);
  length_ = 0;
  capacity_ = 0;
}

// Copies `count` bytes (already limited to 16 bits by the caller) into a block
// that holds them, reusing the current one when it is large enough.
void VString::SetText(const char* text, std::size_t count) {
  if (count == 0) {
    Release();
    return;
  }
  if (count + 1 > capacity_) {
    char* block = MakeBlock(static_cast<std::uint32_t>(count));
    std::memcpy(block, text, count);
    Adopt(block, static_cast<std::uint32_t>(count));
    return;
  }
  std::memmove(text_, text, count);
  length_ = static_cast<std::uint16_t>(count);
  text_[length_] = 0;
}

VString::VString(const char* text) {
  Assign(text);
}

VString::VString(std::string_view text) {
  SetText(text.data(), text.size() & kMaxLength);
}

VString::VString(const char* text, int start, int count) {
  Assign(text, start, count);
}

VString::VString(const wchar_t* wide) {
  std::string bytes;
  for (; wide && *wide; ++wide) {
    const int byte = UnicodeToCp1252(static_cast<char32_t>(*wide));
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
  }
  SetText(bytes.data(), bytes.size() & kMaxLength);
}

VString::VString(const VString& other) {
  SetText(other.text_, other.length_);
}

VString::VString(VString&& other) noexcept
    : text_(other.text_), length_(other.length_), capacity_(other.capacity_) {
  other.text_ = const_cast<char*>(kSharedEmpty);
  other.length_ = 0;
  other.capacity_ = 0;
}

VString& VString::operator=(const VString& other) {
  if (this != &other) SetText(other.text_, other.length_);
  return *this;
}

VString& VString::operator=(VString&& other) noexcept {
  if (this != &other) {
    Release();
    text_ = std::exchange(other.text_, const_cast<char*>(kSharedEmpty));
    length_ = std::exchange(other.length_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

VString& VString::operator=(const char* text) {
  return Assign(text);
}

VString VString::WithCapacity(std::uint16_t length, char fill) {
  VString result;
  if (length == 0) return result;
  char* block = result.MakeBlock(length);
  result.Adopt(block, length);
  if (fill) {
    std::memset(result.text_, fill, length);
  } else {
    result.length_ = 0;
    result.text_[0] = 0;
  }
  return result;
}

VString VString::Entry(int id) {
  return VString(dictionary_lookup ? dictionary_lookup(id) : nullptr);
}

VString VString::Format(const char* format, ...) {
  char work_area[kFormatWorkArea];
  va_list arguments;
  va_start(arguments, format);
  int written = std::vsnprintf(work_area, sizeof work_area, format, arguments);
  va_end(arguments);
  if (written < 0) written = 0;
  if (written >= kFormatOverflow) ReportError("VString owflw");
  const int kept = written < kFormatWorkArea ? written : kFormatWorkArea - 1;
  return VString(std::string_view(work_area, static_cast<std::size_t>(kept)));
}

VString& VString::Assign(const char* text) {
  SetText(text, SafeLength(text) & kMaxLength);
  return *this;
}

VString& VString::Assign(std::string_view text) {
  SetText(text.data(), text.size() & kMaxLength);
  return *this;
}

VString& VString::Assign(const char* text, int start, int count) {
  const std::size_t available = SafeLength(text);
  if (start < 0 || static_cast<std::size_t>(start) >= available) {
    Release();
    return *this;
  }
  std::size_t taken = available - static_cast<std::size_t>(start);
  if (count >= 0 && static_cast<std::size_t>(count) < taken)
    taken = static_cast<std::size_t>(count);
  // SetText moves within the block when the source is our own text.
  SetText(text + start, taken & kMaxLength);
  return *this;
}

VString& VString::Append(std::string_view text) {
  if (text.empty()) return *this;
  // The length is 16 bits: past 65535 it wraps, keeping that many characters.
  const std::uint32_t total = (length_ + text.size()) & kMaxLength;
  if (total + 1 > capacity_) {
    char* block = MakeBlock(total);
    const std::uint32_t own = total < length_ ? total : length_;
    std::memcpy(block, text_, own);
    std::memcpy(block + own, text.data(), total - own);
    Adopt(block, total);
    return *this;
  }
  if (total < length_) {
    length_ = static_cast<std::uint16_t>(total);
  } else {
    std::memmove(text_ + length_, text.data(), total - length_);
    length_ = static_cast<std::uint16_t>(total);
  }
  text_[length_] = 0;
  return *this;
}

VString& VString::Append(const char* text) {
  return Append(std::string_view(text ? text : ""));
}

VString& VString::Append(const VString& text) {
  if (&text == this) {
    const VString copy(text);
    return Append(copy.view());
  }
  return Append(text.view());
}

VString& VString::AppendEntry(int id) {
  return Append(Entry(id));
}

VString& VString::PadLeft(char fill, std::uint16_t length) {
  if (length <= length_) return *this;
  std::string padded(length - length_, fill);
  padded.append(view());
  SetText(padded.data(), padded.size());
  return *this;
}

VString& VString::Insert(std::uint16_t at, const char* text) {
  const std::size_t count = SafeLength(text);
  if (count == 0) return *this;
  if (at > length_) at = length_;
  std::string joined(view().substr(0, at));
  joined.append(text, count);
  joined.append(view().substr(at));
  SetText(joined.data(), joined.size() & kMaxLength);
  return *this;
}

int VString::ReplaceAll(const char* from, const char* to) {
  const std::size_t from_length = SafeLength(from);
  if (from_length == 0 || empty()) return 0;
  const std::string_view replacement(to ? to : "");
  std::string result;
  int replaced = 0;
  std::size_t at = 0;
  const std::string_view text = view();
  for (std::size_t found; (found = text.find(from, at, from_length)) != std::string_view::npos;) {
    result.append(text.substr(at, found - at)).append(replacement);
    at = found + from_length;
    ++replaced;
  }
  if (replaced == 0) return 0;
  result.append(text.substr(at));
  SetText(result.data(), result.size() & kMaxLength);
  return replaced;
}

bool VString::IsHex() const {
  return cbst::IsHex(text_);
}

bool TextEquals(const char* left, const char* right) {
  return std::strcmp(left ? left : "", right ? right : "") == 0;
}

bool operator==(const VString& left, const VString& right) {
  return left.view() == right.view();
}

bool operator==(const VString& left, const char* right) {
  return TextEquals(left.c_str(), right);
}

const char* StrCatList(const char* const* texts, int count) {
  static VString joined;
  std::string result;
  int index = 0;
  for (; index < count && index < kStrCatMaxTexts && texts[index]; ++index)
    result += texts[index];
  joined.Assign(result);  // reuses the block when the new text fits
  const bool ended = index < count && texts[index] == nullptr;
  if (!ended) ReportError("StrCat debe terminar en NULL");
  return joined.c_str();
}

}  // namespace cbst
