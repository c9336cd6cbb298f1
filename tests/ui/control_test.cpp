// control_test.cpp: Control over real toolkit widgets in a window: the type
// each widget is, the operations each type has, lists, edits, notification
// and controls made by Control itself.
#include <gtest/gtest.h>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "platform/platform_window_qt.h"
#include "support/recording_sink.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/control.h"

namespace cbst {
namespace {

// Keeps the commands its controls send.
class Panel final : public Window {
 public:
  void OnEvent(Event& event) override {
    if (event.code == kEventCommand) commands.push_back(*event.as<CommandPayload>());
    Window::OnEvent(event);
  }
  std::vector<CommandPayload> commands;
};

// A framework window that says it is a control of `type` (none for 0).
class OwnControl final : public Window {
 public:
  explicit OwnControl(int type) : type_(type) {}
  void OnEvent(Event& event) override {
    if (event.code == kEventControlType && type_) {
      event.as<ControlTypePayload>()->type = type_;
      event.set_handled();
      return;
    }
    Window::OnEvent(event);
  }

 private:
  int type_;
};

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_ = application_.Make<Panel>();
    ASSERT_TRUE(panel_->Create(nullptr, {40, 40, 500, 400}, "Controls"));
  }
  QWidget* host() { return WidgetOf(panel_->platform_window()); }
  QWidget* Widget(int id) {
    for (QWidget* child : host()->findChildren<QWidget*>()) {
      if (child->property("id").toInt() == id) return child;
    }
    return nullptr;
  }
  template <typename W, typename... Arguments>
  W* Add(int id, Arguments&&... arguments) {
    auto* widget = new W(std::forward<Arguments>(arguments)..., host());
    widget->setProperty("id", id);
    return widget;
  }

  testing::TestApplication application_;
  Panel* panel_ = nullptr;
  testing::RecordingSink sink_;
};

TEST_F(ControlTest, EachWidgetKindIsItsControlType) {
  QPixmap icon(16, 16);
  icon.fill(Qt::red);
  QLabel* picture = Add<QLabel>(14);
  picture->setPixmap(icon);
  const std::pair<QWidget*, int> kinds[] = {
      {Add<QPushButton>(1), kControlPushButton},
      {Add<QToolButton>(2), kControlPushButton},
      {Add<QCheckBox>(3), kControlCheck},
      {Add<QRadioButton>(4), kControlRadio},
      {Add<QLineEdit>(5), kControlEdit},
      {Add<QSpinBox>(6), kControlEdit},
      {Add<QPlainTextEdit>(7), kControlEditMultiLine},
      {Add<QTextEdit>(8), kControlEditMultiLine},
      {Add<QListWidget>(9), kControlListBox},
      {Add<QComboBox>(10), kControlComboBox},
      {Add<QScrollBar>(11), kControlScrollbar},
      {Add<QSlider>(12), kControlScrollbar},
      {Add<QLabel>(13, "Name"), kControlStaticText},
      {picture, kControlStaticIcon},
      {Add<QFrame>(15), kControlStaticRect},
      {Add<QCalendarWidget>(16), kControlUnknown},
  };
  for (const auto& [widget, type] : kinds) {
    EXPECT_EQ(Control(panel_, widget->property("id").toInt()).type(), type)
        << widget->metaObject()->className();
  }
  // The framework's own control windows say what they are.
  for (int type : {kControlFader, kControlUnknown}) {
    auto* own = application_.Make<OwnControl>(type);
    ASSERT_TRUE(own->Create(panel_, {0, 0, 40, 20}, "", kStyleChild));
    SetControlId(*own, 20);
    EXPECT_EQ(Control(panel_, 20).type(), type);
    DestroyWindow(own, 0);
  }
  EXPECT_STREQ(ControlTypeName(kControlEditMultiLine), "Edit");
  EXPECT_STREQ(ControlTypeName(kControlFader), "Fader");
  EXPECT_STREQ(ControlTypeName(12), "Type=0");
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ControlTest, AnOperationOutsideItsTypeIsReportedAndChangesNothing) {
  auto* list = Add<QListWidget>(10);
  list->addItems({"one", "two"});
  list->setCurrentRow(1);
  Add<QLineEdit>(11)->setText("typed");
  auto* combo = Add<QComboBox>(12);
  combo->addItem("only");
  Add<QLabel>(13, "label");

  Control(panel_, 10).SetSel(0, 1);
  Control(panel_, 11).AddString("item");
  Control(panel_, 12).InsertString(0, "first");
  Control(panel_, 13).Set(2.5);
  EXPECT_EQ(Control(panel_, 13).Number(), 0);
  EXPECT_EQ(sink_.texts(), (std::vector<std::string>{
                               "Control::SetSel not def for ListBox",
                               "Control::AddString not def for Edit",
                               "Control::InsertString not def for ComboBox",
                               "Control::Set(double) not def for StaticText",
                               "Control::Number not def for StaticText",
                           }));
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(Control(panel_, 11).GetText(), "typed");
  EXPECT_EQ(combo->count(), 1);
  EXPECT_EQ(Control(panel_, 13).GetText(), "label");
}

TEST_F(ControlTest, AMissingControlIsReportedOnItsFirstOperation) {
  Control missing(panel_, 999);
  EXPECT_FALSE(missing.found());
  EXPECT_EQ(missing.nItems(), 0);
  EXPECT_TRUE(panel_->GetItemText(999).empty());
  EXPECT_EQ(sink_.texts(),
            (std::vector<std::string>{"Control::nItems !hWnd", "Control::GetText !hWnd"}));
}

TEST_F(ControlTest, TextLengthsOfCombosAndLists) {
  auto* combo = Add<QComboBox>(20);
  combo->setEditable(true);
  combo->addItems({"Small", "Medium"});
  combo->setCurrentIndex(-1);
  combo->setEditText("caf\u00e9s");
  Control control(panel_, 20);
  EXPECT_EQ(control.GetTextLen(-1), 5);  // nothing chosen: the edit text, in bytes
  EXPECT_EQ(control.GetTextLen(1), 6);
  control.Set(1.0);
  EXPECT_EQ(control.GetTextLen(-1), 6);
  VString text;
  control.Get(text, 0);
  EXPECT_EQ(text, "Small");

  auto* list = Add<QListWidget>(21);
  list->addItems({"a", "bb"});
  Control items(panel_, 21);
  EXPECT_EQ(items.GetTextLen(-1), 0);  // no current item
  items.Set(1.0);
  EXPECT_EQ(items.GetTextLen(-1), 2);
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ControlTest, ListsAndCombosAddFindKeepDataAndDelete) {
  Add<QListWidget>(30);
  Add<QComboBox>(31);
  for (int id : {30, 31}) {
    Control control(panel_, id);
    EXPECT_EQ(control.AddString("Banana"), 0);
    EXPECT_EQ(control.AddString("Cherry"), 1);
    if (id == 30) {
      EXPECT_EQ(control.InsertString(0, "Apricot"), 0);
      EXPECT_EQ(control.InsertString(-1, "Date"), 3);
    } else {
      control.Clear();
      for (const char* fruit : {"Apricot", "Banana", "Cherry", "Date"})
        control.AddString(fruit);
    }
    for (int index = 0; index < control.nItems(); ++index)
      control.SetItemData(index, 100 + index);
    EXPECT_EQ(control.Ix_String("banana", true), 1);
    EXPECT_EQ(control.Ix_String("Ban", true), -1);
    EXPECT_EQ(control.Ix_String("ch", false), 2);
    EXPECT_EQ(control.Ix_String("", false, 1), 2);   // the search starts after 1
    EXPECT_EQ(control.Ix_String("A", false, 0), 0);  // and wraps round past the end
    EXPECT_EQ(control.Ix_String("Zucchini", false), -1);
    // The data stays with its item when others go.
    EXPECT_TRUE(control.DeleteItem(0));
    EXPECT_FALSE(control.DeleteItem(7));
    EXPECT_EQ(control.nItems(), 3);
    EXPECT_EQ(control.GetItemData(control.Ix_String("Cherry", true)), 102);
    control.Set("date");
    EXPECT_EQ(control.Number(), 2);
    control.Clear();
    EXPECT_EQ(control.nItems(), 0);
  }
  // Selections of a list that may have several.
  auto* multiple = Add<QListWidget>(32);
  multiple->setSelectionMode(QAbstractItemView::MultiSelection);
  multiple->addItems({"x", "y", "z"});
  Control control(panel_, 32);
  control.Select(0);
  control.Select(2);
  EXPECT_TRUE(control.IsSelect(0));
  EXPECT_FALSE(control.IsSelect(1));
  control.Select(-1, false);
  EXPECT_FALSE(control.IsSelect(2));
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ControlTest, ChoosingWithNotifyTellsTheParentAsTheUserWould) {
  auto* combo = Add<QComboBox>(40);
  combo->addItems({"Easy", "Hard", "Mean"});
  Control control(panel_, 40);
  control.Set(1.0);
  EXPECT_TRUE(panel_->commands.empty());
  control.Set(2.0, true);
  control.Set("easy", true);
  ASSERT_EQ(panel_->commands.size(), 2u);
  EXPECT_EQ(panel_->commands[0].id, 40u);
  EXPECT_EQ(panel_->commands[0].parameter, kNotifyComboChanged);
  EXPECT_EQ(combo->currentIndex(), 0);

  // The item accessors: a check box clicked.
  auto* check = Add<QCheckBox>(41);
  panel_->SetItemNumber(41, 1, true);
  panel_->SetItemNumber(41, 1, true);  // already checked: no click
  EXPECT_TRUE(check->isChecked());
  ASSERT_EQ(panel_->commands.size(), 3u);
  EXPECT_EQ(panel_->commands[2].id, 41u);
  EXPECT_EQ(panel_->commands[2].parameter, kNotifyClicked);
  EXPECT_TRUE(sink_.reports.empty());
}

// A list nobody has chosen in yet shows no line chosen, though its cursor
// sits on the first: the first arrow chooses that line, the next steps on.
TEST_F(ControlTest, TheFirstArrowInAListWithNothingChosenChoosesTheLineUnderTheCursor) {
  Control list;
  ASSERT_TRUE(list.Create(panel_, ControlClass::kListBox, 45, "", {10, 10, 200, 100}));
  auto* widget = static_cast<QListWidget*>(Widget(45));
  widget->addItems({"One", "Two", "Three"});
  widget->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  const auto press = [widget](int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
  };
  press(Qt::Key_Down);
  EXPECT_EQ(list.Number(), 0);
  ASSERT_EQ(panel_->commands.size(), 1u);
  EXPECT_EQ(panel_->commands[0].parameter, kNotifySelectionChanged);
  press(Qt::Key_Down);
  EXPECT_EQ(list.Number(), 1);
}

TEST_F(ControlTest, EditsSelectLimitAndStep) {
  auto* line = Add<QLineEdit>(50);
  auto* spin = Add<QSpinBox>(51);
  auto* lines = Add<QPlainTextEdit>(52);
  Control edit(panel_, 50);
  edit.Set("12345");
  edit.SetSel(1, 3);
  EXPECT_EQ(edit.GetSel(), (TextSelection{1, 3}));
  edit.SetSel(2, -1);
  EXPECT_EQ(line->selectedText(), "345");
  edit.Delta(0.5);
  EXPECT_EQ(line->text(), "12345.5");
  edit.LimitText(4);
  edit.Set("abcdefgh");
  EXPECT_EQ(line->text(), "abcd");

  Control stepped(panel_, 51);
  stepped.Set(7.0);
  stepped.Delta(3);
  EXPECT_EQ(spin->value(), 10);
  EXPECT_EQ(stepped.Number(), 10);

  Control text(panel_, 52);
  text.Set("first\nsecond");
  VString second;
  text.Get(second, 1);
  EXPECT_EQ(second, "second");
  text.SetSel(6, 9);
  EXPECT_EQ(lines->textCursor().selectedText(), "sec");
  EXPECT_EQ(text.GetSel(), (TextSelection{6, 9}));
  text.LimitText(5);
  EXPECT_EQ(lines->toPlainText(), "first");
  lines->insertPlainText("more");
  EXPECT_EQ(lines->toPlainText(), "first");
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ControlTest, ControlsMadeByControl) {
  Control orphan;
  EXPECT_FALSE(orphan.Create(nullptr, ControlClass::kButton, 60, "OK", {0, 0, 80, 24}));
  EXPECT_FALSE(orphan.Create(nullptr, ControlClass::kScrollBar, 60, "", {0, 0, 80, 24}));
  EXPECT_FALSE(orphan.found());
  EXPECT_EQ(sink_.texts(), (std::vector<std::string>{"Button !padre", "ScrollBar !padre"}));
  EXPECT_TRUE(host()->findChildren<QWidget*>().empty());
  sink_.clear();

  // A static with no size takes its text's, in its font.
  Control short_label, long_label, sized, hidden;
  ASSERT_TRUE(short_label.Create(panel_, ControlClass::kStatic, 61, "Short", {10, 10, 0, 0}));
  ASSERT_TRUE(
      long_label.Create(panel_, ControlClass::kStatic, 62, "A much longer text", {10, 40, 0, 0}));
  ASSERT_TRUE(sized.Create(panel_, ControlClass::kStatic, 63, "Short", {10, 70, 200, 0}));
  ASSERT_TRUE(hidden.Create(panel_, ControlClass::kEdit, 64, "", {-1, 100, 80, 20}));
  EXPECT_EQ(short_label.type(), kControlStaticText);
  const QFontMetrics metrics(Widget(61)->font());
  const QSize text = metrics.size(0, "Short");
  EXPECT_GE(Widget(61)->width(), text.width());
  EXPECT_LE(Widget(61)->width(), text.width() + 10);
  EXPECT_GE(Widget(61)->height(), text.height());
  EXPECT_LE(Widget(61)->height(), text.height() + 6);
  EXPECT_GT(Widget(62)->width(), Widget(61)->width());
  EXPECT_EQ(Widget(63)->width(), 200);
  EXPECT_EQ(Widget(63)->height(), Widget(61)->height());
  EXPECT_FALSE(Widget(64)->isVisibleTo(host()));
  EXPECT_TRUE(Widget(61)->isVisibleTo(host()));

  // A button it makes tells its window when clicked; a label at its right
  // edge moves with it.
  Control button;
  ASSERT_TRUE(button.Create(panel_, ControlClass::kButton, 65, "Go", {100, 200, 60, 0}));
  auto* label = new QLabel("units", host());
  label->setBuddy(Widget(65));
  label->move(160, 204);
  button.Move({300, 250, 80, 30});
  EXPECT_EQ(label->pos(), QPoint(380, 254));
  QTest::mouseClick(Widget(65), Qt::LeftButton);
  ASSERT_EQ(panel_->commands.size(), 1u);
  EXPECT_EQ(panel_->commands[0].id, 65u);
  EXPECT_EQ(panel_->commands[0].parameter, kNotifyClicked);
  EXPECT_TRUE(sink_.reports.empty());
}

}  // namespace
}  // namespace cbst
