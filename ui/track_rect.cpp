// track_rect.cpp: the tracking rectangle's hit zones, drags and XOR outline.
#include "ui/track_rect.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "gfx/dc.h"
#include "platform/cursors.h"
#include "platform/mouse_buttons.h"
#include "ui/application.h"
#include "ui/window.h"

namespace cbst {
namespace {

// The pen is the outline colour with every colour bit flipped.
constexpr std::uint32_t kPenFlip = 0xFFFFFF;
constexpr int kInnerInset = 2;
constexpr int kCrossArmLimit = 16;  // the cross's arms are at most half of this
// Edges and corners can be grabbed this far either side of them; nothing
// this far outside the rectangle is a hit.
constexpr int kBandHalf = 4;
constexpr int kHitReach = 8;

constexpr std::uint8_t kHorizontalEdges = kTrackHitLeft | kTrackHitRight;
constexpr std::uint8_t kVerticalEdges = kTrackHitTop | kTrackHitBottom;

Rect16 MakeRect(int x, int y, int width, int height) {
  return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
          static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)};
}

Rect16 Normalised(const Rect16& rect) {
  int x = rect.x;
  int y = rect.y;
  int width = rect.width;
  int height = rect.height;
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  return MakeRect(x, y, width, height);
}

// The pixels the outline inverts, as rectangles that may overlap.
class OutlineShape {
 public:
  void AddFrame(const Rect16& rect) {
    if (rect.Empty()) return;
    Add(MakeRect(rect.x, rect.y, rect.width, 1));
    Add(MakeRect(rect.x, rect.LastRow(), rect.width, 1));
    Add(MakeRect(rect.x, rect.y, 1, rect.height));
    Add(MakeRect(rect.LastColumn(), rect.y, 1, rect.height));
  }
  void AddCross(const Rect16& rect) {
    if (rect.Empty()) return;
    const int arm = std::min({kCrossArmLimit, int{rect.width}, int{rect.height}}) / 2;
    const int centre_x = rect.x + rect.width / 2;
    const int centre_y = rect.y + rect.height / 2;
    // Kept inside the rectangle, where an even extent has one pixel less
    // on the far side of the centre.
    const int left = centre_x - arm;
    const int top = centre_y - arm;
    Add(MakeRect(left, centre_y, std::min(centre_x + arm, rect.LastColumn()) - left + 1, 1));
    Add(MakeRect(centre_x, top, 1, std::min(centre_y + arm, rect.LastRow()) - top + 1));
  }
  std::span<const Rect16> rects() const { return {rects_.data(), count_}; }

 private:
  void Add(const Rect16& rect) { rects_[count_++] = rect; }
  std::array<Rect16, 10> rects_{};  // two frames and a cross
  std::size_t count_ = 0;
};

// The owner and the notification window are borrowed and may be gone
// (destroyed with their parent, say): they are touched only while held.
bool Alive(const Window* window) {
  const Application* application = Application::Instance();
  return application && application->Holds(window);
}

int CursorFor(std::uint8_t edges) {
  switch (edges) {
    case kTrackHitTopLeft:
    case kTrackHitBottomRight:
      return kCursorSizeNorthWestSouthEast;
    case kTrackHitTopRight:
    case kTrackHitBottomLeft:
      return kCursorSizeNorthEastSouthWest;
    case kTrackHitLeft:
    case kTrackHitRight:
      return kCursorSizeWestEast;
    default:
      return kCursorSizeNorthSouth;
  }
}

// The edge bits of `edges` with left and right (or top and bottom) swapped.
std::uint8_t Swapped(std::uint8_t edges, std::uint8_t pair) {
  const bool either = (edges & pair) != 0;
  return either ? static_cast<std::uint8_t>(edges ^ pair) : edges;
}

}  // namespace

// One context on the owner for a whole step, shown when the step is over; or
// the one already in use (a paint's, or an outer step's).
class TrackRect::Drawing {
 public:
  explicit Drawing(TrackRect& track) : track_(track) {
    if (track.drawing_dc_ || !Alive(track.owner_)) return;
    DrawingSurface* surface = track.owner_->surface();
    if (!surface) return;
    // On the heap: the track points at it while this lives, which GCC 12
    // takes for a dangling pointer to a local when the DC is a member.
    own_ = std::make_unique<DC>(surface, 0u);
    if (own_->valid()) track.drawing_dc_ = own_.get();
  }
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;
  ~Drawing() {
    if (own_ && track_.drawing_dc_ == own_.get()) track_.drawing_dc_ = nullptr;
  }
  DC* dc() const { return track_.drawing_dc_; }

 private:
  TrackRect& track_;
  std::unique_ptr<DC> own_;
};

TrackRect::TrackRect(Window& owner, std::uint32_t colour, std::uint32_t options, const Rect16& rect)
    : rect_(Normalised(rect)), options_(options), owner_(&owner), notify_(&owner), colour_(colour) {
  if (!(options_ & kTrackHiddenAtStart)) Draw();
  if (!MouseButtonDown(MouseButton::kLeft)) return;
  if (options_ & kTrackResizeAtStart) {
    state_ |= kTrackResizing;
    active_edges_ = kTrackHitBottomRight;
    owner_->SetCapture(true);
  } else {
    const ClientPoint at = owner_->CursorPosition();
    Press(at.x, at.y);
  }
}

TrackRect::~TrackRect() {
  if (!Alive(owner_)) return;
  if (state_ & (kTrackMoving | kTrackResizing)) owner_->SetCapture(false);
  if (state_ & kTrackDrawn) Toggle(0);
}

int TrackRect::HitTest(int x, int y) const {
  const int left = rect_.x;
  const int top = rect_.y;
  const int right = rect_.x + rect_.width;
  const int bottom = rect_.y + rect_.height;
  if (x < left - kHitReach || x >= right + kHitReach || y < top - kHitReach ||
      y >= bottom + kHitReach)
    return kTrackHitNone;
  const auto near = [](int at, int line) {
    return at >= line - kBandHalf && at < line + kBandHalf;
  };
  const bool at_left = near(x, left);
  const bool at_right = near(x, right);
  const bool at_top = near(y, top);
  const bool at_bottom = near(y, bottom);
  if (at_left && at_top) return kTrackHitTopLeft;
  if (at_right && at_top) return kTrackHitTopRight;
  if (at_right && at_bottom) return kTrackHitBottomRight;
  if (at_left && at_bottom) return kTrackHitBottomLeft;
  const bool across = x >= left && x < right;
  const bool along = y >= top && y < bottom;
  if (at_top && across) return kTrackHitTop;
  if (at_right && along) return kTrackHitRight;
  if (at_bottom && across) return kTrackHitBottom;
  if (at_left && along) return kTrackHitLeft;
  return across && along ? kTrackHitInside : kTrackHitNone;
}

void TrackRect::SetRect(const Rect16& rect) {
  Change(rect, 0);
}

void TrackRect::SetOwner(Window& owner) {
  if (&owner == owner_) return;
  const bool shown = state_ & kTrackDrawn;
  Erase();
  const ClientPoint origin = MapClientPoint(*owner_, owner, {rect_.x, rect_.y});
  if (state_ & (kTrackMoving | kTrackResizing)) {
    owner_->SetCapture(false);
    owner.SetCapture(true);
  }
  owner_ = &owner;
  // The same place in other coordinates: not a movement.
  rect_ = MakeRect(origin.x, origin.y, rect_.width, rect_.height);
  if (shown) Draw();
}

void TrackRect::Show() {
  // A paint in progress draws it back when it ends.
  if (painting_ > 0 && redraw_after_paint_) return;
  Draw();
}

void TrackRect::Hide() {
  redraw_after_paint_ = false;
  Erase();
}

void TrackRect::Enable() {
  state_ &= static_cast<std::uint16_t>(~kTrackDisabled);
}

void TrackRect::Disable() {
  state_ |= kTrackDisabled;
  if (state_ & (kTrackMoving | kTrackResizing)) EndDrag();
}

bool TrackRect::OnEvent(Event& event) {
  bool taken = false;
  switch (event.code) {
    case kEventEraseBackground:
      // The outline goes before the background is drawn over it; the paint
      // that follows draws it back.
      if (const auto* paint = event.as<PaintPayload>();
          paint && paint->dc && painting_ == 0 && (state_ & kTrackDrawn)) {
        DC* previous = std::exchange(drawing_dc_, paint->dc);
        Erase();
        redraw_after_paint_ = true;
        drawing_dc_ = previous;
      }
      return false;
    case kEventPaint:
      if (const auto* paint = event.as<PaintPayload>(); paint && paint->dc && painting_ == 0) {
        PaintGuard guard(*this, *paint->dc);
        owner_->OnEvent(event);  // comes back here nested, and passes through
        taken = true;
      }
      break;
    case kEventCursor:
      if (const auto* point = event.as<PointPayload>()) taken = SetCursor(point->x, point->y);
      break;
    case kEventMouse: {
      const auto* mouse = event.as<MousePayload>();
      if (!mouse || (state_ & kTrackDisabled)) break;
      const bool dragging = state_ & (kTrackMoving | kTrackResizing);
      if (mouse->subcode == kMouseLeftDown && !dragging) {
        taken = Press(mouse->x, mouse->y);
      } else if ((mouse->subcode == kMouseLeftDrag || mouse->subcode == kMouseMove) && dragging) {
        Drag(mouse->x, mouse->y);
        taken = true;
      } else if (mouse->subcode == kMouseLeftUp && dragging) {
        Release();
        taken = true;
      }
      break;
    }
    default:
      break;
  }
  if (taken) event.set_handled();
  return taken;
}

TrackRect::PaintGuard::PaintGuard(TrackRect& track, DC& dc)
    : track_(track), previous_dc_(track.drawing_dc_) {
  track_.drawing_dc_ = &dc;
  if (track_.painting_++ == 0 && (track_.state_ & kTrackDrawn)) {
    track_.Erase();
    track_.redraw_after_paint_ = true;
  }
}

TrackRect::PaintGuard::~PaintGuard() {
  if (--track_.painting_ == 0 && track_.redraw_after_paint_) {
    track_.redraw_after_paint_ = false;
    track_.Draw();
  }
  track_.drawing_dc_ = previous_dc_;
}

TrackRect::Grab TrackRect::GrabFor(int hit) const {
  Grab grab;
  if (hit == kTrackHitNone) return grab;
  const bool edge = hit != kTrackHitInside;
  const bool corner = edge && (hit & kHorizontalEdges) && (hit & kVerticalEdges);
  if (edge && !(options_ & kTrackMoveOnly)) {
    const bool fixed = (hit & kHorizontalEdges) ? (options_ & kTrackFixedWidth) != 0
                                                : (options_ & kTrackFixedHeight) != 0;
    if (corner || !fixed) grab.edges = static_cast<std::uint8_t>(hit);
  }
  const bool moves = hit == kTrackHitInside || (options_ & kTrackEveryPressMoves) ||
                     (options_ & kTrackMoveOnly) ||
                     ((options_ & kTrackTopEdgeMoves) && hit == kTrackHitTop);
  if (moves && !(options_ & kTrackNoMove)) {
    grab.move = true;
    grab.edges = 0;
  }
  return grab;
}

bool TrackRect::Press(int x, int y) {
  const int hit = HitTest(x, y);
  const bool on_edge = hit != kTrackHitNone && hit != kTrackHitInside;
  if (Notify(on_edge ? kTrackPressedOnEdge : kTrackPressed)) return false;
  const Grab grab = GrabFor(hit);
  if (!grab.move && !grab.edges) return false;
  state_ &= static_cast<std::uint16_t>(~(kTrackWasMoved | kTrackWasResized));
  if (grab.move) {
    state_ |= kTrackMoving;
    active_edges_ = 0;
    grab_x_ = x - rect_.x;
    grab_y_ = y - rect_.y;
  } else {
    state_ |= kTrackResizing;
    active_edges_ = grab.edges;
    const int edge_x = (grab.edges & kTrackHitLeft) ? rect_.x : rect_.x + rect_.width;
    const int edge_y = (grab.edges & kTrackHitTop) ? rect_.y : rect_.y + rect_.height;
    grab_x_ = (grab.edges & kHorizontalEdges) ? x - edge_x : 0;
    grab_y_ = (grab.edges & kVerticalEdges) ? y - edge_y : 0;
  }
  owner_->SetCapture(true);
  return true;
}

void TrackRect::Drag(int x, int y) {
  if (options_ & kTrackCollapseMoves) {
    const ClientPoint now = owner_->CursorPosition();
    x = now.x;
    y = now.y;
  }
  const int to_x = x - grab_x_;
  const int to_y = y - grab_y_;
  if (state_ & kTrackMoving) {
    const Rect16 moved =
        MakeRect((options_ & kTrackLockX) ? rect_.x : to_x,
                 (options_ & kTrackLockY) ? rect_.y : to_y, rect_.width, rect_.height);
    if (moved == rect_) return;
    Change(moved, kTrackMoved);
    state_ |= kTrackWasMoved;
    return;
  }
  int left = rect_.x;
  int top = rect_.y;
  int right = rect_.x + rect_.width;
  int bottom = rect_.y + rect_.height;
  if (active_edges_ & kTrackHitLeft) left = to_x;
  if (active_edges_ & kTrackHitRight) right = to_x;
  if (active_edges_ & kTrackHitTop) top = to_y;
  if (active_edges_ & kTrackHitBottom) bottom = to_y;
  // An edge dragged past the opposite one becomes that one.
  if (right < left) {
    std::swap(left, right);
    active_edges_ = Swapped(active_edges_, kHorizontalEdges);
  }
  if (bottom < top) {
    std::swap(top, bottom);
    active_edges_ = Swapped(active_edges_, kVerticalEdges);
  }
  const Rect16 resized = MakeRect(left, top, right - left, bottom - top);
  if (resized == rect_) return;
  Change(resized, kTrackResized);
  state_ |= kTrackWasResized;
}

void TrackRect::Release() {
  const bool moved = state_ & kTrackWasMoved;
  const bool resized = state_ & kTrackWasResized;
  EndDrag();
  if (moved) Notify(kTrackMoveEnded);
  if (resized) Notify(kTrackResizeEnded);
  if (!moved && !resized) Notify(kTrackClicked);
}

void TrackRect::EndDrag() {
  const auto at_rest = [this] {
    state_ &= static_cast<std::uint16_t>(~(kTrackMoving | kTrackResizing));
    active_edges_ = 0;
  };
  if ((state_ & (kTrackWasMoved | kTrackWasResized)) && (state_ & kTrackDrawn)) {
    // Erased while still dragged and drawn again at rest, so that the
    // notification window can take away what it draws only during drags.
    const Drawing drawing(*this);
    Erase();
    at_rest();
    Draw();
  } else {
    at_rest();
  }
  owner_->SetCapture(false);
}

bool TrackRect::SetCursor(int x, int y) {
  if ((state_ & kTrackDisabled) || (options_ & kTrackLeaveCursor)) return false;
  Grab grab;
  if (state_ & (kTrackMoving | kTrackResizing)) {
    grab = {active_edges_, (state_ & kTrackMoving) != 0};
  } else {
    grab = GrabFor(HitTest(x, y));
  }
  if (!grab.move && !grab.edges) return false;
  SetWindowCursor(owner_->platform_window(), grab.move ? kCursorMove : CursorFor(grab.edges));
  return true;
}

void TrackRect::Place(const Rect16& rect) {
  const Rect16 placed = Normalised(rect);
  moved_x_ += placed.x - rect_.x;
  moved_y_ += placed.y - rect_.y;
  rect_ = placed;
}

void TrackRect::Change(const Rect16& rect, int notification) {
  if (!(state_ & kTrackDrawn)) {
    Place(rect);
    if (notification) Notify(notification);
    return;
  }
  const Drawing drawing(*this);
  Erase();
  Place(rect);
  if (notification) Notify(notification);
  Draw();
}

void TrackRect::Erase() {
  if (state_ & kTrackDrawn) Toggle(kTrackErased);
}

void TrackRect::Draw() {
  if (!(state_ & kTrackDrawn)) Toggle(kTrackDrawnOn);
}

void TrackRect::Toggle(int notification) {
  const Drawing drawing(*this);
  if (DC* dc = drawing.dc()) ToggleOn(*dc, notification);
}

void TrackRect::ToggleOn(DC& dc, int notification) {
  OutlineShape outline;
  if (!(options_ & kTrackNoOutline)) outline.AddFrame(rect_);
  if (options_ & kTrackInnerOutline) outline.AddFrame(rect_.Grown(-kInnerInset));
  if (options_ & kTrackCentreCross) outline.AddCross(rect_);
  dc.XorFill(outline.rects(), colour_ ^ kPenFlip);
  // The receiver may paint the window before this context draws again.
  dc.Flush();
  state_ ^= kTrackDrawn;
  if (notification) Notify(notification, &dc);
}

bool TrackRect::Notify(int notification, DC* dc) {
  if (!Alive(notify_)) return false;
  Event event = MakeEvent(kEventTrackRect, TrackPayload{notification, this, dc, false});
  notify_->Dispatch(event);
  const auto* answer = event.as<TrackPayload>();
  return answer && answer->skip;
}

}  // namespace cbst
