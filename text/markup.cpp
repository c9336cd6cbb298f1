// markup.cpp: reading the scrolling texts' markup into fonts, settings and
// items.
#include "text/markup.h"

#include <cctype>

namespace cbst {
namespace {

// Reads the markup left to right; nothing it does reads past the end.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool done() const { return at_ >= text_.size(); }
  char peek() const { return done() ? '\0' : text_[at_]; }
  void skip() {
    if (!done()) ++at_;
  }
  // Takes `word` when it comes next, without regard to case.
  bool Take(std::string_view word) {
    if (text_.size() - at_ < word.size()) return false;
    for (std::size_t index = 0; index < word.size(); ++index) {
      if (std::tolower(static_cast<unsigned char>(text_[at_ + index])) !=
          std::tolower(static_cast<unsigned char>(word[index])))
        return false;
    }
    at_ += word.size();
    return true;
  }
  bool Take(char character) {
    if (peek() != character) return false;
    ++at_;
    return true;
  }
  // A decimal number after optional blanks; 0 when there is none.
  long Number() {
    while (peek() == ' ')
      skip();
    const bool negative = Take('-');
    long value = 0;
    constexpr long kLargest = 1L << 30;  // far beyond any size or colour
    while (std::isdigit(static_cast<unsigned char>(peek()))) {
      if (value < kLargest) value = value * 10 + (peek() - '0');
      skip();
    }
    return negative ? -value : value;
  }
  // Everything up to the first of `stops` (or the end), which stays.
  std::string_view Until(std::string_view stops) {
    const std::size_t start = at_;
    while (!done() && stops.find(peek()) == std::string_view::npos)
      skip();
    return text_.substr(start, at_ - start);
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// Where a directive's last argument ends.
constexpr std::string_view kArgumentEnd = " \t\r\n\\{";

std::uint32_t ColourOf(long red, long green, long blue) {
  auto channel = [](long value) { return static_cast<std::uint32_t>(value) & 0xFF; };
  return channel(red) | channel(green) << 8 | channel(blue) << 16;
}

std::uint32_t ReadColour(Cursor& cursor) {
  const long red = cursor.Number();
  cursor.Take(',');
  const long green = cursor.Number();
  cursor.Take(',');
  const long blue = cursor.Number();
  return ColourOf(red, green, blue);
}

void ReadFont(Cursor& cursor, Markup& markup) {
  // The digit only helps the reader: fonts count in definition order.
  while (std::isdigit(static_cast<unsigned char>(cursor.peek())))
    cursor.skip();
  cursor.Take(':');
  MarkupFont font;
  font.face = cursor.Until(",\\{");
  cursor.Take(',');
  font.size = static_cast<int>(cursor.Number());
  if (cursor.Take(',')) {
    while (cursor.peek() == ' ')
      cursor.skip();
    font.bold = cursor.Take("BOLD");
  }
  markup.fonts.push_back(std::move(font));
}

void ReadDirective(Cursor& cursor, Markup& markup) {
  if (cursor.Take("fnt")) {
    ReadFont(cursor, markup);
  } else if (cursor.Take("snd")) {
    cursor.Take(':');
    markup.sound = cursor.Until(kArgumentEnd);
  } else if (cursor.Take("timerres")) {
    cursor.Take(':');
    markup.interval_ms = static_cast<int>(cursor.Number());
  } else if (cursor.Take("bkclr")) {
    cursor.Take(':');
    markup.background = ReadColour(cursor);
  } else {
    cursor.Until(kArgumentEnd);
  }
}

MarkupItem ReadPictureItem(Cursor& cursor) {
  MarkupItem item;
  item.kind = cursor.Take("bmp") ? MarkupItemKind::kBitmap : MarkupItemKind::kIcon;
  // "@icon:", and the second icon's "@icon2:", name their picture after the colon.
  cursor.Until(":}");
  if (cursor.Take(':')) item.picture = cursor.Number();
  cursor.Until("}");
  cursor.Take('}');
  return item;
}

MarkupItem ReadTextItem(Cursor& cursor) {
  MarkupItem item;
  while (cursor.peek() == ' ')
    cursor.skip();
  if (cursor.Take("RGB=")) item.colour = ReadColour(cursor);
  // A blank or a comma before the font.
  while (cursor.peek() == ' ' || cursor.peek() == ',')
    cursor.skip();
  if (cursor.Take("fnt=")) item.font = static_cast<int>(cursor.Number());
  // One blank ends the font number; the text keeps everything after it.
  cursor.Take(' ');
  item.text = cursor.Until("}");
  cursor.Take('}');
  return item;
}

}  // namespace

Markup ParseMarkup(std::string_view text) {
  Markup markup;
  Cursor cursor(text);
  while (!cursor.done()) {
    if (cursor.Take('\\')) {
      ReadDirective(cursor, markup);
    } else if (cursor.Take('{')) {
      markup.items.push_back(cursor.Take('@') ? ReadPictureItem(cursor) : ReadTextItem(cursor));
    } else {
      cursor.skip();
    }
  }
  return markup;
}

}  // namespace cbst
