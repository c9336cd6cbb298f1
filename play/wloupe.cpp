// wloupe.cpp: the loupe's window: following the mouse, composing what lies
// under it and magnifying that into its view.
#include "play/wloupe.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "platform/display.h"
#include "play/box_windows.h"
#include "play/wbox.h"
#include "play/wmuestra.h"
#include "play/wpuz.h"
#include "puzzle/piece_box.h"

namespace cbst {
namespace {

constexpr std::uint32_t kLoupeStyle =
    kStyleChild | kStyleFramed | kStyleMouseThrough | kStyleHidden;
// What lies beyond the table's edges, and the frames of the windows over
// it, as the loupe shows them.
constexpr std::uint32_t kBeyondTable = 0x000000;
constexpr std::uint32_t kWindowFrame = 0xC0C0C0;
// The multiplication sign in the program's character set.
constexpr char kTimes = '\xD7';

Rect16 Intersection(const Rect16& one, const Rect16& other) {
  const int left = std::max<int>(one.x, other.x);
  const int top = std::max<int>(one.y, other.y);
  const int right = std::min(one.x + one.width, other.x + other.width);
  const int bottom = std::min(one.y + one.height, other.y + other.height);
  if (right <= left || bottom <= top) return {};
  return {static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
          static_cast<std::int16_t>(right - left), static_cast<std::int16_t>(bottom - top)};
}

// The loupe keeps its size on the screen: on a table that counts device
// pixels its side and frame grow by the screen's ratio, and it shows as
// many of the picture's pixels as it has of its own.
LoupeSettings OnScreen(const LoupeSettings& settings) {
  return {ChromePixels(settings.size), settings.zoom};
}

Rect16 PlaceOnScreen(const LoupeSettings& settings, int x, int y) {
  return LoupeWindowRect(OnScreen(settings), x, y, ChromePixels(kLoupeFrameExtra));
}

}  // namespace

const ClassInfo WLoupe::kClass = {&Window::kClass, "WLoupe"};

WLoupe::WLoupe(WPuz& table, const LoupeSettings& settings, std::uint8_t mode)
    : table_(table), settings_(ClampedLoupe(settings)), mode_(mode) {}

bool WLoupe::CreateLoupe(int x, int y) {
  x_ = x;
  y_ = y;
  const Rect16 place = PlaceOnScreen(settings_, x, y);
  if (!Create(&table_, place, "", kLoupeStyle)) return false;
  const ClientPoint origin = MapClientPoint(*this, table_, {0, 0});
  client_offset_ = {origin.x - place.x, origin.y - place.y};
  const Rect16 client = ClientRect();
  view_ = MakeBmpMem(std::max<int>(client.width, 1), std::max<int>(client.height, 1));
  MakeScene();
  UpdateTitle();
  Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
  Dispatch(show);
  Raise();
  Look();
  return true;
}

void WLoupe::MakeScene() {
  const Rect16 client = ClientRect();
  // The mouse lies size / 2 inside the window's top left.
  const int half = OnScreen(settings_).size / 2;
  fixed_ = {half - client_offset_.x, half - client_offset_.y};
  const Rect16 source =
      MagnifiedSource(0, 0, settings_.zoom, client.width, client.height, fixed_.x, fixed_.y);
  scene_ = MakeBmpMem(std::max<int>(source.width, 1), std::max<int>(source.height, 1));
}

void WLoupe::UpdateTitle() {
  std::string title(1, kTimes);
  title += std::to_string(std::lround(settings_.zoom));
  SetTitle(title);
}

void WLoupe::Zoom(double zoom) {
  settings_.zoom = zoom;
  MakeScene();
  UpdateTitle();
  Look();
}

void WLoupe::Follow(int x, int y) {
  if (x == x_ && y == y_) return;
  x_ = x;
  y_ = y;
  Move(PlaceOnScreen(settings_, x, y));
  Look();
}

void WLoupe::MarkStale() {
  stale_ = true;
  Invalidate();
}

void WLoupe::Look() {
  Magnified();
  Invalidate();
}

void WLoupe::Magnified() {
  stale_ = false;
  if (!view_ || !scene_) return;
  const Rect16 client = ClientRect();
  // The mouse keeps its place in the loupe, whatever the window's frame.
  const Rect16 source =
      MagnifiedSource(x_, y_, settings_.zoom, client.width, client.height, fixed_.x, fixed_.y);
  Compose(source);
  scene_->dc().Flush();
  view_->dc().Flush();
  Magnify(scene_->pixels(), x_ - source.x, y_ - source.y, settings_.zoom, view_->pixels(), fixed_.x,
          fixed_.y, kBeyondTable);
}

void WLoupe::Compose(const Rect16& area) {
  DC& scene = scene_->dc();
  const Rect16 whole{0, 0, static_cast<std::int16_t>(scene_->width()),
                     static_cast<std::int16_t>(scene_->height())};
  const Rect16 table{0, 0, static_cast<std::int16_t>(table_.width()),
                     static_cast<std::int16_t>(table_.height())};
  const Rect16 seen = Intersection(area, table);
  if (seen.width != area.width || seen.height != area.height)
    scene.FillRect(whole, Brush(kBeyondTable));
  if (!seen.Empty())
    scene.Transfer(seen.x - area.x, seen.y - area.y, seen.width, seen.height,
                   table_.back_buffer().dc(), seen.x, seen.y);
  // The boxes lie over the table, the one raised last on top.
  BoxWindows& boxes = table_.boxes();
  boxes_in_order_.clear();
  for (int box = 0; box < boxes.count(); ++box)
    if (WBox* window = boxes.window(box); window && window->visible())
      boxes_in_order_.push_back(window);
  std::sort(boxes_in_order_.begin(), boxes_in_order_.end(), [](const WBox* one, const WBox* other) {
    return one->raised_at() < other->raised_at();
  });
  for (WBox* window : boxes_in_order_)
    ComposeBox(*window, area);
  // The preview window over them all.
  WMuestra* preview = table_.preview_window();
  BmpMem* picture = table_.puz().preview_picture.get();
  if (preview && preview->shown() && picture) {
    const Rect16 place = preview->WindowRect();
    const Rect16 frame = Intersection(place, area);
    if (!frame.Empty()) {
      scene.FillRect({static_cast<std::int16_t>(frame.x - area.x),
                      static_cast<std::int16_t>(frame.y - area.y), frame.width, frame.height},
                     Brush(kPreviewOuterLine));
      const Rect16 shown = Intersection(place.Grown(-kPreviewFrame), area);
      if (!shown.Empty())
        scene.Transfer(shown.x - area.x, shown.y - area.y, shown.width, shown.height, picture->dc(),
                       shown.x - place.x - kPreviewFrame, shown.y - place.y - kPreviewFrame);
    }
  }
}

void WLoupe::ComposeBox(WBox& box, const Rect16& area) {
  DC& scene = scene_->dc();
  const Rect16 outer = Intersection(box.WindowRect(), area);
  if (outer.Empty()) return;
  const PieceBox& data = *box.Box();
  const Rect16 in_scene{static_cast<std::int16_t>(outer.x - area.x),
                        static_cast<std::int16_t>(outer.y - area.y), outer.width, outer.height};
  if (data.closed()) {
    scene.FillRect(in_scene, Brush(data.colour & 0xFFFFFF));
    return;
  }
  scene.FillRect(in_scene, Brush(kWindowFrame));
  BmpMem* buffer = box.back_buffer();
  const Rect16 client = box.ClientOnTable();
  const Rect16 inside = Intersection(client, area);
  if (!buffer || inside.Empty()) return;
  scene.Transfer(inside.x - area.x, inside.y - area.y, inside.width, inside.height, buffer->dc(),
                 inside.x - client.x, inside.y - client.y);
}

void WLoupe::Paint(DC& dc) {
  if (stale_) Magnified();
  const Rect16 area = dc.paint_rectangle();
  if (!view_ || area.width <= 0 || area.height <= 0) return;
  dc.Transfer(area.x, area.y, area.width, area.height, view_->dc(), area.x, area.y);
}

}  // namespace cbst
