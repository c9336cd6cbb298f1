// wedpuz.cpp: the picture window of a new puzzle: the picture at its scale
// on the puzzle's background, the part chosen, and the cut laid over it.
#include "app/wedpuz.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/help_files.h"
#include "app/woptions.h"
#include "base/status_codes.h"
#include "base/text_tests.h"
#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "platform/colour_picker.h"
#include "platform/display.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "puzzle/level_text.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr std::uint32_t kCutColour = 0xFFFFFF;  // inverts every bit
constexpr std::uint32_t kOutlineColour = 0;     // the tracker's pen inverts too
constexpr double kPercent = 0.01;

std::int16_t Short(int value) {
  return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

// `rect` cut down to lie inside `bounds`.
Rect16 Clipped(const Rect16& rect, const Rect16& bounds) {
  const int left = std::max<int>(rect.x, bounds.x);
  const int top = std::max<int>(rect.y, bounds.y);
  const int right = std::min(rect.x + rect.width, bounds.x + bounds.width);
  const int bottom = std::min(rect.y + rect.height, bounds.y + bounds.height);
  if (right <= left || bottom <= top) return {};
  return {Short(left), Short(top), Short(right - left), Short(bottom - top)};
}

}  // namespace

const ClassInfo WEdPuz::kClass = {&Window::kClass, "WEdPuz"};

WEdPuz::WEdPuz(PictureSource source, MakePlaces places)
    : source_(std::move(source)), places_(std::move(places)) {}

WEdPuz::~WEdPuz() {
  // The outline goes before the window it is drawn on.
  track_.reset();
}

int WEdPuz::Margin() const {
  return static_cast<int>(std::lround(kMakeMargin * pixel_ratio()));
}

int WEdPuz::ScaledWidth() const {
  return std::max(1, static_cast<int>(picture().width() * (scale_percent_ * kPercent)));
}

int WEdPuz::ScaledHeight() const {
  return std::max(1, static_cast<int>(picture().height() * (scale_percent_ * kPercent)));
}

Rect16 WEdPuz::Selection() const {
  const Rect16 whole{0, 0, Short(picture().width()), Short(picture().height())};
  if (!selecting_ || selection_.Empty()) return whole;
  return Clipped(selection_, whole);
}

int WEdPuz::StoredWidth() const {
  return std::max(1, static_cast<int>(Selection().width * (scale_percent_ * kPercent)));
}

int WEdPuz::StoredHeight() const {
  return std::max(1, static_cast<int>(Selection().height * (scale_percent_ * kPercent)));
}

Rect16 WEdPuz::PictureArea() const {
  const Rect16 client = ClientRect();
  const int pane_width = pane_ ? pane_size_.width : 0;
  return {0, 0, Short(std::max(0, client.width - pane_width)), client.height};
}

bool WEdPuz::Open() {
  background_ = ProposeBackground(picture());
  const VString caption = WindowCaption(ControlText(0, kMakePuzzleCommandText));
  // The picture is shown at the screen's own pixels, as sharp as they are;
  // the pane beside it is text and lets the toolkit scale it.
  if (!Create(places_.table, {0, 0, Short(ScaledWidth()), Short(ScaledHeight())}, caption.view(),
              kStyleHidden | kStyleDevicePixels))
    return false;
  Application* application = Application::Instance();
  pane_ = application->Make<WDEdPuz>(*this);
  if (!pane_->CreateDialog(this, kStyleChild)) {
    pane_ = nullptr;
    return false;
  }
  ScalePicture();
  Layout();
  return true;
}

void WEdPuz::Layout() {
  if (!pane_) return;
  // The pane keeps the size its template gives it, in the window's pixels.
  if (pane_size_.Empty()) pane_size_ = pane_->WindowRect();
  // The window counts in the screen's device pixels; its place on the
  // screen counts in the toolkit's logical ones.
  const DisplayFacts screen = QueryDisplay();
  const double ratio = pixel_ratio();
  // As large as the picture, but never larger than the screen: a picture
  // too large for it is seen in part until it is scaled down.
  int width = ScaledWidth() + 2 * Margin() + pane_size_.width;
  int height = std::max(ScaledHeight() + 2 * Margin(), static_cast<int>(pane_size_.height));
  if (screen.width > 0) width = std::min(width, static_cast<int>(screen.width));
  if (screen.height > 0) height = std::min(height, static_cast<int>(screen.height));
  // The window stays in the middle of the screen as it changes size.
  const auto logical = [ratio](int pixels) { return Short(static_cast<int>(pixels / ratio)); };
  Move({logical(std::max(0, (screen.width - width) / 2)),
        logical(std::max(0, (screen.height - height) / 2)), logical(width), logical(height)});
  pane_->Move({Short(width - pane_size_.width), 0, pane_size_.width, Short(height)});
  Invalidate();
}

void WEdPuz::ScalePicture() {
  scaled_ = std::make_unique<BmpMem>(ScaledWidth(), ScaledHeight());
  // Smooth scaling: dropping scans shows a picture of noise at a quarter.
  const bool half_tone = DibHalfTone();
  SetDibHalfTone(true);
  picture().Draw(scaled_->dc(), 0, 0, kSrcCopy, 0, scale_percent_ * kPercent);
  SetDibHalfTone(half_tone);
  scaled_->dc().Flush();
}

void WEdPuz::SetScale(int percent) {
  scale_percent_ = std::clamp(percent, kScaleMinimum, kScaleMaximum);
  ScalePicture();
  if (track_) {
    const Rect16 part = Selection();
    const double scale = scale_percent_ * kPercent;
    track_->SetRect({Short(Margin() + static_cast<int>(part.x * scale)),
                     Short(Margin() + static_cast<int>(part.y * scale)),
                     Short(static_cast<int>(part.width * scale)),
                     Short(static_cast<int>(part.height * scale))});
  }
  Layout();
  if (pane_) pane_->ShowScale(scale_percent_, StoredWidth(), StoredHeight());
  LevelsChanged();
}

void WEdPuz::SetSelecting(bool selecting) {
  selecting_ = selecting;
  track_.reset();
  if (selecting) {
    // A part to start from: the middle of the picture, half its size.
    selection_ = {Short(picture().width() / 4), Short(picture().height() / 4),
                  Short(picture().width() / 2), Short(picture().height() / 2)};
    const double scale = scale_percent_ * kPercent;
    track_ =
        std::make_unique<TrackRect>(*this, kOutlineColour, 0,
                                    Rect16{Short(Margin() + static_cast<int>(selection_.x * scale)),
                                           Short(Margin() + static_cast<int>(selection_.y * scale)),
                                           Short(static_cast<int>(selection_.width * scale)),
                                           Short(static_cast<int>(selection_.height * scale))});
  } else {
    selection_ = {};
  }
  if (pane_) pane_->ShowScale(scale_percent_, StoredWidth(), StoredHeight());
  LevelsChanged();
}

void WEdPuz::LevelsChanged() {
  if (pane_) pane_->ShowCounts(StoredWidth(), StoredHeight());
  Invalidate(PictureArea());
}

int ScrolledScale(int percent, int action, int position) {
  int scale = percent;
  switch (action) {
    case kScrollLineUp:
      scale = (percent - 1) / kScaleStep * kScaleStep;
      break;
    case kScrollLineDown:
      scale = (percent / kScaleStep + 1) * kScaleStep;
      break;
    case kScrollTop:
      scale = kScaleMinimum;
      break;
    case kScrollBottom:
      scale = kScaleMaximum;
      break;
    default:  // pages and the thumb
      scale = (position + kScaleStep / 2) / kScaleStep * kScaleStep;
      break;
  }
  return std::clamp(scale, kScaleMinimum, kScaleMaximum);
}

void WEdPuz::OnTrack(const TrackPayload& note) {
  if (note.notification != kTrackMoveEnded && note.notification != kTrackResizeEnded) return;
  const Rect16 rect = note.track ? note.track->rect() : Rect16{};
  const double scale = scale_percent_ * kPercent;
  selection_ = {Short(static_cast<int>((rect.x - Margin()) / scale)),
                Short(static_cast<int>((rect.y - Margin()) / scale)),
                Short(static_cast<int>(rect.width / scale)),
                Short(static_cast<int>(rect.height / scale))};
  selection_ = Clipped(selection_, {0, 0, Short(picture().width()), Short(picture().height())});
  if (pane_) pane_->ShowScale(scale_percent_, StoredWidth(), StoredHeight());
  LevelsChanged();
}

void WEdPuz::Paint(DC& dc) {
  const Rect16 area = PictureArea();
  dc.FillRect(area, Brush(background_));
  if (scaled_) {
    dc.Transfer(Margin(), Margin(), ScaledWidth(), ScaledHeight(), scaled_->dc(), 0, 0);
  }
  PaintCut(dc);
}

void WEdPuz::PaintCut(DC& dc) {
  if (!pane_) return;
  const VString text = pane_->LevelText(pane_->current_level());
  if (IsBlank(text.c_str())) return;
  const double scale = scale_percent_ * kPercent;
  const Rect16 part = Selection();
  const Rect16 on_screen{Short(Margin() + static_cast<int>(part.x * scale)),
                         Short(Margin() + static_cast<int>(part.y * scale)), Short(StoredWidth()),
                         Short(StoredHeight())};
  Status ignored;
  const LevelSize level =
      ParseLevelText(text.c_str(), on_screen.width, on_screen.height, false, ignored);
  // More lines than pixels would only fill the picture.
  const int columns = std::min(level.columns, static_cast<int>(on_screen.width));
  const int rows = std::min(level.rows, static_cast<int>(on_screen.height));
  std::vector<Rect16> lines;
  for (int column = 1; column < columns; ++column) {
    lines.push_back({Short(on_screen.x + static_cast<int>(column * level.piece_width)), on_screen.y,
                     1, on_screen.height});
  }
  for (int row = 1; row < rows; ++row) {
    lines.push_back({on_screen.x, Short(on_screen.y + static_cast<int>(row * level.piece_height)),
                     on_screen.width, 1});
  }
  if (!lines.empty()) dc.XorFill(lines, kCutColour);
}

int WEdPuz::Ask(int text, std::uint32_t style) {
  return ShowMessageBox(platform_window(), Text(text), style);
}

void WEdPuz::Cancel() {
  if (Ask(kTextStopMaking, kBoxYesNo | kBoxIconQuestion) == kAnswerYes)
    Destroy(static_cast<int>(kCommandCancel));
}

void WEdPuz::ShowHelp() {
  const Traductor* dictionary = Traductor::Instance();
  const std::string page =
      HelpFilePath(places_.places.program_directory,
                   dictionary ? std::string_view(dictionary->language().c_str()) : "");
  if (!OpenHelpPage(page, kHelpTopicMakePuzzle)) Status(kStatusOpenFailed, page).Report();
}

void WEdPuz::Command(std::uint32_t command) {
  if (command == kCommandOk) {
    Status made = MakeThePuzzle();
    if (made.peek() == 0) {
      Destroy(static_cast<int>(kCommandOk));
    } else if (made.peek() == kStatusQuietCancel) {
      made.MarkHandled();
    } else {
      made.Report();
    }
  } else if (command == kCommandCancel) {
    Cancel();
  } else if (command == kMakeColour) {
    if (PickColour(platform_window(), background_)) Invalidate(PictureArea());
  }
}

void WEdPuz::OnEvent(Event& event) {
  if (event.code == kEventTrackRect) {
    if (const auto* note = event.as<TrackPayload>()) OnTrack(*note);
    event.set_handled();
    return;
  }
  if (track_ && track_->OnEvent(event)) return;
  if (const auto* mouse = event.as<MousePayload>();
      mouse && selecting_ && mouse->subcode == kMouseLeftDown &&
      PictureArea().ContainsPoint(mouse->x, mouse->y)) {
    // A press beside the part draws a new one out from there.
    event.set_handled();
    track_.reset();
    track_ = std::make_unique<TrackRect>(*this, kOutlineColour, kTrackResizeAtStart,
                                         Rect16{Short(mouse->x), Short(mouse->y), 1, 1});
    return;
  }
  if (const auto* key = event.as<KeyPayload>();
      event.code == kEventKey && key && key->kind == KeyKind::kDown && key->virtual_key == kVkF1) {
    event.set_handled();
    ShowHelp();
    return;
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    // The close box asks as Cancel does.
    if (command && (command->id == kCommandClose || command->id == kCommandEndSession)) {
      event.set_handled();
      Cancel();
      return;
    }
  }
  Window::OnEvent(event);
}

}  // namespace cbst
