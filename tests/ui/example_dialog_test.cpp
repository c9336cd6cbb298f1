// example_dialog_test.cpp: a dialog with one control of every kind, made
// from its template and driven by synthetic mouse and key input: what each
// control tells its dialog, owner-drawn lines, field formats, the item
// accessors, and how a dialog ends and asks for help.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "base/date.h"
#include "gfx/dc.h"
#include "gfx/dib.h"
#include "gfx/drawing_tools.h"
#include "platform/platform_window_qt.h"
#include "support/recording_sink.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/virtual_keys.h"
#include "ui/win_dlg.h"

namespace cbst {
namespace {

// The example template's controls.
constexpr int kTemplate = 9100;
constexpr int kFlagButton = 110;
constexpr int kSaveAs = 104;
constexpr int kCheck = 120;
constexpr int kRadio = 121;
constexpr int kNumber = 130;
constexpr int kCode = 131;
constexpr int kLines = 140;
constexpr int kChoice = 150;
constexpr int kTypedChoice = 151;
constexpr int kBar = 160;
constexpr int kCount = 170;
constexpr int kFrame = 171;
constexpr int kHelpContext = 155;
constexpr int kLineHeight = 20;

// Line colours the dialog draws: item 0 and 1 plain, and selected.
constexpr std::uint32_t kPlainColours[] = {0x0000C000, 0x00C00000};
constexpr std::uint32_t kSelectedColour = 0x000000C0;

struct Told {
  std::uint16_t code;
  int id;
  std::intptr_t what;  // notification, scroll action, help context
  int position;        // scroll position, help control
  friend bool operator==(const Told&, const Told&) = default;
};
std::ostream& operator<<(std::ostream& out, const Told& told) {
  return out << "{" << told.code << ", " << told.id << ", " << told.what << ", " << told.position
             << "}";
}

class ExampleDialog final : public WinDlg {
 public:
  ExampleDialog() : WinDlg(kTemplate) {
    set_help_context(kHelpContext);
    CloseOn(kSaveAs);
  }
  void OnEvent(Event& event) override {
    if (const auto* command = event.as<CommandPayload>(); command && event.code == kEventCommand) {
      told.push_back({event.code, static_cast<int>(command->id), command->parameter, 0});
      if (end_on_double_click && command->parameter == kNotifyDoubleClicked) {
        DestroyWindow(this, 1);
        return;
      }
    } else if (const auto* scroll = event.as<ScrollPayload>()) {
      told.push_back({event.code, scroll->control_id, scroll->action, scroll->position});
    } else if (const auto* help = event.as<HelpPayload>()) {
      told.push_back({event.code, 0, help->context, help->control_id});
      event.set_handled();
      return;
    } else if (auto* line = event.as<OwnerDrawPayload>()) {
      if (event.code == kEventMeasureItem) {
        line->height = kLineHeight;
      } else {
        drawn.push_back(*line);
        Brush brush(line->selected ? kSelectedColour : kPlainColours[line->data % 2]);
        line->dc->FillRect(line->rect, brush);
      }
      event.set_handled();
      return;
    }
    WinDlg::OnEvent(event);
  }
  std::vector<Told> told;
  std::vector<OwnerDrawPayload> drawn;
  bool end_on_double_click = false;
};

class ExampleDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = application_.Make<ExampleDialog>();
    ASSERT_TRUE(dialog_->CreateDialog(nullptr));
    host()->activateWindow();
    QApplication::processEvents();
    // The cases give the keyboard to the control they drive themselves.
    if (QWidget* focused = host()->focusWidget()) focused->clearFocus();
    QApplication::processEvents();
    dialog_->told.clear();
  }
  void TearDown() override {
    if (dialog_ && application_.Holds(dialog_)) DestroyWindow(dialog_, 0);
    SetSeparators(separators_);
  }
  QWidget* host() { return WidgetOf(dialog_->platform_window()); }
  template <typename W = QWidget>
  W* Widget(int id) {
    for (QWidget* child : host()->findChildren<QWidget*>()) {
      if (child->property("id").isValid() && child->property("id").toInt() == id)
        return qobject_cast<W*>(child);
    }
    return nullptr;
  }
  Told Command(int id, std::intptr_t what) const { return {kEventCommand, id, what, 0}; }
  // What the dialog was told since the last call.
  std::vector<Told> Taken() { return std::exchange(dialog_->told, {}); }

  testing::TestApplication application_;
  testing::RecordingSink sink_;
  ExampleDialog* dialog_ = nullptr;
  Separators separators_ = CurrentSeparators();
};

TEST_F(ExampleDialogTest, ButtonsTellClicksAndAPushButtonsStateIsHeld) {
  QTest::mouseClick(Widget(kCheck), Qt::LeftButton);
  QTest::mouseClick(Widget(kRadio), Qt::LeftButton);
  EXPECT_EQ(Taken(),
            (std::vector<Told>{Command(kCheck, kNotifyClicked), Command(kRadio, kNotifyClicked)}));
  EXPECT_EQ(dialog_->GetItemNumber(kCheck), 1);
  EXPECT_EQ(dialog_->GetItemNumber(kRadio), 1);

  // Set(1) holds a push button down without clicking it; only `notify`
  // tells the dialog.
  dialog_->SetItemNumber(kFlagButton, 1);
  EXPECT_TRUE(Widget<QPushButton>(kFlagButton)->isDown());
  EXPECT_EQ(dialog_->GetItemNumber(kFlagButton), 1);
  EXPECT_TRUE(Taken().empty());
  dialog_->SetItemNumber(kFlagButton, 0, true);
  EXPECT_FALSE(Widget<QPushButton>(kFlagButton)->isDown());
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kFlagButton, kNotifyClicked)}));

  // A picture on a button, as the language flags have.
  ProgramPicture flag{4, 3, std::vector<std::uint32_t>(12, 0xFFFF0000)};
  Control(dialog_, kFlagButton).SetPicture(flag);
  const QIcon icon = Widget<QPushButton>(kFlagButton)->icon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixmap(4, 3).toImage().pixel(1, 1), 0xFFFF0000u);
  // A flag read from a file comes as a Dib.
  Dib green(5, 2, 24);
  ASSERT_TRUE(green.valid());
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x)
      green.row(y)[x * 3 + 1] = 0xFF;  // blue, green, red
  }
  Control(dialog_, kFlagButton).SetPicture(green);
  const QIcon flag_icon = Widget<QPushButton>(kFlagButton)->icon();
  EXPECT_EQ(Widget<QPushButton>(kFlagButton)->iconSize(), QSize(5, 2));
  EXPECT_EQ(flag_icon.pixmap(5, 2).toImage().pixel(2, 1), 0xFF00FF00u);
  Control(dialog_, kFlagButton).SetPicture(Dib());
  EXPECT_TRUE(Widget<QPushButton>(kFlagButton)->icon().isNull());
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ExampleDialogTest, EnablingFocusAndTheAccessorsOfAStatic) {
  dialog_->EnableItem(kCheck, false);
  EXPECT_FALSE(Control(dialog_, kCheck).IsEnabled());
  QTest::mouseClick(Widget(kCheck), Qt::LeftButton);
  EXPECT_EQ(dialog_->GetItemNumber(kCheck), 0);
  EXPECT_TRUE(Taken().empty());
  dialog_->EnableItem(kCheck);
  QTest::mouseClick(Widget(kCheck), Qt::LeftButton);
  EXPECT_EQ(dialog_->GetItemNumber(kCheck), 1);
  dialog_->SetItemFocus(kCode);
  EXPECT_EQ(QApplication::focusWidget(), Widget(kCode));
  EXPECT_TRUE(sink_.reports.empty());

  // A frame has no text to set.
  Control(dialog_, kFrame).Set("text");
  EXPECT_EQ(sink_.texts(), std::vector<std::string>{"Control::Set(char *) not def for StaticRect"});
}

TEST_F(ExampleDialogTest, ListsTellSelectionAndDoubleClicksAndTheirValueIsTheSelection) {
  Control lines(dialog_, kLines);
  for (const char* text : {"first", "second", "third"})
    lines.AddString(text);
  auto* list = Widget<QListWidget>(kLines);
  // The keyboard on a line does not select it.
  list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  EXPECT_EQ(lines.Number(), -1);
  EXPECT_EQ(lines.GetTextLen(), 0);

  const QRect second = list->visualItemRect(list->item(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kLines, kNotifySelectionChanged)}));
  EXPECT_EQ(dialog_->GetItemNumber(kLines), 1);
  EXPECT_EQ(dialog_->GetItemText(kLines), "second");
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
  QCoreApplication::processEvents();
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kLines, kNotifyDoubleClicked)}));
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kLines, kNotifySelectionChanged)}));
  EXPECT_EQ(lines.Number(), 2);

  // The program choosing is not the player choosing.
  lines.Set(0.0);
  EXPECT_EQ(lines.Number(), 0);
  lines.Set(-1.0);
  EXPECT_EQ(lines.Number(), -1);
  EXPECT_TRUE(Taken().empty());
  lines.Set(1.0, true);
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kLines, kNotifySelectionChanged)}));
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ExampleDialogTest, ADoubleClickThatEndsTheDialogLeavesTheListInPeace) {
  Control(dialog_, kLines).AddString("only");
  auto* list = Widget<QListWidget>(kLines);
  dialog_->end_on_double_click = true;
  const QPoint line = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
  QApplication::processEvents();
  EXPECT_FALSE(application_.Holds(dialog_));
}

TEST_F(ExampleDialogTest, CombosTellAChoiceAndTypingInTheirEdit) {
  Control choice(dialog_, kChoice);
  choice.AddString("Easy");
  choice.AddString("Hard");
  choice.Set(0.0);
  EXPECT_TRUE(Taken().empty());
  QTest::keyClick(Widget(kChoice), Qt::Key_Down);
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kChoice, kNotifyComboChanged)}));
  EXPECT_EQ(choice.Number(), 1);

  auto* typed = Widget<QComboBox>(kTypedChoice);
  QTest::keyClicks(typed->lineEdit(), "ab");
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kTypedChoice, kNotifyComboEdited),
                                        Command(kTypedChoice, kNotifyComboEdited)}));
  EXPECT_EQ(dialog_->GetItemText(kTypedChoice), "ab");
  dialog_->SetItemText(kTypedChoice, "set");
  EXPECT_TRUE(Taken().empty());
}

TEST_F(ExampleDialogTest, EditsTellTypingAndFocus) {
  auto* edit = Widget<QLineEdit>(kCode);
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClicks(edit, "xy");
  Widget(kNumber)->setFocus(Qt::TabFocusReason);
  const std::vector<Told> told = Taken();
  const std::vector<Told> expected = {
      Command(kCode, kNotifyEditFocus), Command(kCode, kNotifyEditChanged),
      Command(kCode, kNotifyEditChanged), Command(kCode, kNotifyEditLostFocus),
      Command(kNumber, kNotifyEditFocus)};
  EXPECT_EQ(told, expected);
  dialog_->SetItemText(kCode, "set by the program");
  EXPECT_TRUE(Taken().empty());
}

TEST_F(ExampleDialogTest, ScrollBarsTellHowAndWhereTheyMoved) {
  Control bar(dialog_, kBar);
  dialog_->SetItemRange(kBar, 0, 100, 10);
  bar.Set(100.0);
  EXPECT_EQ(bar.Number(), 100);
  bar.Set(50.0);
  EXPECT_TRUE(Taken().empty());

  auto* scroll = Widget<QScrollBar>(kBar);
  QTest::keyClick(scroll, Qt::Key_PageDown);
  QTest::keyClick(scroll, Qt::Key_PageUp);
  QTest::keyClick(scroll, Qt::Key_End);
  QTest::keyClick(scroll, Qt::Key_Home);
  // The arrow at the right end.
  QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(scroll->width() - 3, scroll->height() / 2));
  EXPECT_EQ(Taken(), (std::vector<Told>{
                         {kEventScroll, kBar, kScrollPageDown, 60},
                         {kEventScroll, kBar, kScrollPageUp, 50},
                         {kEventScroll, kBar, kScrollBottom, 100},
                         {kEventScroll, kBar, kScrollTop, 0},
                         {kEventScroll, kBar, kScrollLineDown, 1},
                     }));
  EXPECT_EQ(bar.Number(), 1);

  // Dragging the thumb tells each step of the drag, then where it was let go.
  bar.Set(0.0);
  const QPoint thumb(scroll->height() + 4, scroll->height() / 2);
  QTest::mousePress(scroll, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(scroll, thumb + QPoint(scroll->width() / 4, 0));
  QTest::mouseRelease(scroll, Qt::LeftButton, {}, thumb + QPoint(scroll->width() / 4, 0));
  const std::vector<Told> dragged = Taken();
  ASSERT_GE(dragged.size(), 2u);
  EXPECT_EQ(dragged.front().what, kScrollThumbTrack);
  EXPECT_EQ(dragged.back().what, kScrollThumbPosition);
  EXPECT_GT(dragged.back().position, 10);
  EXPECT_EQ(dragged.back().position, bar.Number());
}

TEST_F(ExampleDialogTest, OwnerDrawnLinesAreDrawnByTheDialog) {
  Control lines(dialog_, kLines);
  for (const char* text : {"first", "second"}) {
    const int index = lines.AddString(text);
    lines.SetItemData(index, index);
  }
  lines.Set(1.0);
  auto* list = Widget<QListWidget>(kLines);
  dialog_->drawn.clear();
  const QImage shown = list->viewport()->grab().toImage();
  ASSERT_GE(dialog_->drawn.size(), 2u);
  bool saw_first = false, saw_second = false;
  for (const OwnerDrawPayload& line : dialog_->drawn) {
    EXPECT_EQ(line.control_id, kLines);
    EXPECT_EQ(line.data, line.item);
    EXPECT_EQ(line.selected, line.item == 1);
    EXPECT_EQ(line.rect.height, kLineHeight);
    saw_first |= line.item == 0;
    saw_second |= line.item == 1;
  }
  EXPECT_TRUE(saw_first && saw_second);
  // The picture of the list is what the dialog drew, line by line.
  const QRect first = list->visualItemRect(list->item(0));
  const QRect second = list->visualItemRect(list->item(1));
  EXPECT_EQ(first.height(), kLineHeight);
  const auto colour = [&](QPoint at) {
    const QRgb pixel = shown.pixel(at);
    return static_cast<std::uint32_t>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
  };
  EXPECT_EQ(colour(first.center()), kPlainColours[0]);
  EXPECT_EQ(colour(second.center()), kSelectedColour);

  // The keyboard's line is told as focused.
  list->setFocus();
  list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  dialog_->drawn.clear();
  list->viewport()->grab();
  bool focus_told = false;
  for (const OwnerDrawPayload& line : dialog_->drawn)
    focus_told |= line.item == 0 && line.focused && !line.selected;
  EXPECT_TRUE(focus_told);

  // A list the program makes itself, asked for its line height.
  Control made;
  ASSERT_TRUE(
      made.Create(dialog_, ControlClass::kListBox, 141, "", {0, 0, 120, 80}, kListOwnerDrawn));
  made.AddString("made");
  QApplication::processEvents();  // the list lays its lines out
  dialog_->drawn.clear();
  auto* made_list = Widget<QListWidget>(141);
  made_list->viewport()->grab();
  ASSERT_FALSE(dialog_->drawn.empty());
  EXPECT_EQ(dialog_->drawn[0].control_id, 141);
  EXPECT_EQ(made_list->visualItemRect(made_list->item(0)).height(), kLineHeight);
}

TEST_F(ExampleDialogTest, FieldFormatsLimitAndShowWhatIsTyped) {
  SetSeparators({.thousands = ',', .decimal = '.', .date = '-'});
  Control number(dialog_, kNumber);
  number.SetFormat(FieldFormat::Parse("#9,.2/Min:0/Max:99999"));
  auto* edit = Widget<QLineEdit>(kNumber);
  number.Set(1234.5);
  EXPECT_EQ(edit->text(), "1,234.50");
  EXPECT_EQ(number.Number(), 1234.5);
  EXPECT_TRUE(edit->alignment() & Qt::AlignRight);

  edit->clear();
  QTest::keyClicks(edit, "12a.345");  // no letters, two decimals at most
  EXPECT_EQ(edit->text(), "12.34");
  edit->clear();
  QTest::keyClicks(edit, "123456");  // above the maximum
  EXPECT_EQ(edit->text(), "12345");
  EXPECT_EQ(dialog_->GetItemNumber(kNumber), 12345);

  // Upper case, and no more than the edit length.
  Control(dialog_, kCode).SetFormat(FieldFormat::Parse("$6/Upp"));
  QTest::keyClicks(Widget(kCode), "abcdefgh");
  EXPECT_EQ(dialog_->GetItemText(kCode), "ABCDEF");

  // A static with a format shows a value: tenths kept as whole numbers.
  Control count(dialog_, kCount);
  count.SetFormat(FieldFormat::Parse("#5.1*10"));
  dialog_->SetItemNumber(kCount, 125);
  EXPECT_EQ(Widget<QLabel>(kCount)->text(), "12.5");
  EXPECT_EQ(dialog_->GetItemNumber(kCount), 125);

  // Without a format, a number keeps every digit.
  Control code(dialog_, kCode);
  code.SetFormat(FieldFormat{});
  edit = Widget<QLineEdit>(kCode);
  edit->setMaxLength(32767);
  code.Set(1234567.0);
  EXPECT_EQ(edit->text(), "1234567");
  EXPECT_EQ(code.Number(), 1234567);
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ExampleDialogTest, HelpAndTheCommandsThatEndADialog) {
  Widget(kCode)->setFocus();
  EXPECT_EQ(Taken(), (std::vector<Told>{Command(kCode, kNotifyEditFocus)}));
  QTest::keyClick(Widget(kCode), Qt::Key_F1);
  EXPECT_EQ(Taken(), (std::vector<Told>{{kEventHelp, 0, kHelpContext, kCode}}));

  DestroyWindow(dialog_, 0);
  dialog_ = nullptr;

  // The close request cancels.
  auto* closed = application_.Make<ExampleDialog>();
  QTimer::singleShot(0, [closed] {
    Event close = MakeEvent(kEventCommand, CommandPayload{kCommandEndSession, 0});
    closed->Dispatch(close);
  });
  EXPECT_EQ(RunModalDialog(closed, nullptr), static_cast<int>(kCommandCancel));

  // A dialog run modally ends with the result of a button of its own.
  auto* modal = application_.Make<ExampleDialog>();
  QTimer::singleShot(0, [] {
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    for (auto* button : shown->findChildren<QPushButton*>()) {
      if (button->property("id").toInt() != kSaveAs) continue;
      QTest::mouseClick(button, Qt::LeftButton);  // ends the dialog and its buttons
      return;
    }
  });
  EXPECT_EQ(RunModalDialog(modal, nullptr), kSaveAs);
}

}  // namespace
}  // namespace cbst
