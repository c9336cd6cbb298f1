// selection_gestures.cpp: the rubber band on a window of pieces: drawing it
// out with Ctrl held, the events it takes, its menu, and its end.
#include <cstdlib>

#include "platform/cursors.h"
#include "platform/key_state.h"
#include "play/wspuz.h"
#include "text/traductor.h"
#include "ui/event_codes.h"
#include "ui/pop_menu.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr int kKeyR = 'R';

}  // namespace

bool SelectionKeyHeld(std::uint8_t modifiers) {
  return (modifiers & (kModControl | kModShift | kModAlt)) == kModControl || KeyDown(kVkReturn);
}

void WSPuz::MaybeStartSelection(int x, int y, std::uint8_t modifiers) {
  if (play_.selection || play_.gesture_running || board_.piece_count() == 0 ||
      !SelectionKeyHeld(modifiers))
    return;
  const int dx = x - play_.press_x;
  const int dy = y - play_.press_y;
  if (std::abs(dx) + std::abs(dy) <= kSelectionStart) return;
  const Rect16 rect{static_cast<std::int16_t>(std::min(x, play_.press_x)),
                    static_cast<std::int16_t>(std::min(y, play_.press_y)),
                    static_cast<std::int16_t>(std::abs(dx)),
                    static_cast<std::int16_t>(std::abs(dy))};
  play_.selection = std::make_unique<MultiSPuzs>(*this, board_, window_, rect);
}

bool WSPuz::OnSelectionEvent(MultiSPuzs& selection, Event& event) {
  switch (event.code) {
    case kEventTrackRect:
      if (const auto* track = event.as<TrackPayload>();
          track && (track->notification == kTrackMoved || track->notification == kTrackResized))
        selection.Mark();
      return true;
    case kEventMouse:
      if (const auto* mouse = event.as<MousePayload>();
          mouse && (mouse->subcode == kMouseRightDown || mouse->subcode == kMouseRightDouble)) {
        if (selection.rect().ContainsPoint(mouse->x, mouse->y)) {
          OpenSelectionMenu(selection, mouse->x, mouse->y);
        } else {
          EndSelection();
        }
        return true;
      }
      break;
    case kEventKey:
      if (const auto* key = event.as<KeyPayload>(); key && key->kind == KeyKind::kDown) {
        if (key->virtual_key == kVkEscape) {
          EndSelection();
          return true;
        }
        if (key->virtual_key == kKeyR && (key->modifiers & kModControl))
          return OnSelectionCommand(selection, kCommandSpreadSelection);
      }
      return false;
    case kEventCommand:
      if (const auto* command = event.as<CommandPayload>())
        return OnSelectionCommand(selection, command->id);
      return false;
    case kEventOther:
      if (const auto* activation = event.as<ActivationPayload>(); activation && !activation->active)
        EndSelection();
      return false;
    case kEventCursor: {
      if (selection.track().OnEvent(event)) return true;
      const ClientPoint at = CursorPosition();
      const int piece = board_.HitTest(window_, at.x, at.y);
      if (piece == kNoPiece || !(board_.piece(piece).flags & kPieceSelected)) return false;
      SetWindowCursor(platform_window(), kCursorMove);
      return true;
    }
    default:
      break;
  }
  return selection.track().OnEvent(event);
}

void WSPuz::BuildSelectionMenu(const MultiSPuzs& selection, XPopMenu& menu) {
  menu.Append(kCommandSpreadSelection, ControlText(0, kCommandSpreadSelection), "Ctrl+R");
  if (selection.pinned() < selection.selected())
    menu.Append(kCommandPinSelection, ControlText(0, kCommandPinSelection));
  if (selection.pinned() > 0)
    menu.Append(kCommandUnpinSelection, ControlText(0, kCommandUnpinSelection));
  menu.Append(kCommandHelp, ControlText(0, kCommandHelp));
}

void WSPuz::OpenSelectionMenu(MultiSPuzs& selection, int x, int y) {
  XPopMenu menu;
  BuildSelectionMenu(selection, menu);
  const std::uint32_t chosen = menu.Track(*this, x, y);
  if (chosen == kCommandHelp) {
    RequestHelp(kHelpTopicSelection);
  } else if (chosen != 0) {
    OnSelectionCommand(selection, chosen);
  }
}

bool WSPuz::OnSelectionCommand(MultiSPuzs& selection, std::uint32_t command) {
  switch (command) {
    case kCommandSpreadSelection:
      // The pieces leave the rectangle, and the selection ends with them.
      // The band goes from the screen first: taking it away later would
      // show the window as it was before the pieces moved.
      selection.track().Hide();
      board_.Scatter(window_, true, true, true);
      EndSelection();
      return true;
    case kCommandPinSelection:
      selection.PinAll();
      return true;
    case kCommandUnpinSelection:
      selection.UnpinAll();
      return true;
    default:
      return false;
  }
}

void WSPuz::EndSelection() {
  play_.selection.reset();
  if (exists()) SetWindowCursor(platform_window(), kCursorArrow);
}

}  // namespace cbst
