// track_rect_test.cpp: the tracking rectangle on an offscreen window: its hit
// zones, drags, what it tells its window and the outline it leaves.
#include "ui/track_rect.h"

#include <gtest/gtest.h>
#include <QTest>

#include <memory>

#include "gfx/dc.h"
#include "gfx/drawing_surface_qt.h"
#include "platform/cursors.h"
#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/mouse_capture_qt.h"

namespace cbst {
namespace {

constexpr std::uint32_t kPaintColour = 0x336699;
constexpr QRgb kInverted = 0xFFFFFF;  // a black outline's pen inverts every bit

// Hands its events to its rectangle first, paints its left side and keeps
// what the rectangle tells it.
class Owner : public Window {
 public:
  void OnEvent(Event& event) override {
    if (auto* note = event.as<TrackPayload>(); note && event.code == kEventTrackRect) {
      notifications.push_back(note->notification);
      note->skip = note->notification == veto;
      return;
    }
    const bool taken = track && track->OnEvent(event);
    if (event.code == kEventMouse && !taken) ++mice_left_over;
    if (!taken) Window::OnEvent(event);
  }
  void Paint(DC& dc) override {
    ++paints;
    dc.FillRect({0, 0, 100, 150}, Brush(kPaintColour));
  }

  std::unique_ptr<TrackRect> track;
  std::vector<int> notifications;
  int veto = -1;
  int paints = 0;
  int mice_left_over = 0;
};

class TrackRectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = application_.Make<Owner>();
    ASSERT_TRUE(owner_->Create(nullptr, {40, 40, 200, 150}, "Track"));
    widget_ = WidgetOf(owner_->platform_window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget_));
    background_ = Pixels();
  }

  TrackRect& Make(std::uint32_t options, const Rect16& rect = {50, 40, 60, 30}) {
    owner_->track = std::make_unique<TrackRect>(*owner_, 0, options, rect);
    return *owner_->track;
  }
  void Mouse(int subcode, int x, int y) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, 0});
    owner_->Dispatch(event);
  }
  void Drag(int from_x, int from_y, int to_x, int to_y) {
    Mouse(kMouseLeftDown, from_x, from_y);
    Mouse(kMouseLeftDrag, to_x, to_y);
    Mouse(kMouseLeftUp, to_x, to_y);
  }
  QImage Pixels() const { return owner_->surface()->Image()->copy(); }
  // The background with one plain outline of `rect` inverted on it.
  QImage WithOutline(const Rect16& rect) const {
    QImage expected = background_.copy();
    for (int y = rect.y; y <= rect.LastRow(); ++y) {
      for (int x = rect.x; x <= rect.LastColumn(); ++x) {
        const bool edge =
            x == rect.x || y == rect.y || x == rect.LastColumn() || y == rect.LastRow();
        if (edge) expected.setPixel(x, y, expected.pixel(x, y) ^ kInverted);
      }
    }
    return expected;
  }

  testing::TestApplication application_;
  Owner* owner_ = nullptr;
  QWidget* widget_ = nullptr;
  QImage background_;
};

TEST_F(TrackRectTest, HitZonesAreEightPixelsAcrossEachEdgeAndCorner) {
  // Left line 50, right line 110, top line 40, bottom line 70.
  const TrackRect& track = Make(kTrackHiddenAtStart);
  const struct {
    int x, y, hit;
  } cases[] = {
      {50, 40, kTrackHitTopLeft},      {46, 36, kTrackHitTopLeft}, {53, 43, kTrackHitTopLeft},
      {54, 44, kTrackHitInside},       {45, 40, kTrackHitNone},    {110, 40, kTrackHitTopRight},
      {113, 73, kTrackHitBottomRight}, {114, 73, kTrackHitNone},   {50, 70, kTrackHitBottomLeft},
      {80, 36, kTrackHitTop},          {80, 35, kTrackHitNone},    {80, 43, kTrackHitTop},
      {80, 44, kTrackHitInside},       {106, 55, kTrackHitRight},  {105, 55, kTrackHitInside},
      {80, 66, kTrackHitBottom},       {46, 55, kTrackHitLeft},    {0, 0, kTrackHitNone},
  };
  for (const auto& each : cases)
    EXPECT_EQ(track.HitTest(each.x, each.y), each.hit) << each.x << "," << each.y;
}

TEST_F(TrackRectTest, ARightEdgeDraggedPastTheLeftBecomesTheLeftEdge) {
  TrackRect& track = Make(0);
  Mouse(kMouseLeftDown, 110, 55);
  EXPECT_EQ(MouseCaptor(), widget_);
  Mouse(kMouseLeftDrag, 30, 55);
  EXPECT_EQ(track.rect(), (Rect16{30, 40, 20, 30}));
  EXPECT_EQ(track.active_edges(), kTrackHitLeft);
  Mouse(kMouseLeftDrag, 20, 58);  // the old left edge stays where it is
  Mouse(kMouseLeftUp, 20, 58);
  EXPECT_EQ(track.rect(), (Rect16{20, 40, 30, 30}));
  EXPECT_EQ(MouseCaptor(), nullptr);
  EXPECT_EQ(track.state() & (kTrackMoving | kTrackResizing), 0);
  std::erase_if(owner_->notifications,
                [](int note) { return note == kTrackErased || note == kTrackDrawnOn; });
  EXPECT_EQ(owner_->notifications, (std::vector<int>{kTrackPressedOnEdge, kTrackResized,
                                                     kTrackResized, kTrackResizeEnded}));
  EXPECT_EQ(Pixels(), WithOutline(track.rect()));
}

TEST_F(TrackRectTest, APressWithoutMovingIsAClick) {
  TrackRect& track = Make(kTrackHiddenAtStart);
  Mouse(kMouseLeftDown, 70, 55);
  Mouse(kMouseMove, 70, 55);
  Mouse(kMouseLeftUp, 70, 55);
  EXPECT_EQ(owner_->notifications, (std::vector<int>{kTrackPressed, kTrackClicked}));
  EXPECT_EQ(track.rect(), (Rect16{50, 40, 60, 30}));
  EXPECT_EQ(owner_->mice_left_over, 0);
  // A press outside is told but left to the window.
  owner_->notifications.clear();
  Mouse(kMouseLeftDown, 150, 120);
  Mouse(kMouseLeftUp, 150, 120);
  EXPECT_EQ(owner_->notifications, (std::vector<int>{kTrackPressed}));
  EXPECT_EQ(owner_->mice_left_over, 2);
}

TEST_F(TrackRectTest, LockedXMovesOnlyVertically) {
  TrackRect& track = Make(kTrackLockX | kTrackHiddenAtStart);
  Drag(70, 55, 95, 75);
  EXPECT_EQ(track.rect(), (Rect16{50, 60, 60, 30}));
  EXPECT_EQ(owner_->notifications, (std::vector<int>{kTrackPressed, kTrackMoved, kTrackMoveEnded}));
  track.SetRect({45, 60, 10, 10});
  EXPECT_EQ(track.moved_x(), -5);
  EXPECT_EQ(track.moved_y(), 20);
}

TEST_F(TrackRectTest, TheWindowMayRefuseAPress) {
  TrackRect& track = Make(kTrackHiddenAtStart);
  owner_->veto = kTrackPressedOnEdge;
  Drag(110, 55, 150, 55);
  owner_->veto = kTrackPressed;
  Drag(70, 55, 90, 65);
  EXPECT_EQ(track.rect(), (Rect16{50, 40, 60, 30}));
  EXPECT_EQ(owner_->notifications, (std::vector<int>{kTrackPressedOnEdge, kTrackPressed}));
  EXPECT_EQ(owner_->mice_left_over, 6);
}

TEST_F(TrackRectTest, PaintingTheWindowKeepsExactlyOneOutline) {
  // Across the painted left side of the window and the unpainted right.
  TrackRect& track = Make(kTrackHiddenAtStart, {60, 30, 90, 80});
  owner_->Update();
  background_ = Pixels();
  track.Show();
  EXPECT_EQ(Pixels(), WithOutline(track.rect()));
  const int paints = owner_->paints;
  owner_->Update();
  owner_->Update();
  EXPECT_EQ(owner_->paints, paints + 2);  // the nested paint passes through once each
  EXPECT_EQ(Pixels(), WithOutline(track.rect()));
  // Painting of the window's own, outside a paint request.
  {
    DC dc(owner_->surface(), 0);
    const TrackRect::PaintGuard guard(track, dc);
    const TrackRect::PaintGuard nested(track, dc);
  }
  EXPECT_EQ(Pixels(), WithOutline(track.rect()));
  track.Hide();
  EXPECT_EQ(Pixels(), background_);
}

TEST_F(TrackRectTest, InnerOutlineAndCrossComeAndGoWithTheOutline) {
  owner_->Update();
  background_ = Pixels();
  const auto inverted = [&](const QImage& now, int x, int y) {
    return now.pixel(x, y) == (background_.pixel(x, y) ^ kInverted);
  };
  // The cross's arms are half of the smaller side: 5.
  TrackRect& track = Make(kTrackInnerOutline | kTrackCentreCross, {90, 20, 40, 10});
  const QImage drawn = Pixels();
  EXPECT_TRUE(inverted(drawn, 90, 20));
  EXPECT_TRUE(inverted(drawn, 92, 22));  // the inner outline
  EXPECT_TRUE(inverted(drawn, 92, 27));
  EXPECT_TRUE(inverted(drawn, 110, 25));  // the centre, once
  EXPECT_TRUE(inverted(drawn, 105, 25));
  EXPECT_FALSE(inverted(drawn, 104, 25));  // past the arm
  EXPECT_TRUE(inverted(drawn, 110, 20));   // the arm reaches the outline: inverted once
  track.Hide();
  EXPECT_EQ(Pixels(), background_);

  owner_->track = std::make_unique<TrackRect>(*owner_, 0, kTrackNoOutline | kTrackCentreCross,
                                              Rect16{90, 20, 40, 10});
  EXPECT_FALSE(inverted(Pixels(), 90, 20));
  EXPECT_TRUE(inverted(Pixels(), 110, 25));
  owner_->track.reset();  // takes its outline along
  EXPECT_EQ(Pixels(), background_);
}

TEST_F(TrackRectTest, DrawnOutWhileTheButtonIsStillDown) {
  NoteMouseButton(MouseButton::kLeft, true);
  TrackRect& track = Make(kTrackResizeAtStart, {60, 50, 0, 0});
  NoteMouseButton(MouseButton::kLeft, false);
  EXPECT_EQ(track.active_edges(), kTrackHitBottomRight);
  Mouse(kMouseLeftDrag, 90, 80);
  EXPECT_EQ(track.rect(), (Rect16{60, 50, 30, 30}));
  Mouse(kMouseLeftDrag, 40, 30);  // back over the start: the other way round
  Mouse(kMouseLeftUp, 40, 30);
  EXPECT_EQ(track.rect(), (Rect16{40, 30, 20, 20}));
  EXPECT_EQ(owner_->notifications.back(), kTrackResizeEnded);
  EXPECT_EQ(Pixels(), WithOutline(track.rect()));
}

TEST_F(TrackRectTest, TheCursorSaysWhatAPressWouldDo) {
  TrackRect& track = Make(kTrackFixedHeight);
  const auto cursor_at = [&](int x, int y) {
    SetWindowCursor(owner_->platform_window(), kCursorArrow);
    Event event = MakeEvent(kEventCursor, PointPayload{x, y});
    owner_->Dispatch(event);
    return WindowCursor(owner_->platform_window());
  };
  EXPECT_EQ(cursor_at(70, 55), kCursorMove);
  EXPECT_EQ(cursor_at(110, 55), kCursorSizeWestEast);
  EXPECT_EQ(cursor_at(110, 70), kCursorSizeNorthWestSouthEast);
  EXPECT_EQ(cursor_at(110, 40), kCursorSizeNorthEastSouthWest);
  EXPECT_EQ(cursor_at(80, 40), kCursorArrow);  // the top edge stays
  EXPECT_EQ(cursor_at(150, 120), kCursorArrow);
  track.Disable();
  EXPECT_EQ(cursor_at(70, 55), kCursorArrow);
}

TEST_F(TrackRectTest, AnotherOwnerKeepsThePlaceOnScreen) {
  auto* child = application_.Make<Owner>();
  ASSERT_TRUE(child->Create(owner_, {30, 20, 120, 100}, "", kStyleChild));
  TrackRect& track = Make(0);
  track.SetOwner(*child);
  EXPECT_EQ(track.rect(), (Rect16{20, 20, 60, 30}));
  EXPECT_EQ(track.moved_x(), 0);
  EXPECT_EQ(Pixels(), background_);
  track.set_notify_window(*child);
  track.SetRect({25, 20, 60, 30});
  EXPECT_EQ(child->notifications, (std::vector<int>{kTrackErased, kTrackDrawnOn}));
}

}  // namespace
}  // namespace cbst
