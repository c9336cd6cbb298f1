// wmuestra.cpp: the preview window: its frame and picture, its drag and
// the ways it is put away.
#include "play/wmuestra.h"

#include <algorithm>

#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "play/wpuz.h"
#include "ui/event_codes.h"
#include "ui/virtual_keys.h"

namespace cbst {

const ClassInfo WMuestra::kClass = {&Window::kClass, "WMuestra"};

WMuestra::WMuestra(WPuz& table) : table_(table) {}

bool WMuestra::CreatePreview(int x, int y) {
  const BmpMem* picture = table_.puz().preview_picture.get();
  if (!picture) return false;
  const Rect16 place{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                     static_cast<std::int16_t>(picture->width() + 2 * kPreviewFrame),
                     static_cast<std::int16_t>(picture->height() + 2 * kPreviewFrame)};
  if (!Create(&table_, place, "", kStyleChild | kStyleHidden)) return false;
  KeepInside();
  return true;
}

void WMuestra::KeepInside() {
  if (!exists()) return;
  const Rect16 table = table_.ClientRect();
  const Rect16 place = WindowRect();
  const int x = std::clamp<int>(place.x, 0, std::max(0, table.width - place.width));
  const int y = std::clamp<int>(place.y, 0, std::max(0, table.height - place.height));
  if (x != place.x || y != place.y)
    Window::Move(
        {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), place.width, place.height});
}

void WMuestra::Move(const Rect16& rect) {
  Window::Move(rect);
  KeepInside();
}

void WMuestra::Paint(DC& dc) {
  const Rect16 whole = ClientRect();
  dc.FillRect(whole, Brush(kPreviewOuterLine));
  dc.FillRect(whole.Grown(-1), Brush(kPreviewInnerLine));
  if (BmpMem* picture = table_.puz().preview_picture.get())
    dc.Transfer(kPreviewFrame, kPreviewFrame, picture->width(), picture->height(), picture->dc(), 0,
                0);
}

bool WMuestra::OnMouse(const MousePayload& mouse) {
  if (moving_) {
    if (mouse.subcode == kMouseLeftUp) {
      moving_ = false;
      SetCapture(false);
    } else if (mouse.subcode == kMouseLeftDrag || mouse.subcode == kMouseMove) {
      const ClientPoint at = MapClientPoint(*this, table_, {mouse.x, mouse.y});
      Rect16 place = WindowRect();
      place.x = static_cast<std::int16_t>(at.x - grip_x_);
      place.y = static_cast<std::int16_t>(at.y - grip_y_);
      Move(place);
    }
    return true;
  }
  switch (mouse.subcode) {
    case kMouseLeftDown:
      grip_x_ = mouse.x;
      grip_y_ = mouse.y;
      moving_ = true;
      SetCapture(true);
      return true;
    case kMouseLeftDouble:
    case kMouseRightDown:
    case kMouseRightDouble:
      table_.HidePreviewWindow();
      return true;
    default:
      return false;
  }
}

void WMuestra::OnEvent(Event& event) {
  switch (event.code) {
    case kEventMouse:
      if (const auto* mouse = event.as<MousePayload>()) {
        const bool taken = OnMouse(*mouse);
        // The loupe looks through the preview too.
        const ClientPoint at = MapClientPoint(*this, table_, {mouse->x, mouse->y});
        table_.LoupeFollow(at.x, at.y);
        if (taken) {
          event.set_handled();
          return;
        }
      }
      break;
    case kEventKey:
      if (const auto* key = event.as<KeyPayload>()) {
        event.set_handled();
        if (table_.LoupeKey(*key)) return;
        if (key->kind == KeyKind::kDown && key->virtual_key == kVkEscape) {
          table_.HidePreviewWindow();
          return;
        }
        // Its own key and the others are the table's (the game puts the
        // preview away first).
        table_.Dispatch(event);
        return;
      }
      break;
    default:
      break;
  }
  Window::OnEvent(event);
}

}  // namespace cbst
