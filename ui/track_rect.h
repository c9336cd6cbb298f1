// track_rect.h: TrackRect, a rectangle drawn over a window with an inverting
// pen that the player moves by its inside and resizes by its edges.
//
// It is not a window: it draws on its owner and is handed the owner's mouse,
// cursor and paint events by the owner's OnEvent. Every change goes to the
// notification window as a kEventTrackRect event.
#pragma once

#include <cstdint>

#include "base/rect16.h"
#include "ui/event.h"

namespace cbst {

class DC;
class Window;

// Options.
inline constexpr std::uint32_t kTrackInnerOutline = 0x0004;  // a second outline 2 pixels inside
inline constexpr std::uint32_t kTrackCentreCross = 0x0008;
inline constexpr std::uint32_t kTrackNoOutline = 0x0010;
inline constexpr std::uint32_t kTrackMoveOnly = 0x0020;     // no edge or corner can be grabbed
inline constexpr std::uint32_t kTrackFixedWidth = 0x0040;   // left and right edges stay
inline constexpr std::uint32_t kTrackFixedHeight = 0x0080;  // top and bottom edges stay
inline constexpr std::uint32_t kTrackNoMove = 0x0100;
inline constexpr std::uint32_t kTrackLockX = 0x0200;  // moves keep x
inline constexpr std::uint32_t kTrackLockY = 0x0400;  // moves keep y
inline constexpr std::uint32_t kTrackLeaveCursor = 0x1000;
inline constexpr std::uint32_t kTrackTopEdgeMoves = 0x2000;
inline constexpr std::uint32_t kTrackHiddenAtStart = 0x4000;
// A rectangle being drawn out: while the left button is still down at
// creation, its bottom-right corner follows the mouse at once.
inline constexpr std::uint32_t kTrackResizeAtStart = 0x8000;
inline constexpr std::uint32_t kTrackEveryPressMoves = 0x10000;  // anywhere in the hit zone
// Drags follow where the mouse is now rather than each queued move.
inline constexpr std::uint32_t kTrackCollapseMoves = 0x20000;

// Hit codes; the edge bits are also the active edges of a resize.
inline constexpr int kTrackHitNone = 0;
inline constexpr int kTrackHitLeft = 0x01;
inline constexpr int kTrackHitTop = 0x02;
inline constexpr int kTrackHitBottom = 0x04;
inline constexpr int kTrackHitRight = 0x08;
inline constexpr int kTrackHitTopLeft = kTrackHitLeft | kTrackHitTop;
inline constexpr int kTrackHitTopRight = kTrackHitRight | kTrackHitTop;
inline constexpr int kTrackHitBottomRight = kTrackHitRight | kTrackHitBottom;
inline constexpr int kTrackHitBottomLeft = kTrackHitLeft | kTrackHitBottom;
inline constexpr int kTrackHitInside = 0x10;

// State flags.
inline constexpr std::uint16_t kTrackDrawn = 0x01;  // the outline is on the window now
inline constexpr std::uint16_t kTrackMoving = 0x02;
inline constexpr std::uint16_t kTrackResizing = 0x04;
inline constexpr std::uint16_t kTrackWasMoved = 0x10;  // during the present drag
inline constexpr std::uint16_t kTrackWasResized = 0x20;
inline constexpr std::uint16_t kTrackDisabled = 0x40;

// TrackPayload::notification.
inline constexpr int kTrackMoved = 1;
inline constexpr int kTrackResized = 2;
inline constexpr int kTrackMoveEnded = 5;
inline constexpr int kTrackResizeEnded = 6;
inline constexpr int kTrackErased = 7;
inline constexpr int kTrackDrawnOn = 8;
inline constexpr int kTrackPressed = 9;         // inside or elsewhere
inline constexpr int kTrackPressedOnEdge = 10;  // on an edge or a corner
inline constexpr int kTrackClicked = 11;        // released without dragging

class TrackRect {
 public:
  // Draws the outline unless kTrackHiddenAtStart. When the left button is
  // held, the press that made the rectangle carries on: a resize from the
  // bottom-right corner with kTrackResizeAtStart, otherwise a press where
  // the mouse is.
  TrackRect(Window& owner, std::uint32_t colour, std::uint32_t options, const Rect16& rect);
  TrackRect(const TrackRect&) = delete;
  TrackRect& operator=(const TrackRect&) = delete;
  // Takes the outline away, quietly: the notification window may be going
  // too. Nothing is drawn once the owner is gone.
  ~TrackRect();

  const Rect16& rect() const { return rect_; }
  std::uint32_t options() const { return options_; }
  std::uint16_t state() const { return state_; }
  std::uint8_t active_edges() const { return active_edges_; }
  Window& owner() const { return *owner_; }
  Window& notify_window() const { return *notify_; }
  void set_notify_window(Window& window) { notify_ = &window; }
  // How far the origin has moved since the rectangle was made.
  int moved_x() const { return moved_x_; }
  int moved_y() const { return moved_y_; }

  // kTrackHitNone, an edge, a corner or kTrackHitInside for a point in the
  // owner's client area.
  int HitTest(int x, int y) const;
  // Puts the rectangle elsewhere, redrawing the outline if it is shown.
  void SetRect(const Rect16& rect);
  // Draws on `owner` from now on; the rectangle keeps its place on screen.
  void SetOwner(Window& owner);
  void Show();
  void Hide();
  // A disabled rectangle ignores the mouse and leaves the cursor alone.
  void Enable();
  void Disable();

  // For the owner's OnEvent: mouse, cursor and paint events. True when the
  // rectangle took the event and the owner should do nothing more with it.
  // A paint is taken by running the owner's own painting (OnEvent again)
  // between erasing the outline and drawing it back.
  bool OnEvent(Event& event);

  // For an owner that paints outside OnEvent: the outline is taken away
  // while the guard lives and drawn again on `dc` when it goes. Guards nest.
  class PaintGuard {
   public:
    PaintGuard(TrackRect& track, DC& dc);
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    ~PaintGuard();

   private:
    TrackRect& track_;
    DC* previous_dc_;
  };

 private:
  class Drawing;
  // What a press takes hold of.
  struct Grab {
    std::uint8_t edges = 0;
    bool move = false;
  };
  Grab GrabFor(int hit) const;
  bool Press(int x, int y);
  void Drag(int x, int y);
  void Release();
  bool SetCursor(int x, int y);
  // Stores `rect`, normalised, counting how far the origin moved.
  void Place(const Rect16& rect);
  // Moves the outline to `rect`, telling `notification` (if any) between
  // taking the old one away and drawing the new one.
  void Change(const Rect16& rect, int notification);
  void EndDrag();
  // Draws the outline over itself (drawing or erasing it) and tells the
  // notification window `notification`, or nobody with 0.
  void Toggle(int notification);
  void ToggleOn(DC& dc, int notification);
  void Erase();
  void Draw();
  bool Notify(int notification, DC* dc = nullptr);

  Rect16 rect_;
  std::uint32_t options_;
  Window* owner_;
  Window* notify_;
  std::uint16_t state_ = 0;
  std::uint8_t active_edges_ = 0;
  int grab_x_ = 0;
  int grab_y_ = 0;
  std::uint32_t colour_;
  int painting_ = 0;                 // paint guards alive
  bool redraw_after_paint_ = false;  // a guard took a drawn outline away
  DC* drawing_dc_ = nullptr;         // the context drawn on, while there is one
  int moved_x_ = 0;
  int moved_y_ = 0;
};

}  // namespace cbst
