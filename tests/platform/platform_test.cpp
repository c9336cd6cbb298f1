// platform_test.cpp: the simulated displays, the mouse-button question and
// the colour dialog driven as a player would.
#include <gtest/gtest.h>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "base/report.h"
#include "platform/colour_picker.h"
#include "platform/display.h"
#include "platform/message_box.h"
#include "platform/mouse_buttons.h"

namespace cbst {
namespace {

TEST(Display, SimulatedDisplaysSayWhatTheyAre) {
  const auto palette = SimulatedDisplay("256");
  ASSERT_TRUE(palette);
  EXPECT_TRUE(palette->palette_based);
  EXPECT_EQ(palette->palette_size - palette->reserved_colours, 236);
  EXPECT_EQ(SimulatedDisplay("16")->Colours(), 16);
  EXPECT_FALSE(SimulatedDisplay("15")->bit_fields);
  EXPECT_EQ(SimulatedDisplay("16bpp")->green_mask, 0x07E0u);
  EXPECT_FALSE(SimulatedDisplay("64"));

  EXPECT_TRUE(SelectSimulatedDisplay("24"));
  EXPECT_EQ(QueryDisplay().bit_count, 24);
  EXPECT_FALSE(SelectSimulatedDisplay("bogus"));
  EXPECT_EQ(QueryDisplay().bit_count, 24);  // an unknown name changes nothing
  SelectSimulatedDisplay("32");
}

TEST(MouseButtons, APressCountsOnceAndOnlyWhileTheButtonIsDown) {
  MouseButtonPressedNow();  // start a fresh period
  EXPECT_FALSE(MouseButtonPressedNow());
  NoteMouseButton(MouseButton::kMiddle, true);
  EXPECT_FALSE(MouseButtonPressedNow());  // only left and right count
  NoteMouseButton(MouseButton::kRight, true);
  EXPECT_TRUE(MouseButtonPressedNow());
  EXPECT_FALSE(MouseButtonPressedNow());  // still down, but not pressed again
  NoteMouseButton(MouseButton::kRight, false);
  NoteMouseButton(MouseButton::kLeft, true);
  NoteMouseButton(MouseButton::kLeft, false);
  EXPECT_FALSE(MouseButtonPressedNow());  // pressed and let go already
}

// Answers the colour dialog once it is shown.
void AnswerDialog(const QColor& choice, bool accept) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(0x30, 0x20, 0x10));  // the colour given
    dialog->setCurrentColor(choice);
    accept ? dialog->accept() : dialog->reject();
  });
}

TEST(ColourPicker, ReturnsTheChoiceOrLeavesTheColourOnCancel) {
  int argc = 1;
  char name[] = "platform_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QColorDialog::setCustomColor(0, Qt::red);

  std::uint32_t colour = 0x102030;
  AnswerDialog(QColor(0x11, 0x22, 0x33), false);
  EXPECT_EQ(PickColour(nullptr, colour), 0);
  EXPECT_EQ(colour, 0x102030u);

  AnswerDialog(QColor(0x11, 0x22, 0x33), true);
  EXPECT_EQ(PickColour(nullptr, colour), 1);
  EXPECT_EQ(colour, 0x332211u);
  EXPECT_EQ(QColorDialog::customColor(0), QColor(Qt::red));  // kept for the caller
}

// Presses the button `text` of the message box once it is shown, after
// checking what it shows.
void AnswerBox(const QString& button, const QString& caption, QMessageBox::Icon icon) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), caption);
    EXPECT_EQ(box->icon(), icon);
    for (QAbstractButton* each : box->buttons()) {
      if (each->text().remove('&') == button) each->click();
    }
  });
}

TEST(MessageBoxes, AnswerWithTheOldNumbers) {
  int argc = 1;
  char name[] = "platform_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  AnswerBox("No", "Cobblestack", QMessageBox::Question);
  EXPECT_EQ(ShowMessageBox(nullptr, "Save?", kBoxYesNoCancel | kBoxIconQuestion), kAnswerNo);
  AnswerBox("Cancel", "Cobblestack", QMessageBox::Warning);
  EXPECT_EQ(ShowMessageBox(nullptr, "Go on?", kBoxOkCancel | kBoxIconExclamation), kAnswerCancel);
  AnswerBox("Yes", "Caf\u00e9", QMessageBox::NoIcon);
  EXPECT_EQ(ShowMessageBox(nullptr, "Sure?", kBoxYesNo, "Caf\xe9"), kAnswerYes);

  // Reports of the foundation become boxes: an unexpected situation asks.
  InstallMessageBoxReports();
  AnswerBox("Cancel", QString::fromUtf8("Situaci\u00f3n imprevista"), QMessageBox::Warning);
  EXPECT_EQ(ReportUnexpected("x != y"), ReportAnswer::kCancel);
  SetReportSink(nullptr);
}

}  // namespace
}  // namespace cbst
