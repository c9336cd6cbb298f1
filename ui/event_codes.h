// event_codes.h: the numbers of framework events, mouse subcodes and the
// commands every window understands.
#pragma once

#include <cstdint>

namespace cbst {

// Events made from what the window system reports.
inline constexpr std::uint16_t kEventSize = 9;
inline constexpr std::uint16_t kEventMove = 10;
inline constexpr std::uint16_t kEventShow = 11;
inline constexpr std::uint16_t kEventTimer = 18;
inline constexpr std::uint16_t kEventClipboard = 19;
inline constexpr std::uint16_t kEventFilesDropped = 20;
// A Control asks a framework control window which type of control it is.
inline constexpr std::uint16_t kEventControlType = 23;
// The player asked for help (F1): a dialog passes on its help context.
inline constexpr std::uint16_t kEventHelp = 0x21;
inline constexpr std::uint16_t kEventPaint = 100;
inline constexpr std::uint16_t kEventEraseBackground = 101;
inline constexpr std::uint16_t kEventCommand = 103;
inline constexpr std::uint16_t kEventKey = 105;
inline constexpr std::uint16_t kEventMouse = 106;
// A tracking rectangle tells its notification window what happened to it.
inline constexpr std::uint16_t kEventTrackRect = 115;
inline constexpr std::uint16_t kEventCursor = 116;
// A scroll bar of the window moved: which bar, how and where it is now.
inline constexpr std::uint16_t kEventScroll = 117;
inline constexpr std::uint16_t kEventQueued = 119;  // a key or click before anyone sees it
inline constexpr std::uint16_t kEventMissingTemplate = 120;
// A pop-up menu being built asks for an item's accelerator text and icon.
inline constexpr std::uint16_t kEventMenuDecoration = 150;
// The mouse moved over a control, or left one: what the tips go by.
inline constexpr std::uint16_t kEventHover = 151;
// An owner-drawn list asks the height of its lines, and has one drawn.
inline constexpr std::uint16_t kEventMeasureItem = 154;
inline constexpr std::uint16_t kEventDrawItem = 155;
inline constexpr std::uint16_t kEventNonClientButton = 127;
inline constexpr std::uint16_t kEventOther = 199;

// Requests the program sends to its own windows.
inline constexpr std::uint16_t kRequestShow = 4;
inline constexpr std::uint16_t kRequestMoveTo = 6;
inline constexpr std::uint16_t kRequestResize = 7;
inline constexpr std::uint16_t kRequestRectangle = 8;

// Commands every window gets: the close box, and the system ending the
// session (also the request to close).
inline constexpr std::uint32_t kCommandClose = 2;
inline constexpr std::uint32_t kCommandEndSession = 13;

// How a scroll bar moved (ScrollPayload::action).
inline constexpr int kScrollLineUp = 0;  // or left
inline constexpr int kScrollLineDown = 1;
inline constexpr int kScrollPageUp = 2;
inline constexpr int kScrollPageDown = 3;
inline constexpr int kScrollThumbPosition = 4;  // the thumb let go
inline constexpr int kScrollThumbTrack = 5;     // the thumb dragged
inline constexpr int kScrollTop = 6;
inline constexpr int kScrollBottom = 7;

// Event::flags.
inline constexpr std::uint8_t kEventAnswered = 0x01;
inline constexpr std::uint8_t kEventHandled = 0x02;
inline constexpr std::uint8_t kEventSkipNavigation = 0x04;

// Mouse subcodes of kEventMouse.
inline constexpr int kMouseMove = 1;
inline constexpr int kMouseLeftDown = 3;
inline constexpr int kMouseRightDown = 4;
inline constexpr int kMouseMiddleDown = 5;
inline constexpr int kMouseLeftDouble = 6;
inline constexpr int kMouseRightDouble = 7;
inline constexpr int kMouseMiddleDouble = 8;
inline constexpr int kMouseLeftUp = 10;
inline constexpr int kMouseRightUp = 11;
inline constexpr int kMouseMiddleUp = 12;
inline constexpr int kMouseLeftDrag = 13;
inline constexpr int kMouseRightDrag = 14;
inline constexpr int kMouseMiddleDrag = 15;
// A move this far from the press point, in x or y, starts a drag.
inline constexpr int kDragThreshold = 2;

// Key kinds of kEventKey.
enum class KeyKind : std::uint8_t { kDown, kUp, kCharacter };

// Modifier bits of key and mouse events.
inline constexpr std::uint8_t kModShift = 0x01;
inline constexpr std::uint8_t kModControl = 0x02;
inline constexpr std::uint8_t kModAlt = 0x04;

}  // namespace cbst
