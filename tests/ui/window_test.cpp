// window_test.cpp: framework windows on the offscreen toolkit: the events
// they are told, destroying, the modal loop and placements.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <unistd.h>
#include <filesystem>

#include "base/report.h"
#include "gfx/bmp_mem.h"
#include "gfx/dc.h"
#include "platform/cursors.h"
#include "platform/key_state.h"
#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "platform/profile.h"
#include "support/recording_sink.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/child_frame_qt.h"
#include "ui/placement.h"
#include "ui/pop_menu.h"
#include "ui/virtual_keys.h"
#include "ui/win_wrk.h"

namespace cbst {
namespace {

// Keeps every event it is told, then does what a window does by default.
class Recorder : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  void OnEvent(Event& event) override {
    if (event.code == kEventMouse) mice.push_back(*event.as<MousePayload>());
    if (event.code == kEventMouse && menu_on_right &&
        event.as<MousePayload>()->subcode == kMouseRightDown) {
      // The player closes the menu without choosing.
      QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
      });
      XPopMenu menu;
      menu.Append(1, "One");
      menu.Track(*this, event.as<MousePayload>()->x, event.as<MousePayload>()->y);
      return;
    }
    if (event.code == kEventKey) keys.push_back(*event.as<KeyPayload>());
    if (event.code == kEventTimer) timers.push_back(event.as<TimerPayload>()->id);
    if (event.code == kEventFilesDropped) files = event.as<FilesPayload>()->files;
    if (event.code == kEventPaint) ++paints;
    if (event.code == kEventQueued && event.as<KeyPayload>() &&
        event.as<KeyPayload>()->virtual_key == 'X') {
      ++first_looks;
      event.set_handled();
      return;
    }
    if (event.code == kEventCommand && event.as<CommandPayload>()->id == kCommandClose && keep) {
      event.set_handled();
      return;
    }
    if (event.code == kEventTimer && destroy_on_timer) {
      KillTimer(event.as<TimerPayload>()->id);
      Destroy(42);
      return;
    }
    Window::OnEvent(event);
  }
  std::vector<int> Subcodes() const {
    std::vector<int> codes;
    for (const MousePayload& mouse : mice)
      codes.push_back(mouse.subcode);
    return codes;
  }

  std::vector<MousePayload> mice;
  std::vector<KeyPayload> keys;
  std::vector<int> timers;
  std::vector<std::string> files;
  int paints = 0;
  int first_looks = 0;
  bool keep = false;
  bool destroy_on_timer = false;
  bool menu_on_right = false;  // a right press opens a menu
};
const ClassInfo Recorder::kClass = {&Window::kClass, "Recorder"};

class WindowTest : public ::testing::Test {
 protected:
  Recorder* Open() {
    Recorder* window = application_.Make<Recorder>();
    EXPECT_TRUE(window->Create(nullptr, {40, 40, 320, 200}, "Test", kStyleAcceptsFiles));
    widget_ = WidgetOf(window->platform_window());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widget_));
    return window;
  }

  testing::TestApplication application_;
  QWidget* widget_ = nullptr;
};

TEST_F(WindowTest, ClicksAndDragsArriveWithTheirSubcodes) {
  Recorder* window = Open();
  EXPECT_TRUE(window->IsA(Window::kClass));
  EXPECT_FALSE(window->IsA(Window::kClass, true));
  EXPECT_TRUE(window->IsA(kObjectClass));
  EXPECT_STREQ(window->ClassName(), "Recorder");

  QTest::mouseClick(widget_, Qt::RightButton, Qt::NoModifier, QPoint(30, 40));
  QTest::mouseDClick(widget_, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  std::vector<int> codes = window->Subcodes();
  std::erase(codes, kMouseMove);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[0], kMouseRightDown);
  EXPECT_EQ(codes[1], kMouseRightUp);
  EXPECT_NE(std::find(codes.begin(), codes.end(), kMouseLeftDouble), codes.end());
  EXPECT_EQ(window->mice.back().x, 30);
  EXPECT_EQ(window->mice.back().y, 40);

  // A drag starts only once the mouse is 2 pixels from the press point.
  window->mice.clear();
  QTest::mousePress(widget_, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
  QTest::mouseMove(widget_, QPoint(51, 51));
  QTest::mouseMove(widget_, QPoint(52, 50));
  QTest::mouseMove(widget_, QPoint(50, 50));  // a drag stays one
  QTest::mouseRelease(widget_, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_EQ(window->Subcodes(), (std::vector<int>{kMouseMiddleDown, kMouseMove, kMouseMiddleDrag,
                                                  kMouseMiddleDrag, kMouseMiddleUp}));
}

TEST_F(WindowTest, AfterAMenuOpenedByAPressTheMouseMovesWithoutDragging) {
  Recorder* window = Open();
  window->menu_on_right = true;
  QTest::mousePress(widget_, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  // The menu took the release.
  window->mice.clear();
  QTest::mouseMove(widget_, QPoint(60, 60));
  EXPECT_EQ(window->Subcodes(), std::vector<int>{kMouseMove});
}

TEST_F(WindowTest, TheCaptureKeepsTheMouseWithAChildWithoutAGrabOfTheWindowSystem) {
  Recorder* table = Open();
  Recorder* box = application_.Make<Recorder>();
  ASSERT_TRUE(box->Create(table, {200, 100, 100, 80}, "", kStyleChild));
  box->SetCapture(true);
  // A Wayland compositor refuses a grab to any window but a popup: none is
  // asked for, and the moves over the table still reach the box.
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  QTest::mouseMove(widget_, QPoint(30, 40));
  QTest::mousePress(widget_, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
  QTest::mouseRelease(widget_, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
  EXPECT_TRUE(table->mice.empty());
  std::vector<int> codes = box->Subcodes();
  ASSERT_EQ(codes, (std::vector<int>{kMouseMove, kMouseLeftDown, kMouseLeftUp}));
  EXPECT_EQ(box->mice.front().x, 30 - 200);
  EXPECT_EQ(box->mice.front().y, 40 - 100);

  box->SetCapture(false);
  box->mice.clear();
  QTest::mouseMove(widget_, QPoint(31, 40));
  EXPECT_TRUE(box->mice.empty());
  ASSERT_EQ(table->Subcodes(), std::vector<int>{kMouseMove});
  EXPECT_EQ(table->mice.front().x, 31);
}

TEST_F(WindowTest, AKeyThatClosedAWindowIsNotHeldOnceItHasGone) {
  Open();
  Recorder* dialog = application_.Make<Recorder>();
  ASSERT_TRUE(dialog->Create(nullptr, {80, 80, 200, 100}, "Dialog"));
  QWidget* dialog_widget = WidgetOf(dialog->platform_window());
  NoteMouseButton(MouseButton::kLeft, true);
  QTest::keyPress(dialog_widget, Qt::Key_Return);
  ASSERT_TRUE(KeyDown(kVkReturn));
  // Under Wayland its release goes to no window when the press closed it.
  dialog->Destroy(0);
  EXPECT_FALSE(KeyDown(kVkReturn));
  EXPECT_TRUE(MouseButtonDown(MouseButton::kLeft)) << "a button's release still comes";
  NoteMouseButton(MouseButton::kLeft, false);
}

TEST_F(WindowTest, KeysArriveWithTheirVirtualKeys) {
  Recorder* window = Open();
  const auto key = [&](Qt::Key qt, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window->keys.clear();
    QTest::keyClick(widget_, qt, modifiers);
    return window->keys.front();
  };
  EXPECT_EQ(key(Qt::Key_F1).virtual_key, kVkF1);
  EXPECT_EQ(key(Qt::Key_F12).virtual_key, kVkF1 + 11);
  // The keypad with Num Lock on gives its digits, with it off the moves.
  EXPECT_EQ(key(Qt::Key_5, Qt::KeypadModifier).virtual_key, kVkNumpad0 + 5);
  const KeyPayload keypad_home = key(Qt::Key_Home, Qt::KeypadModifier);
  EXPECT_EQ(keypad_home.virtual_key, kVkHome);
  EXPECT_FALSE(keypad_home.extended);
  EXPECT_EQ(key(Qt::Key_Clear, Qt::KeypadModifier).virtual_key, kVkClear);
  EXPECT_EQ(key(Qt::Key_Comma, Qt::KeypadModifier).virtual_key, kVkSeparator);
  const KeyPayload grey_insert = key(Qt::Key_Insert);
  EXPECT_EQ(grey_insert.virtual_key, kVkInsert);
  EXPECT_TRUE(grey_insert.extended);
  EXPECT_TRUE(key(Qt::Key_Enter, Qt::KeypadModifier).extended);
  // A letter goes down, types its character and comes up.
  window->keys.clear();
  QTest::keyClick(widget_, Qt::Key_R, Qt::ControlModifier);
  const auto r = std::find_if(window->keys.begin(), window->keys.end(),
                              [](const KeyPayload& each) { return each.virtual_key == 'R'; });
  ASSERT_NE(r, window->keys.end());
  EXPECT_EQ(r->kind, KeyKind::kDown);
  EXPECT_EQ(r->modifiers, kModControl);
  EXPECT_EQ(window->keys.back().kind, KeyKind::kUp);
}

TEST_F(WindowTest, AcceleratorsGoToTheFrameAndTheClipboardIsWatched) {
  Recorder* frame = Open();
  std::vector<std::uint32_t> commands;
  class Commands final : public Recorder {
   public:
    explicit Commands(std::vector<std::uint32_t>& seen) : seen_(seen) {}
    void OnEvent(Event& event) override {
      if (event.code == kEventCommand) seen_.push_back(event.as<CommandPayload>()->id);
      if (event.code == kEventClipboard) ++clipboard;
      Recorder::OnEvent(event);
    }
    int clipboard = 0;

   private:
    std::vector<std::uint32_t>& seen_;
  };
  auto* table = application_.Make<Commands>(commands);
  ASSERT_TRUE(table->Create(nullptr, {0, 0, 200, 100}, "Table"));
  application_.SetAccelerators({{'O', kModControl, 101}, {kVkF1, 0, 119}}, table);
  QTest::keyClick(widget_, Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(widget_, Qt::Key_F1);
  QTest::keyClick(widget_, Qt::Key_O);  // without Ctrl: an ordinary key
  EXPECT_EQ(commands, (std::vector<std::uint32_t>{101, 119}));
  EXPECT_FALSE(frame->keys.empty());

  // A window that looks first may take a key before anybody sees it.
  frame->keys.clear();
  QTest::keyClick(widget_, Qt::Key_X);
  EXPECT_EQ(frame->first_looks, 0);
  EXPECT_FALSE(frame->keys.empty());
  frame->keys.clear();
  frame->flags |= kWindowFirstLook;
  QTest::keyClick(widget_, Qt::Key_X);
  EXPECT_EQ(frame->first_looks, 1);
  EXPECT_TRUE(std::none_of(frame->keys.begin(), frame->keys.end(), [](const KeyPayload& key) {
    return key.kind == KeyKind::kDown && key.virtual_key == 'X';
  }));

  application_.AddClipboardViewer(table);
  QGuiApplication::clipboard()->setText("copied");
  EXPECT_TRUE(QTest::qWaitFor([&] { return table->clipboard > 0; }, 1000));
}

TEST_F(WindowTest, AWorkWindowTilesItsBackground) {
  WinWrk* window = application_.Make<WinWrk>();
  BmpMem tile(8, 8);
  tile.Clear(0);
  tile.dc().SetPixel(1, 2, 0x0000FF);
  tile.dc().Flush();
  window->set_background(&tile);
  ASSERT_TRUE(window->Create(nullptr, {0, 0, 40, 24}, "Work"));
  QWidget* widget = WidgetOf(window->platform_window());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));
  const QImage shown = widget->grab().toImage();
  EXPECT_TRUE(window->IsA(WinWrk::kClass, true));
  EXPECT_EQ(shown.pixelColor(1, 2), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(33, 18), QColor(255, 0, 0));  // the fifth tile across, third down
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(0, 0, 0));
}

TEST_F(WindowTest, TimersPaintsAndDroppedFiles) {
  Recorder* window = Open();
  EXPECT_GT(window->paints, 0);
  window->SetTimer(7, 5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->timers.size() >= 2; }));
  window->KillTimer(7);
  EXPECT_EQ(window->timers.front(), 7);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/one.puz"), QUrl::fromLocalFile("/tmp/two.sav")});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget_, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget_, &drop);
  EXPECT_EQ(window->files, (std::vector<std::string>{"/tmp/one.puz", "/tmp/two.sav"}));
}

TEST_F(WindowTest, DestroyingEndsTheModalLoopOnceAndOnlyOnce) {
  testing::RecordingSink sink;
  Recorder* window = Open();
  window->destroy_on_timer = true;
  window->SetTimer(1, 5);
  EXPECT_EQ(application_.RunUntilGone(window), 42);
  EXPECT_FALSE(application_.Holds(window));
  EXPECT_TRUE(sink.reports.empty());
  DestroyWindow(window, 0);  // gone already: reported, nothing else
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].text, kDestroyNotAWindow);

  // The close box destroys a window unless it keeps itself.
  Recorder* kept = Open();
  kept->keep = true;
  widget_->close();
  EXPECT_TRUE(application_.Holds(kept));
  kept->keep = false;
  QWidget* widget = widget_;
  widget->close();
  EXPECT_FALSE(application_.Holds(kept));
}

TEST_F(WindowTest, PlacementsAndRecentFilesLiveInTheSettings) {
  const Placement full = ParsePlacement("10,20,300,200,ACT,MAX");
  EXPECT_EQ(full.left, 10);
  EXPECT_EQ(full.height, 200);
  EXPECT_TRUE(full.active);
  EXPECT_TRUE(full.maximised);
  EXPECT_EQ(FormatPlacement(full), "10,20,300,200,ACT,MAX");
  const Placement partial = ParsePlacement("5,6,MIN");
  EXPECT_EQ(partial.top, 6);
  EXPECT_FALSE(partial.width.has_value());
  EXPECT_TRUE(partial.minimised);

  const std::string settings =
      (std::filesystem::temp_directory_path() / ("cbst-ui-" + std::to_string(::getpid()) + ".ini"))
          .string();
  WriteProfileString(settings.c_str(), kPlacementSection, "Box", "15,25");
  Recorder* window = Open();
  ASSERT_TRUE(RestorePlacement(settings.c_str(), "box", *window));
  EXPECT_EQ(widget_->geometry(), QRect(15, 25, 320, 200));  // the missing numbers stay
  SavePlacement(settings.c_str(), "Box", window);
  EXPECT_EQ(ParsePlacement(ReadProfileString(settings.c_str(), "WPOS", "Box").view()).width, 320);
  EXPECT_FALSE(RestorePlacement(settings.c_str(), "Other", *window));

  SaveRecents(settings.c_str(), {"a.puz", "b.sav"});
  SaveRecents(settings.c_str(), {"c.puz"});
  EXPECT_EQ(LoadRecents(settings.c_str()), std::vector<VString>{"c.puz"});
  std::filesystem::remove(settings);
}

TEST_F(WindowTest, FramedChildrenMoveResizeAndCloseByTheirFrame) {
  Recorder* table = Open();
  widget_->resize(800, 600);
  Recorder* box = application_.Make<Recorder>();
  ASSERT_TRUE(
      box->Create(table, {100, 100, 200, 150}, "Box 1",
                  kStyleChild | kStyleFramed | kStyleCloseBox | kStyleMaximiseBox | kStyleSizable));
  QWidget* client = WidgetOf(box->platform_window());
  QWidget* frame = client->parentWidget();
  ASSERT_NE(frame, widget_);
  EXPECT_EQ(box->WindowRect(), (Rect16{100, 100, 200, 150}));
  EXPECT_EQ(box->ClientRect().width, 200 - 2 * 4);
  EXPECT_EQ(box->ClientRect().height, 150 - 2 * 4 - 18);

  // Dragging the caption moves the frame; dragging a corner sizes it.
  QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
  QTest::mouseMove(frame, QPoint(90, 30));
  QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, QPoint(90, 30));
  EXPECT_EQ(box->WindowRect(), (Rect16{130, 120, 200, 150}));
  QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, QPoint(198, 148));
  QTest::mouseMove(frame, QPoint(238, 158));
  QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, QPoint(238, 158));
  EXPECT_EQ(box->WindowRect(), (Rect16{130, 120, 240, 160}));
  EXPECT_EQ(box->ClientRect().width, 240 - 8);

  // Maximise fills the table and comes back; close destroys the box.
  const auto press = [&](QPoint point) {
    QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, point);
  };
  const QRect maximise = frame->geometry();
  press(QPoint(maximise.width() - 4 - 2 - 14 - 2 - 7, 4 + 2 + 7));
  EXPECT_EQ(box->WindowRect(), (Rect16{0, 0, 800, 600}));
  // Maximised, the box has no caption: its floor is the whole table, and a
  // press where the buttons were lands on the floor.
  EXPECT_EQ(box->ClientRect(), (Rect16{0, 0, 800, 600}));
  EXPECT_EQ(client->geometry(), frame->rect());
  press(QPoint(800 - 4 - 2 - 14 - 2 - 7, 4 + 2 + 7));
  EXPECT_EQ(box->WindowRect(), (Rect16{0, 0, 800, 600}));
  Event restore = MakeEvent(kEventNonClientButton, CommandPayload{kHitMaximise, 0});
  box->Dispatch(restore);
  EXPECT_EQ(box->WindowRect(), (Rect16{130, 120, 240, 160}));
  EXPECT_EQ(box->ClientRect().height, 160 - 2 * 4 - 18);
  press(QPoint(240 - 4 - 2 - 7, 4 + 2 + 7));
  EXPECT_FALSE(application_.Holds(box));
  EXPECT_TRUE(application_.Holds(table));
}

TEST_F(WindowTest, CursorsAndTheAnimationLayer) {
  Recorder* window = Open();
  SetWindowCursor(window->platform_window(), kCursorMove);
  EXPECT_EQ(widget_->cursor().shape(), Qt::SizeAllCursor);
  const std::vector<std::uint32_t> tack(16 * 16, 0xFF804020);
  const int shape = RegisterCursor(16, 16, tack.data(), 3, 14);
  EXPECT_GE(shape, kFirstProgramCursor);
  SetWindowCursor(window->platform_window(), shape);
  EXPECT_EQ(widget_->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(widget_->cursor().hotSpot(), QPoint(3, 14));
  EXPECT_EQ(WindowCursor(window->platform_window()), shape);

  // The old dialog faces are drawn with a font this system has.
  EXPECT_EQ(application_.font(Application::UiFont::kDialog).face, "MS Sans Serif");
  EXPECT_EQ(QFontInfo(QFont("MS Sans Serif")).family(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont("Small Fonts")).family(), "DejaVu Sans");
}

}  // namespace
}  // namespace cbst

namespace cbst {
namespace {

// A measurement's end waits for a frame presented after it was asked for,
// and for the events the program posted; it comes once.
TEST_F(WindowTest, TheFirstSettledFrameComesOnceAfterAFreshFrame) {
  Recorder* window = Open();
  const int painted = window->paints;
  int settled = 0;
  int paints_when_settled = 0;
  std::vector<int> timers_when_settled;
  application_.WhenSettled(window, [&] {
    ++settled;
    paints_when_settled = window->paints;
    timers_when_settled = window->timers;
    window->SetTimer(3, 1);
    window->destroy_on_timer = true;
  });
  application_.Post(window, MakeEvent(kEventTimer, TimerPayload{9}));
  QTimer::singleShot(30, [widget = QPointer<QWidget>(widget_)] {
    if (widget) widget->update();
  });
  application_.RunUntilGone(window);
  EXPECT_EQ(settled, 1);
  EXPECT_GT(paints_when_settled, painted);
  EXPECT_EQ(timers_when_settled, std::vector<int>{9});
}

}  // namespace
}  // namespace cbst
