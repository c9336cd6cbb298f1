// table_loupe.cpp: the table's loupe: when it may open, following the
// mouse over the table, the boxes and the preview, and its keys.
#include "platform/key_state.h"
#include "play/wloupe.h"
#include "play/wpuz.h"
#include "ui/application.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

// The buttons held now, as the loupe's modes count them.
constexpr std::uint8_t kLeftHeld = 0x10;
constexpr std::uint8_t kRightHeld = 0x20;
constexpr std::uint8_t kMiddleHeld = 0x40;

std::uint8_t ButtonsHeld() {
  std::uint8_t held = 0;
  if (KeyDown(kVirtualLeftButton)) held |= kLeftHeld;
  if (KeyDown(kVirtualRightButton)) held |= kRightHeld;
  if (KeyDown(kVirtualMiddleButton)) held |= kMiddleHeld;
  return held;
}

}  // namespace

WLoupe* WPuz::loupe() {
  Application* application = Application::Instance();
  if (!loupe_ || !application || !application->Holds(loupe_)) return nullptr;
  return loupe_;
}

void WPuz::set_loupe_settings(const LoupeSettings& settings,
                              std::function<void(const LoupeSettings&)> changed) {
  loupe_settings_ = ClampedLoupe(settings);
  loupe_changed_ = std::move(changed);
}

bool WPuz::OpenLoupe(std::uint8_t mode, int x, int y) {
  // A second request puts the open loupe away.
  if (loupe()) {
    CloseLoupe();
    return false;
  }
  LoupeHindrances now;
  now.buttons_held = ButtonsHeld();
  now.modal_open = message_boxes_ > 0;
  now.preview_dragged = preview_dragged_;
  now.tack_carried = play_state.tack.carried();
  now.other_window_active = AnotherWindowActive();
  now.selection = play_state.selection != nullptr;
  if (!exists() || !LoupeMayOpen(now, mode)) return false;
  Application* application = Application::Instance();
  if (!application) return false;
  WLoupe* made = application->Make<WLoupe>(*this, loupe_settings_, mode);
  if (!made->CreateLoupe(x, y)) {
    DestroyWindow(made, 0);
    return false;
  }
  loupe_ = made;
  return true;
}

void WPuz::CloseLoupe() {
  shift_closes_loupe_ = false;
  if (WLoupe* open = loupe()) DestroyWindow(open, 0);
  loupe_ = nullptr;
}

void WPuz::RemakeLoupe() {
  WLoupe* open = loupe();
  if (!open) return;
  const std::uint8_t mode = open->mode();
  const ClientPoint at = open->at();
  DestroyWindow(open, 0);
  loupe_ = nullptr;
  Application* application = Application::Instance();
  WLoupe* made = application->Make<WLoupe>(*this, loupe_settings_, mode);
  if (!made->CreateLoupe(at.x, at.y)) {
    DestroyWindow(made, 0);
    return;
  }
  loupe_ = made;
}

void WPuz::LoupeFollow(int x, int y) {
  if (WLoupe* open = loupe()) open->Follow(x, y);
}

bool WPuz::LoupeKey(const KeyPayload& key) {
  WLoupe* open = loupe();
  if (!open) return false;
  // Shift, the key that opened the loupe, closes it when it is let go
  // alone: held for a "+", it leaves the loupe open.
  if (key.virtual_key == kVkShift) {
    if (key.kind == KeyKind::kDown && !key.repeat) shift_closes_loupe_ = true;
    if (key.kind == KeyKind::kUp && shift_closes_loupe_) CloseLoupe();
    return key.kind == KeyKind::kDown || key.kind == KeyKind::kUp;
  }
  if (key.kind != KeyKind::kDown) return false;
  shift_closes_loupe_ = false;
  switch (ApplyLoupeKey(loupe_settings_, key.virtual_key)) {
    case LoupeKeyEffect::kNotMine:
      return false;
    case LoupeKeyEffect::kNothing:
      return true;
    case LoupeKeyEffect::kClose:
      CloseLoupe();
      return true;
    case LoupeKeyEffect::kResized:
      RemakeLoupe();
      break;
    case LoupeKeyEffect::kZoomed:
      open->Zoom(loupe_settings_.zoom);
      break;
  }
  if (loupe_changed_) loupe_changed_(loupe_settings_);
  return true;
}

}  // namespace cbst
