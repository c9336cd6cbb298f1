// wcredits.cpp: the credits window's layout, drawing and scrolling loop.
#include "text/wcredits.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/cp1252.h"
#include "gfx/dc.h"
#include "gfx/dc_mem.h"
#include "platform/sound_player.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

// The loop rests this long between looks at the clock and the queue.
constexpr std::int64_t kRestMicroseconds = 5000;
constexpr std::int64_t kMicrosecondsPerMs = 1000;
// The face of text whose font number names no definition.
constexpr const char* kFallbackFace = "MS Sans Serif";
constexpr int kFallbackHeight = 13;

std::int16_t Short(int value) {
  return static_cast<std::int16_t>(value);
}

// The lines of `text` (Windows-1252) as they fit into `width` in the
// selected font, in UTF-8: broken where the text breaks them and, where a
// line is too long, at the last blank that lets it fit. A break at the very
// end starts no further line.
std::vector<std::string> WrapLines(DC& dc, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (dc.TextWidth(Cp1252ToUtf8(line)) > width) {
      std::size_t cut = line.rfind(' ');
      while (cut != std::string_view::npos && cut > 0 &&
             dc.TextWidth(Cp1252ToUtf8(line.substr(0, cut))) > width)
        cut = line.rfind(' ', cut - 1);
      if (cut == std::string_view::npos || cut == 0) break;  // one word wider than the window
      lines.push_back(Cp1252ToUtf8(line.substr(0, cut)));
      line.remove_prefix(cut + 1);
    }
    lines.push_back(Cp1252ToUtf8(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

const ClassInfo WCredits::kClass = {&Window::kClass, "WCredits"};

WCredits::WCredits(std::uint32_t options, std::string_view markup, CreditsPictures pictures)
    : flags_(options),
      markup_(ParseMarkup(markup)),
      pictures_(std::move(pictures)),
      fallback_font_(kFallbackFace, kFallbackHeight),
      scroll_(kCreditsHeight, 0, markup_.interval_ms, options) {
  fonts_.reserve(markup_.fonts.size());
  for (const MarkupFont& font : markup_.fonts)
    fonts_.emplace_back(Cp1252ToUtf8(font.face), font.size, font.bold);
}

WCredits::~WCredits() {
  if (sounds_) sounds_->Stop();
  if (exists()) SetCapture(false);
  // The keys go back to the window the credits stood over.
  if (parent() && parent()->exists()) parent()->TakeFocus();
}

int WCredits::Scaled(int size) const {
  return static_cast<int>(std::lround(size * ratio_));
}

Rect16 WCredits::text_area() const {
  const Rect16 client = ClientRect();
  const int inset = Scaled(kCreditsFrame + kCreditsMargin);
  return {Short(inset), Short(inset), Short(std::max(0, client.width - 2 * inset)),
          Short(std::max(0, client.height - 2 * inset))};
}

Font* WCredits::FontOf(const MarkupItem& item) {
  if (item.font >= 0 && static_cast<std::size_t>(item.font) < fonts_.size())
    return &fonts_[static_cast<std::size_t>(item.font)];
  return &fallback_font_;
}

void WCredits::Layout(int width) {
  DCMem measuring;
  item_rects_.clear();
  item_lines_.assign(markup_.items.size(), {});
  line_heights_.assign(markup_.items.size(), 0);
  total_height_ = 0;
  for (std::size_t index = 0; index < markup_.items.size(); ++index) {
    const MarkupItem& item = markup_.items[index];
    int item_width = 0;
    int item_height = 0;
    if (item.kind == MarkupItemKind::kText) {
      measuring.Select(FontOf(item));
      item_lines_[index] = WrapLines(measuring, item.text, width);
      line_heights_[index] = measuring.TextHeight();
      for (const std::string& line : item_lines_[index])
        item_width = std::max(item_width, measuring.TextWidth(line));
      item_height = line_heights_[index] * static_cast<int>(item_lines_[index].size());
      measuring.Deselect(ToolSlot::kFont);
    } else if (item.kind == MarkupItemKind::kIcon) {
      item_width = item_height = Scaled(kCreditsIconSize);
    } else if (const auto found = pictures_.bitmaps.find(item.picture);
               found != pictures_.bitmaps.end()) {
      item_width = Scaled(found->second.width());
      item_height = Scaled(found->second.height());
    }
    item_rects_.push_back({Short((width - item_width) / 2), Short(total_height_), Short(item_width),
                           Short(item_height)});
    total_height_ += item_height + Scaled(kCreditsItemGap);
  }
}

void WCredits::DrawItem(DC& dc, std::size_t index) {
  const MarkupItem& item = markup_.items[index];
  const Rect16& place = item_rects_[index];
  switch (item.kind) {
    case MarkupItemKind::kText: {
      dc.Select(FontOf(item));
      int y = place.y;
      // Each line centred on its own.
      for (const std::string& line : item_lines_[index]) {
        dc.Text((content_.width() - dc.TextWidth(line)) / 2, y, line, item.colour);
        y += line_heights_[index];
      }
      dc.Deselect(ToolSlot::kFont);
      return;
    }
    case MarkupItemKind::kIcon:
      if (const auto found = pictures_.icons.find(item.picture); found != pictures_.icons.end()) {
        const ProgramPicture& icon = found->second;
        DrawProgramPicture(dc, icon, place.x + (place.width - icon.width) / 2,
                           place.y + (place.height - icon.height) / 2, place);
      }
      return;
    case MarkupItemKind::kBitmap:
      if (const auto found = pictures_.bitmaps.find(item.picture);
          found != pictures_.bitmaps.end()) {
        Bmp& bitmap = found->second;
        if (place.width == bitmap.width() && place.height == bitmap.height())
          bitmap.Draw(dc, place.x, place.y);
        else
          bitmap.DrawStretched(dc, place, {0, 0, Short(bitmap.width()), Short(bitmap.height())});
      }
      return;
  }
}

void WCredits::RenderContent() {
  const Rect16 area = text_area();
  content_ = BmpMem(std::max<int>(area.width, 1), std::max(total_height_, 1));
  DC& dc = content_.dc();
  const Brush background(markup_.background);
  dc.FillRect({0, 0, Short(content_.width()), Short(content_.height())}, background);
  for (std::size_t index = 0; index < markup_.items.size(); ++index)
    DrawItem(dc, index);
  dc.Flush();
}

bool WCredits::Open(Window* parent, SoundPlayer* sounds, std::string_view sound_directory) {
  // On a screen smaller than the window, the window takes the parent's size.
  // It counts in the parent's pixels, which may be the screen's device
  // pixels: its text and pictures are drawn as sharp as the screen allows,
  // at the size they have on a screen that does not scale.
  ratio_ = parent ? parent->pixel_ratio() : 1.0;
  for (std::size_t index = 0; index < fonts_.size(); ++index)
    fonts_[index].height = Scaled(markup_.fonts[index].size);
  fallback_font_.height = Scaled(kFallbackHeight);
  const Rect16 room = parent ? parent->ClientRect() : Rect16{0, 0, kCreditsWidth, kCreditsHeight};
  const int width = std::min<int>(Scaled(kCreditsWidth), room.width);
  const int height = std::min<int>(Scaled(kCreditsHeight), room.height);
  const Rect16 place{Short(room.x + (room.width - width) / 2),
                     Short(room.y + (room.height - height) / 2), Short(width), Short(height)};
  if (!Create(parent, place, "", kStyleChild | kStyleHidden)) return false;
  owner = parent;
  Layout(text_area().width);
  RenderContent();
  // The steps are the window's pixels: where they are smaller, they come
  // as much more often, and the text moves as fast on every screen.
  const int interval = markup_.interval_ms > 0 ? markup_.interval_ms : kMarkupDefaultIntervalMs;
  scroll_ = CreditsScroll(ClientRect().height, total_height_,
                          std::max(1, static_cast<int>(std::lround(interval / ratio_))), flags_);
  Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
  Dispatch(show);
  Raise();
  TakeFocus();
  // Every click goes here while the credits run: one anywhere ends them.
  SetCapture(true);
  if (sounds && !markup_.sound.empty()) {
    sounds_ = sounds;
    std::string path(sound_directory);
    if (!path.empty()) path += '/';
    path += markup_.sound;
    sounds_->PlayFile(path, true);
  }
  return true;
}

void WCredits::Paint(DC& dc) {
  const Rect16 client = ClientRect();
  const int frame = Scaled(kCreditsFrame);
  dc.FillRect(client, Brush(kCreditsFrameColour));
  dc.FillRect({Short(frame), Short(frame), Short(client.width - 2 * frame),
               Short(client.height - 2 * frame)},
              Brush(markup_.background));
  // The band of the content that the offset brings into the text area.
  const Rect16 area = text_area();
  const int offset = scroll_.offset();
  const int top = std::max(0, offset);
  const int from = std::max(0, -offset);
  const int rows = std::min(area.height - top, total_height_ - from);
  if (rows > 0 && total_height_ > 0)
    dc.Transfer(area.x, area.y + top, area.width, rows, content_.dc(), 0, from);
}

bool WCredits::StepOnce() {
  if (!scroll_.Step()) return false;
  Update(text_area());
  return true;
}

void WCredits::AskToClose() {
  if (closing_) return;
  closing_ = true;
  // The window that is handling the click or key must outlive it: the
  // close comes from the queue.
  if (Application* application = Application::Instance())
    application->Post(this, MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0}));
}

void WCredits::OnEvent(Event& event) {
  if (event.code == kEventMouse) {
    const auto* mouse = event.as<MousePayload>();
    if (mouse && (mouse->subcode == kMouseLeftDown || mouse->subcode == kMouseRightDown ||
                  mouse->subcode == kMouseMiddleDown)) {
      event.set_handled();
      AskToClose();
      return;
    }
  } else if (event.code == kEventKey) {
    if (const auto* key = event.as<KeyPayload>(); key && key->kind == KeyKind::kDown) {
      event.set_handled();
      AskToClose();
      return;
    }
  }
  Window::OnEvent(event);
}

int WCredits::Run(WCredits* credits, AnimationClock& clock) {
  Application* application = Application::Instance();
  if (!application || !application->Holds(credits)) return -1;
  credits->scroll_.Start(clock.NowMicroseconds() / kMicrosecondsPerMs);
  // The window may go during any step or any event: it is never touched
  // after that.
  while (application->Holds(credits)) {
    const int due = credits->scroll_.StepsDue(clock.NowMicroseconds() / kMicrosecondsPerMs);
    for (int step = 0; step < due && application->Holds(credits); ++step) {
      if (!credits->StepOnce()) DestroyWindow(credits, 0);
    }
    if (!application->Holds(credits)) break;
    application->ProcessPending();
    if (!application->Holds(credits)) break;
    clock.Sleep(kRestMicroseconds);
  }
  return application->last_exit_code();
}

int ShowCredits(Window* parent, std::uint32_t flags, std::string_view markup,
                CreditsPictures pictures, SoundPlayer* sounds, std::string_view sound_directory,
                AnimationClock& clock) {
  Application* application = Application::Instance();
  if (!application) return -1;
  auto* credits = application->Make<WCredits>(flags, markup, std::move(pictures));
  if (!credits->Open(parent, sounds, sound_directory)) {
    application->Release(credits);
    return -1;
  }
  return WCredits::Run(credits, clock);
}

}  // namespace cbst
