// vstring.h: VString, the program's text: bytes with a 16-bit length.
//
// Lengths and capacities are 16-bit: an append past 65535 characters wraps the
// length (the text keeps that many characters), so callers keep texts shorter.
// Every empty VString points at one shared static empty text, never freed. The
// bytes are Windows-1252 for texts the program stores and shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cbst {

class VString {
 public:
  static constexpr std::uint32_t kMaxLength = 0xFFFF;
  static constexpr int kFormatWorkArea = 1024;
  static constexpr int kFormatOverflow = 512;

  VString() = default;
  VString(const char* text);  // NOLINT: texts convert implicitly, as literals do
  VString(std::string_view text);
  // `count` characters of `text` from `start` (a negative count: to the end).
  VString(const char* text, int start, int count);
  // Wide text, converted to Windows-1252 ("?" for what it cannot show).
  explicit VString(const wchar_t* wide);
  VString(const VString& other);
  VString(VString&& other) noexcept;
  VString& operator=(const VString& other);
  VString& operator=(VString&& other) noexcept;
  VString& operator=(const char* text);
  VString& operator=(std::string_view text) { return Assign(text); }
  ~VString() { Release(); }

  // A block for `length` characters; filled with `fill` when it is not zero.
  static VString WithCapacity(std::uint16_t length, char fill = 0);
  // The dictionary's text with number `id` (empty until a dictionary is loaded).
  static VString Entry(int id);
  // printf-style, built in a 1024-byte work area; results of 512 characters
  // or more report "VString owflw" and are still used.
  [[gnu::format(printf, 1, 2)]] static VString Format(const char* format, ...);

  VString& Assign(const char* text);
  VString& Assign(std::string_view text);
  // Assigns a substring; the string's own text is moved in place.
  VString& Assign(const char* text, int start, int count);
  VString& Append(const char* text);
  VString& Append(const VString& text);
  VString& Append(std::string_view text);
  VString& AppendEntry(int id);
  VString& operator+=(const char* text) { return Append(text); }
  VString& operator+=(const VString& text) { return Append(text); }
  VString& operator+=(char character) { return Append(std::string_view(&character, 1)); }

  // Pads on the left with `fill` up to `length` characters.
  VString& PadLeft(char fill, std::uint16_t length);
  // Inserts `text` before position `at` (clamped to the length).
  VString& Insert(std::uint16_t at, const char* text);
  // Replaces every occurrence of `from` by `to`; returns how many there were.
  int ReplaceAll(const char* from, const char* to);

  // Frees the block (unless it is the shared empty text) and becomes empty.
  void Release();

  const char* c_str() const { return text_; }
  std::string_view view() const { return {text_, length_}; }
  std::string str() const { return std::string(view()); }
  std::uint16_t length() const { return length_; }
  std::uint32_t capacity() const { return capacity_; }
  bool empty() const { return length_ == 0; }
  bool IsHex() const;
  char operator[](std::size_t at) const { return text_[at]; }
  bool UsesSharedEmpty() const { return text_ == SharedEmpty(); }

  static const char* SharedEmpty();

  // Diagnostics: live text blocks and their total capacity.
  struct Counters {
    long live_blocks = 0;
    long total_capacity = 0;
  };
  static Counters LiveCounters();

 private:
  // Makes a fresh block for `length` characters and returns it, leaving the
  // old one (if any) to the caller.
  char* MakeBlock(std::uint32_t length);
  void Adopt(char* block, std::uint32_t length);
  void SetText(const char* text, std::size_t count);

  char* text_ = const_cast<char*>(SharedEmpty());
  std::uint16_t length_ = 0;
  std::uint32_t capacity_ = 0;  // bytes of the block, terminator included
};

// Null texts compare as the empty text.
bool operator==(const VString& left, const VString& right);
bool operator==(const VString& left, const char* right);
bool TextEquals(const char* left, const char* right);

// The dictionary installs its type-1 lookup here once it is loaded.
using DictionaryLookup = const char* (*)(int id);
void SetDictionaryLookup(DictionaryLookup lookup);

// Concatenates up to 9 texts, ended by a null, into one shared module-wide
// string overwritten by the next call. A list without its null within 9
// texts reports "StrCat debe terminar en NULL" and joins the first 9.
inline constexpr int kStrCatMaxTexts = 9;
const char* StrCatList(const char* const* texts, int count);
template <typename... Texts>
const char* StrCat(Texts... texts) {
  const char* list[] = {static_cast<const char*>(texts)...};
  return StrCatList(list, static_cast<int>(sizeof...(Texts)));
}

}  // namespace cbst
