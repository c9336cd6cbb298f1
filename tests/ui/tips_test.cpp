// tips_test.cpp: tips of a window's controls, from the mouse moving over
// them to the balloon, on a clock the tests move by hand.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <map>

#include "gfx/drawing_surface_qt.h"
#include "platform/platform_window_qt.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/tips.h"

namespace cbst {
namespace {

class HandClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override { return now_ms * 1000; }
  void Sleep(std::int64_t microseconds) override { now_ms += microseconds / 1000; }
  std::int64_t now_ms = 0;
};

constexpr int kOwnTip = 101;      // carries its own tip
constexpr int kDictionary = 102;  // its tip is in the dictionary
constexpr int kLabelOnly = 103;   // the dictionary has only its label
constexpr int kNoText = 104;      // has nothing at all

const char* Dictionary(int context, int id) {
  if (context == kTipContext && id == kDictionary) return "Chooses the folder";
  if (context == kLabelContext && id == kDictionary) return "&Folder";
  if (context == kLabelContext && id == kLabelOnly) return "&Save && close";
  return "";
}

class TipsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetControlTextLookup(Dictionary);
    application_.tips().set_clock(&clock_);
    window_ = application_.Make<Window>();
    ASSERT_TRUE(window_->Create(nullptr, {60, 60, 400, 200}, "Tips"));
    QWidget* host = WidgetOf(window_->platform_window());
    for (int id : {kOwnTip, kDictionary, kNoText}) {
      auto* button = new QPushButton(QString::number(id), host);
      button->setProperty("id", id);
      button->setGeometry(20 + (id - kOwnTip) * 110, 20, 100, 30);
      button->show();
      buttons_[id] = button;
    }
    buttons_[kOwnTip]->setProperty("tip", "Opens the puzzle");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
  }
  void TearDown() override {
    SetControlTextLookup(nullptr);
    Tips::set_suppressed(false);
  }

  void MoveOver(int id, QPoint at = QPoint(10, 10)) { QTest::mouseMove(buttons_.at(id), at); }
  Tips& tips() { return application_.tips(); }

  testing::TestApplication application_;
  HandClock clock_;
  Window* window_ = nullptr;
  std::map<int, QPushButton*> buttons_;
};

TEST_F(TipsTest, TheTextIsTheControlsOwnThenTheDictionarysTipThenItsLabel) {
  EXPECT_EQ(Tips::TextOf({kOwnTip, {}, 0, 0, "Own"}), "Own");
  EXPECT_EQ(Tips::TextOf({kDictionary, {}, 0, 0, "  "}), "Chooses the folder");
  EXPECT_EQ(Tips::TextOf({kLabelOnly, {}, 0, 0, ""}), "Save & close");
  EXPECT_EQ(Tips::TextOf({kNoText, {}, 0, 0, ""}), "");
}

TEST_F(TipsTest, AControlWithoutAnyTextShowsNoBalloon) {
  MoveOver(kNoText);
  EXPECT_FALSE(tips().timer_running());
  clock_.now_ms += 10 * kTipsRestMs;
  tips().Tick();
  EXPECT_EQ(tips().balloon(), nullptr);
  EXPECT_EQ(application_.windows().size(), 1u);  // no balloon was ever made
}

TEST_F(TipsTest, TheBalloonShowsBesideTheControlOnceTheMouseHasRested) {
  MoveOver(kOwnTip);
  EXPECT_EQ(tips().control_id(), kOwnTip);
  EXPECT_TRUE(tips().timer_running());
  clock_.now_ms += kTipsTimerMs;
  tips().Tick();
  EXPECT_EQ(tips().balloon(), nullptr);

  // Moving on the same control starts the rest again.
  clock_.now_ms += kTipsTimerMs;
  MoveOver(kOwnTip, QPoint(30, 12));
  clock_.now_ms += kTipsRestMs - 1;
  tips().Tick();
  EXPECT_EQ(tips().balloon(), nullptr);
  clock_.now_ms += 1;
  tips().Tick();
  cBocadillo* balloon = tips().balloon();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->text(), "Opens the puzzle");
  EXPECT_FALSE(tips().timer_running());

  // Just below the control, pointing up at it: an ellipse on a see-through
  // window.
  const Rect16 control = tips().control();
  const Rect16 at = balloon->WindowRect();
  EXPECT_TRUE(balloon->points_up());
  EXPECT_EQ(at.y, control.y + control.height);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(WidgetOf(balloon->platform_window())));
  balloon->Update();
  const QImage& image = *balloon->surface()->Image();
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
  EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 4), qRgb(255, 255, 225));
  // The pointer rises from the ellipse's left quarter; the right stays clear.
  EXPECT_GT(qAlpha(image.pixel(image.width() / 4 + 2, 10)), 0);
  EXPECT_EQ(qAlpha(image.pixel(image.width() * 3 / 4, 10)), 0);
}

TEST_F(TipsTest, CarriageReturnsBreakTheBalloonsLines) {
  const auto height = [&](int id, const char* tip) {
    buttons_.at(id)->setProperty("tip", tip);
    MoveOver(id);
    clock_.now_ms += kTipsRestMs;
    tips().Tick();
    return tips().balloon() ? tips().balloon()->WindowRect().height : 0;
  };
  const int one_line = height(kOwnTip, "Name: Sky  Box 4");
  EXPECT_GT(one_line, 0);
  EXPECT_GT(height(kNoText, "Name: Sky\r\rBox 4"), one_line);
}

TEST_F(TipsTest, ANewControlHidesTheShownTip) {
  MoveOver(kOwnTip);
  clock_.now_ms += kTipsRestMs;
  tips().Tick();
  ASSERT_NE(tips().balloon(), nullptr);

  MoveOver(kDictionary);
  EXPECT_EQ(tips().balloon(), nullptr);
  EXPECT_EQ(tips().text(), "Chooses the folder");
  EXPECT_TRUE(tips().timer_running());
  clock_.now_ms += kTipsRestMs;
  tips().Tick();
  ASSERT_NE(tips().balloon(), nullptr);
  EXPECT_EQ(tips().balloon()->text(), "Chooses the folder");

  // A click puts it away for good on that control.
  QTest::mouseClick(buttons_.at(kDictionary), Qt::LeftButton);
  EXPECT_EQ(tips().balloon(), nullptr);
  MoveOver(kDictionary, QPoint(40, 12));
  EXPECT_FALSE(tips().timer_running());
}

TEST_F(TipsTest, TipsOffOrSuppressedStartNoTip) {
  tips().set_enabled(false);
  MoveOver(kOwnTip);
  EXPECT_FALSE(tips().timer_running());

  tips().set_enabled(true);
  Tips::set_suppressed(true);
  MoveOver(kDictionary);
  EXPECT_FALSE(tips().timer_running());

  Tips::set_suppressed(false);
  MoveOver(kOwnTip);
  EXPECT_TRUE(tips().timer_running());
}

TEST_F(TipsTest, TheBalloonLiesInTheTopWindowOfItsControlAndOutlivesIt) {
  // A control inside a framed child window of the window.
  auto* inner = application_.Make<Window>();
  ASSERT_TRUE(inner->Create(window_, {150, 70, 220, 120}, "Inner", kStyleChild | kStyleFramed));
  QWidget* inner_host = WidgetOf(inner->platform_window());
  auto* button = new QPushButton("inner", inner_host);
  button->setProperty("id", kOwnTip);
  button->setProperty("tip", "Deep inside");
  button->setGeometry(10, 10, 80, 24);
  button->show();
  QTest::mouseMove(button, QPoint(5, 5));
  clock_.now_ms += kTipsRestMs;
  tips().Tick();
  cBocadillo* balloon = tips().balloon();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->text(), "Deep inside");

  // Not a window of its own: a child of the top window, just under the
  // control wherever the window system puts that window.
  QWidget* top = WidgetOf(window_->platform_window());
  QWidget* shown = WidgetOf(balloon->platform_window());
  EXPECT_FALSE(shown->isWindow());
  EXPECT_EQ(shown->parentWidget(), top);
  const QPoint below = button->mapTo(top, QPoint(0, button->height()));
  EXPECT_EQ(shown->y(), below.y());
  EXPECT_LE(std::abs(shown->x() - below.x()), button->width());
  for (QWidget* widget : QApplication::topLevelWidgets())
    EXPECT_TRUE(widget == top || !widget->isVisible()) << "no other window shows";

  // The window closes with the balloon on it; the next tip still shows.
  DestroyWindow(window_, 0);
  window_ = application_.Make<Window>();
  ASSERT_TRUE(window_->Create(nullptr, {60, 60, 400, 200}, "Again"));
  auto* again = new QPushButton("again", WidgetOf(window_->platform_window()));
  again->setProperty("id", kDictionary);
  again->setGeometry(20, 20, 100, 30);
  again->show();
  QTest::mouseMove(again, QPoint(10, 10));
  clock_.now_ms += kTipsRestMs;
  tips().Tick();
  ASSERT_NE(tips().balloon(), nullptr);
  EXPECT_EQ(WidgetOf(tips().balloon()->platform_window())->parentWidget(),
            WidgetOf(window_->platform_window()));
}

}  // namespace
}  // namespace cbst
