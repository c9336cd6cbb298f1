// browser_line_drawing.cpp: the puzzle browser's owner-drawn lines.
#include "app/browser_line_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/cp1252.h"
#include "base/date.h"
#include "gfx/bitmap_file.h"
#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "puzzle/make_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

// Colours are 0x00BBGGRR.
constexpr std::uint32_t kPaper = 0xFFFFFF;
constexpr std::uint32_t kChosenPaper = 0xD77800;
constexpr std::uint32_t kInk = 0x202020;
constexpr std::uint32_t kChosenInk = 0xFFFFFF;
constexpr std::uint32_t kSoftInk = 0x707070;
constexpr std::uint32_t kChosenSoftInk = 0xF0E0D0;
constexpr std::uint32_t kRule = 0xE0E0E0;
constexpr std::uint32_t kFrame = 0xB0B0B0;
constexpr std::uint32_t kBarTrack = 0xE8E8E8;
constexpr std::uint32_t kBarDone = 0x3CA03C;
constexpr std::uint32_t kLevelBadge = 0xC08040;
constexpr std::uint32_t kSavedBadge = 0x3070D0;

constexpr int kMargin = 4;
constexpr int kTextLeft = kMargin * 3 + kThumbnailWidth;
constexpr int kTitlePixels = 15;
constexpr int kSmallPixels = 12;
constexpr int kBadgeSide = 20;
constexpr int kBarWidth = 140;
constexpr int kBarHeight = 10;
constexpr int kRightColumn = 190;  // width of the size and time column
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

Rect16 MakeRect(int x, int y, int width, int height) {
  return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
          static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)};
}

void Frame(DC& dc, const Rect16& rect, std::uint32_t colour) {
  const Brush brush(colour);
  dc.FillRect(MakeRect(rect.x, rect.y, rect.width, 1), brush);
  dc.FillRect(MakeRect(rect.x, rect.y + rect.height - 1, rect.width, 1), brush);
  dc.FillRect(MakeRect(rect.x, rect.y, 1, rect.height), brush);
  dc.FillRect(MakeRect(rect.x + rect.width - 1, rect.y, 1, rect.height), brush);
}

// Texts of the files are Windows-1252; the DC draws UTF-8.
void Write(DC& dc, int x, int y, const std::string& text, std::uint32_t colour) {
  dc.Text(x, y, Cp1252ToUtf8(text), colour);
}

// The text cut short with "..." to fit `width` pixels.
std::string Fitted(DC& dc, const std::string& text, int width) {
  if (dc.TextWidth(Cp1252ToUtf8(text)) <= width) return text;
  std::string cut = text;
  while (!cut.empty() && dc.TextWidth(Cp1252ToUtf8(cut + "...")) > width)
    cut.pop_back();
  return cut + "...";
}

void DrawThumbnail(DC& dc, const Rect16& line_rect, const Bmp* thumbnail) {
  const Rect16 box =
      MakeRect(line_rect.x + kMargin, line_rect.y + kMargin, kThumbnailWidth, kThumbnailHeight);
  if (thumbnail && thumbnail->valid()) {
    Bmp& picture = const_cast<Bmp&>(*thumbnail);
    const int x = box.x + (kThumbnailWidth - std::min<int>(picture.width(), kThumbnailWidth)) / 2;
    const int y =
        box.y + (kThumbnailHeight - std::min<int>(picture.height(), kThumbnailHeight)) / 2;
    picture.DrawStretched(dc,
                          MakeRect(x, y, std::min<int>(picture.width(), kThumbnailWidth),
                                   std::min<int>(picture.height(), kThumbnailHeight)),
                          MakeRect(0, 0, picture.width(), picture.height()));
    return;
  }
  Frame(dc, box, kFrame);
}

// The level in a small square: its number 1..5, or "?" for a custom size.
void DrawBadge(DC& dc, int x, int y, const BrowserLine& line) {
  const Rect16 badge = MakeRect(x, y, kBadgeSide, kBadgeSide);
  dc.FillRect(badge, Brush(line.kind == LineKind::kSavedGame ? kSavedBadge : kLevelBadge));
  const std::string text = line.custom ? std::string("?") : std::to_string(line.level + 1);
  dc.Text(x + (kBadgeSide - dc.TextWidth(text)) / 2, y + (kBadgeSide - dc.TextHeight()) / 2, text,
          kChosenInk);
}

std::string SizeText(const BrowserLine& line) {
  if (line.rows <= 0 || line.columns <= 0) return "?";
  char text[48];
  // "×" in Windows-1252.
  std::snprintf(text, sizeof text, "%d \xD7 %d = %d", line.rows, line.columns,
                line.rows * line.columns);
  return text;
}

}  // namespace

const Bmp* BrowserThumbnails::For(const BrowserLine& line) {
  if (line.no_preview) {
    if (!surprise_.valid()) {
      Dib surprise = MakeSurpriseThumbnail();
      surprise_ = BitmapFromDib(surprise);
    }
    return &surprise_;
  }
  auto found = read_.find(line.puzzle_path);
  if (found == read_.end()) {
    Thumb header;
    Bmp picture;
    if (header.Open(line.puzzle_path.c_str(), true).code() == 0)
      picture = std::move(header.thumbnail_bitmap);
    found = read_.emplace(line.puzzle_path, std::move(picture)).first;
  }
  return found->second.valid() ? &found->second : nullptr;
}

int DonePercent(const BrowserLine& line) {
  return static_cast<int>(std::lround((1.0 - line.progress) * 100.0));
}

std::string PlayedTime(const BrowserLine& line) {
  const int seconds = std::max(0, line.elapsed_ms / kMillisecondsPerSecond);
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / kSecondsPerHour,
                seconds / kSecondsPerMinute % kSecondsPerMinute, seconds % kSecondsPerMinute);
  return text;
}

void DrawBrowserLine(DC& dc, const Rect16& rect, const BrowserLine& line, const Bmp* thumbnail,
                     bool selected, const std::string& custom_text) {
  const std::uint32_t ink = selected ? kChosenInk : kInk;
  const std::uint32_t soft = selected ? kChosenSoftInk : kSoftInk;
  dc.FillRect(rect, Brush(selected ? kChosenPaper : kPaper));
  dc.FillRect(MakeRect(rect.x, rect.y + rect.height - 1, rect.width, 1), Brush(kRule));
  DrawThumbnail(dc, rect, thumbnail);

  const int left = rect.x + kTextLeft;
  const int right_column = rect.x + rect.width - kRightColumn;
  const int text_width = std::max(20, right_column - left - kMargin * 2);
  Font title_font("Sans", kTitlePixels, true);
  Font small_font("Sans", kSmallPixels);
  const int top = rect.y + kMargin + 2;

  // Left: who and what; right: the level, the size and, for a saved game,
  // how far it has got and for how long.
  dc.Select(&title_font);
  std::string heading = line.title;
  if (line.kind == LineKind::kSavedGame && !line.player.empty())
    heading = line.player + ": " + line.title;
  Write(dc, left, top, Fitted(dc, heading, text_width), ink);
  dc.Select(&small_font);
  int y = top + kTitlePixels + 6;
  if (line.kind == LineKind::kSavedGame && line.puzzle_title != line.title) {
    Write(dc, left, y, Fitted(dc, line.puzzle_title, text_width), soft);
    y += kSmallPixels + 4;
  }
  // "©" in Windows-1252.
  if (!line.credit.empty()) Write(dc, left, y, Fitted(dc, "\xA9 " + line.credit, text_width), soft);

  DrawBadge(dc, right_column, top, line);
  dc.Select(&title_font);
  const bool size_unknown = line.rows <= 0 || line.columns <= 0;
  Write(dc, right_column + kBadgeSide + kMargin * 2, top + 1,
        size_unknown && !custom_text.empty() ? custom_text : SizeText(line), ink);
  dc.Select(&small_font);
  if (line.kind == LineKind::kSavedGame) {
    const int bar_y = top + kBadgeSide + 8;
    const Rect16 bar = MakeRect(right_column, bar_y, kBarWidth, kBarHeight);
    dc.FillRect(bar, Brush(kBarTrack));
    const int done = DonePercent(line);
    if (done > 0)
      dc.FillRect(MakeRect(bar.x, bar.y, kBarWidth * done / 100, kBarHeight), Brush(kBarDone));
    Frame(dc, bar, kFrame);
    dc.Text(bar.x + kBarWidth + kMargin, bar_y - 2, std::to_string(done) + " %", ink);
    dc.Text(right_column, bar_y + kBarHeight + 4, PlayedTime(line), soft);
  }
  dc.Deselect(ToolSlot::kFont);
}

}  // namespace cbst
