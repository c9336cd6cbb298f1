// event.h: Event, what a window is told: a code, its target and a payload.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/rect16.h"
#include "ui/event_codes.h"
#include "ui/program_pictures.h"

namespace cbst {

class DC;
class TrackRect;
class Window;

struct MousePayload {
  int subcode = kMouseMove;
  int x = 0;  // client coordinates
  int y = 0;
  std::uint8_t modifiers = 0;
};

struct KeyPayload {
  KeyKind kind = KeyKind::kDown;
  int virtual_key = 0;
  char32_t character = 0;  // for kCharacter
  std::uint8_t modifiers = 0;
  bool extended = false;  // the grey keys beside the keypad, keypad Enter and /
  bool system = false;    // with Alt held
  bool repeat = false;
};

struct CommandPayload {
  std::uint32_t id = 0;
  std::intptr_t parameter = 0;
};

struct TimerPayload {
  int id = 0;
  std::uint32_t clock = 0;  // the millisecond clock when it fired
};

struct PaintPayload {
  DC* dc = nullptr;
  Rect16 rect;  // what needs painting, in client coordinates
};

struct SizePayload {
  int width = 0;
  int height = 0;
};

struct PointPayload {
  int x = 0;
  int y = 0;
};

struct ShowPayload {
  bool shown = false;  // kEventShow: shown or hidden now
  int command = 1;     // kRequestShow: kShowHide, kShowNormal, ...
};

struct FilesPayload {
  std::vector<std::string> files;  // the system's path bytes
};

// kEventOther for the program as a whole becoming active or inactive.
struct ActivationPayload {
  bool active = false;
};

struct RectanglePayload {
  int kind = 0;  // which rectangle a kRequestRectangle asks for
  Rect16 rect;   // the answer
};

// kEventTrackRect: which change (kTrackMoved, ...) and the rectangle; the
// outline's DC with kTrackErased and kTrackDrawn. A receiver of a press
// (kTrackPressed, kTrackPressedOnEdge) sets `skip` to keep the rectangle
// from taking it.
struct TrackPayload {
  int notification = 0;
  TrackRect* track = nullptr;
  DC* dc = nullptr;
  bool skip = false;
};

// kEventHover: the control under the mouse (id 0 when the mouse has left
// the controls), where it lies and where the mouse is, both in the client
// area of the window the control lives in, the control's own tip text
// (Windows-1252; empty when it has none), and that window.
struct HoverPayload {
  int control_id = 0;
  Rect16 control;
  int x = 0;
  int y = 0;
  std::string tip;
  Window* window = nullptr;
};

// kEventMenuDecoration: the item's command, and what the receiver answers
// by setting the event's handled flag: the accelerator text
// (Windows-1252, shown at the right) and the icon, either may stay empty.
struct MenuDecorationPayload {
  std::uint32_t command = 0;
  std::string accelerator;
  ProgramPicture icon;
};

// kEventControlType: the window answers with its control type (kControlText,
// ...) and the handled flag.
struct ControlTypePayload {
  int type = 0;
};

// kEventScroll: the scroll bar's control id, how it moved (kScrollLineUp,
// ...) and its position after the move.
struct ScrollPayload {
  int control_id = 0;
  int action = 0;
  int position = 0;
};

// kEventMeasureItem and kEventDrawItem of an owner-drawn list: the list's
// control id, the line's index and data. Measuring answers `height` (with
// the handled flag); drawing draws `rect` of `dc`, the line selected or
// holding the keyboard focus as the flags say.
struct OwnerDrawPayload {
  int control_id = 0;
  int item = -1;
  std::intptr_t data = 0;
  DC* dc = nullptr;
  Rect16 rect;
  bool selected = false;
  bool focused = false;
  int height = 0;
};

// kEventHelp: the help context asked for, and the control that had the
// keyboard (0 for none).
struct HelpPayload {
  int context = 0;
  int control_id = 0;
};

using EventPayload = std::variant<std::monostate, MousePayload, KeyPayload, CommandPayload,
                                  TimerPayload, PaintPayload, SizePayload, PointPayload,
                                  ShowPayload, FilesPayload, RectanglePayload, ActivationPayload,
                                  TrackPayload, HoverPayload, MenuDecorationPayload,
                                  ControlTypePayload, ScrollPayload, OwnerDrawPayload, HelpPayload>;

struct Event {
  std::uint16_t code = 0;
  Window* target = nullptr;
  std::uint8_t flags = 0;
  EventPayload payload;

  bool handled() const { return (flags & kEventHandled) != 0; }
  void set_handled() { flags |= kEventHandled; }

  template <typename Payload>
  Payload* as() {
    return std::get_if<Payload>(&payload);
  }
};

inline Event MakeEvent(std::uint16_t code, EventPayload payload = {}) {
  Event event;
  event.code = code;
  event.payload = std::move(payload);
  return event;
}

}  // namespace cbst
