// control.cpp: Control's operations done with the toolkit's own widgets.
//
// The widget's class decides the control type (TypeOf, the one place that
// does), the type decides which operations are defined (kRules), and each
// operation then uses the widget's own interface.
#include "ui/control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>

#include "base/cp1252.h"
#include "base/field_value.h"
#include "base/numbers.h"
#include "base/report.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp_mem.h"
#include "gfx/dib.h"
#include "platform/platform_window_qt.h"
#include "ui/control_qt.h"
#include "ui/window_host_qt.h"

namespace cbst {

const ClassInfo Control::kClass = {&Window::kClass, "Control"};

namespace {

struct TypeName {
  int type;
  const char* name;
};
constexpr TypeName kTypeNames[] = {
    {kControlPushButton, "PushButton"}, {kControlCheck, "Check"},
    {kControlRadio, "Radio"},           {kControlEdit, "Edit"},
    {kControlEditMultiLine, "Edit"},    {kControlListBox, "ListBox"},
    {kControlComboBox, "ComboBox"},     {kControlScrollbar, "Scrollbar"},
    {kControlStaticText, "StaticText"}, {kControlStaticRect, "StaticRect"},
    {kControlStaticIcon, "StaticIcon"}, {kControlText, "Text"},
    {kControlEdDate, "EdDate"},         {kControlRXBtn, "RXBtn"},
    {kControlFader, "Fader"},
};

constexpr std::uint64_t Bit(int type) {
  return std::uint64_t{1} << type;
}
constexpr std::uint64_t kButtons =
    Bit(kControlPushButton) | Bit(kControlCheck) | Bit(kControlRadio);
constexpr std::uint64_t kEdits = Bit(kControlEdit) | Bit(kControlEditMultiLine);
constexpr std::uint64_t kLists = Bit(kControlListBox) | Bit(kControlComboBox);
constexpr std::uint64_t kValued = kButtons | kEdits | kLists | Bit(kControlScrollbar);
constexpr std::uint64_t kTexts = Bit(kControlStaticText) | kEdits | kLists;
constexpr std::uint64_t kEveryType = ~std::uint64_t{0};

// What each operation is called in the reports, and the types that have it.
struct OperationRule {
  ControlOperation operation;
  const char* name;
  std::uint64_t types;
};
constexpr OperationRule kRules[] = {
    {ControlOperation::kNumber, "Number", kValued},
    {ControlOperation::kGetTextLen, "GetTextLen", kTexts | Bit(kControlText)},
    {ControlOperation::kGetString, "Get(char *)", kTexts},
    {ControlOperation::kSetNumber, "Set(double)", kValued},
    {ControlOperation::kSetString, "Set(char *)", kTexts},
    {ControlOperation::kSetSel, "SetSel", kEdits},
    {ControlOperation::kGetSel, "GetSel", kEdits},
    {ControlOperation::kLimitText, "LimitText", kEdits},
    {ControlOperation::kDelta, "Delta", kEdits},
    {ControlOperation::kAddString, "AddString", kLists},
    {ControlOperation::kDeleteItem, "DeleteItem", kLists},
    {ControlOperation::kInsertString, "InsertString", Bit(kControlListBox)},
    {ControlOperation::kSetItemData, "SetItemData", kLists},
    {ControlOperation::kGetItemData, "GetItemData", kLists},
    {ControlOperation::kItemCount, "nItems", kLists},
    {ControlOperation::kFindString, "Ix_String", kLists},
    {ControlOperation::kClear, "Clear", kLists},
    {ControlOperation::kSelect, "Select", Bit(kControlListBox)},
    {ControlOperation::kIsSelect, "IsSelect", Bit(kControlListBox)},
    {ControlOperation::kShow, "Show", kEveryType},
    {ControlOperation::kMove, "Move", kEveryType},
    {ControlOperation::kSetText, "SetText", kEveryType},
    {ControlOperation::kGetText, "GetText", kEveryType},
    {ControlOperation::kEnable, "Enable", kEveryType},
    {ControlOperation::kSetFocus, "SetFocus", kEveryType},
    {ControlOperation::kSetRange, "SetRange", Bit(kControlScrollbar) | kEdits},
    {ControlOperation::kSetFormat, "SetFormat", kEdits | Bit(kControlStaticText)},
    {ControlOperation::kSetPicture, "SetPicture", kButtons},
    {ControlOperation::kOwnerDraw, "OwnerDraw", Bit(kControlListBox)},
};
constexpr bool RulesInOrder() {
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    if (static_cast<std::size_t>(kRules[i].operation) != i) return false;
  }
  return true;
}
static_assert(RulesInOrder() &&
              std::size(kRules) == 1 + static_cast<int>(ControlOperation::kOwnerDraw));

const OperationRule& RuleOf(ControlOperation operation) {
  return kRules[static_cast<int>(operation)];
}

// The names of the classes a Control makes, as the reports give them.
const char* ClassNameOf(ControlClass control_class) {
  switch (control_class) {
    case ControlClass::kButton:
      return "Button";
    case ControlClass::kEdit:
      return "Edit";
    case ControlClass::kListBox:
      return "ListBox";
    case ControlClass::kComboBox:
      return "ComboBox";
    case ControlClass::kScrollBar:
      return "ScrollBar";
    case ControlClass::kStatic:
      return "Static";
  }
  return "";
}

// Room around the text of a static sized from its text.
constexpr int kStaticMarginX = 2;
constexpr int kStaticMarginY = 1;

QString Shown(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

VString Kept(const QString& text) {
  return VString(Utf8ToCp1252(text.toStdString()));
}

// The control type of a widget. Spin boxes are edits (a number typed or
// stepped, which Delta steps too); sliders, dials and progress bars are
// scroll bars (a position in a range); group boxes are frames.
int TypeOf(QWidget* widget) {
  if (!widget) return kControlUnknown;
  if (auto* host = dynamic_cast<WindowHost*>(widget)) {
    Event asked = MakeEvent(kEventControlType, ControlTypePayload{});
    host->window().Dispatch(asked);
    return asked.handled() ? asked.as<ControlTypePayload>()->type : kControlUnknown;
  }
  if (qobject_cast<QRadioButton*>(widget)) return kControlRadio;
  if (qobject_cast<QCheckBox*>(widget)) return kControlCheck;
  if (qobject_cast<QAbstractButton*>(widget)) return kControlPushButton;
  if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget))
    return kControlEdit;
  if (qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget))
    return kControlEditMultiLine;
  if (qobject_cast<QListWidget*>(widget)) return kControlListBox;
  if (qobject_cast<QComboBox*>(widget)) return kControlComboBox;
  if (qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QProgressBar*>(widget))
    return kControlScrollbar;
  if (auto* label = qobject_cast<QLabel*>(widget))
    return label->pixmap().isNull() ? kControlStaticText : kControlStaticIcon;
  if (widget->metaObject() == &QFrame::staticMetaObject || qobject_cast<QGroupBox*>(widget))
    return kControlStaticRect;
  return kControlUnknown;
}

QWidget* ChildWithId(Window* parent, int id) {
  QWidget* host = parent ? WidgetOf(parent->platform_window()) : nullptr;
  if (!host) return nullptr;
  for (QWidget* child : host->findChildren<QWidget*>()) {
    const QVariant value = child->property(kControlIdProperty);
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

// Buttons. Their state as a number: 1 pressed or checked, 0 not, 2 for a
// three-state check box in its middle state.
int ButtonState(QAbstractButton* button) {
  if (auto* check = qobject_cast<QCheckBox*>(button)) {
    const Qt::CheckState state = check->checkState();
    return state == Qt::PartiallyChecked ? 2 : state == Qt::Checked ? 1 : 0;
  }
  return button->isCheckable() ? button->isChecked() : button->isDown();
}

void SetButtonState(QAbstractButton* button, int state) {
  if (auto* check = qobject_cast<QCheckBox*>(button)) {
    check->setCheckState(state == 2   ? Qt::PartiallyChecked
                         : state != 0 ? Qt::Checked
                                      : Qt::Unchecked);
  } else if (button->isCheckable()) {
    button->setChecked(state != 0);
  } else {
    button->setDown(state != 0);
  }
}

// Edits: line edits, spin boxes and multi-line edits.
QLineEdit* LineOf(QWidget* edit) {
  if (auto* line = qobject_cast<QLineEdit*>(edit)) return line;
  if (qobject_cast<QAbstractSpinBox*>(edit)) return edit->findChild<QLineEdit*>();
  return nullptr;
}

QTextDocument* DocumentOf(QWidget* edit) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) return plain->document();
  if (auto* rich = qobject_cast<QTextEdit*>(edit)) return rich->document();
  return nullptr;
}

// Runs `work` with the multi-line edit as its own class; false for others.
template <typename Work>
bool WithTextEdit(QWidget* edit, Work work) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
    work(plain);
    return true;
  }
  if (auto* rich = qobject_cast<QTextEdit*>(edit)) {
    work(rich);
    return true;
  }
  return false;
}

QString EditText(QWidget* edit) {
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit)) return spin->text();
  if (QLineEdit* line = LineOf(edit)) return line->text();
  if (QTextDocument* document = DocumentOf(edit)) return document->toPlainText();
  return {};
}

void SetEditText(QWidget* edit, const QString& text) {
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit)) {
    if (QLineEdit* line = LineOf(edit)) line->setText(text);
    spin->interpretText();
  } else if (QLineEdit* line = LineOf(edit)) {
    line->setText(text);
  } else if (QTextDocument* document = DocumentOf(edit)) {
    document->setPlainText(text);
  }
}

// A number in the text of an edit or a static: as its format reads it (0
// for text that does not fit the format), or at full precision.
double TextNumber(QWidget* control, const QString& text) {
  const VString kept = Kept(text);
  if (const FieldFormat* format = FormatOf(control))
    return ReadValue(*format, kept.view()).value_or(0);
  return TextToDouble(kept.c_str());
}

QString NumberText(QWidget* control, double value) {
  const FieldFormat* format = FormatOf(control);
  return Shown((format ? FormatValue(*format, value) : NumberToText(value)).view());
}

double EditNumber(QWidget* edit) {
  if (auto* whole = qobject_cast<QSpinBox*>(edit)) return whole->value();
  if (auto* decimal = qobject_cast<QDoubleSpinBox*>(edit)) return decimal->value();
  return TextNumber(edit, EditText(edit));
}

void SetEditNumber(QWidget* edit, double value) {
  if (auto* whole = qobject_cast<QSpinBox*>(edit)) {
    whole->setValue(static_cast<int>(value));
  } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(edit)) {
    decimal->setValue(value);
  } else {
    SetEditText(edit, NumberText(edit, value));
  }
}

// Keeps a multi-line edit's text within a length, as a line edit's own
// maximum does; one per edit, found by its name.
constexpr char kTextLimitName[] = "cbst_text_limit";
class TextLimit final : public QObject {
 public:
  TextLimit(QTextDocument* document, QObject* edit) : QObject(edit), document_(document) {
    setObjectName(kTextLimitName);
    connect(document, &QTextDocument::contentsChanged, this, [this] { Enforce(); });
  }
  void set_length(int length) {
    length_ = length;
    Enforce();
  }

 private:
  void Enforce() {
    // The document counts its closing paragraph mark as a character.
    if (length_ <= 0 || document_->characterCount() - 1 <= length_) return;
    QTextCursor cursor(document_);
    cursor.setPosition(length_);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  QTextDocument* document_;
  int length_ = 0;
};

// The items of a list box or a combo box, whichever the widget is.
class Items {
 public:
  explicit Items(QWidget* widget)
      : combo_(qobject_cast<QComboBox*>(widget)), list_(qobject_cast<QListWidget*>(widget)) {}

  int count() const { return combo_ ? combo_->count() : list_->count(); }
  bool valid(int index) const { return index >= 0 && index < count(); }
  QString text(int index) const {
    if (!valid(index)) return {};
    return combo_ ? combo_->itemText(index) : list_->item(index)->text();
  }
  // A list's is its selected line (the first of several), not the line
  // the keyboard is on, which need not be selected.
  int current() const {
    if (combo_) return combo_->currentIndex();
    for (int row = 0; row < list_->count(); ++row) {
      if (list_->item(row)->isSelected()) return row;
    }
    return -1;
  }
  void set_current(int index) const {
    if (combo_) {
      combo_->setCurrentIndex(index);
    } else if (valid(index)) {
      list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
      list_->clearSelection();
      list_->setCurrentRow(-1);
    }
  }
  int insert(int index, const QString& text) const {
    if (!valid(index)) index = count();
    combo_ ? combo_->insertItem(index, text) : list_->insertItem(index, text);
    return index;
  }
  bool remove(int index) const {
    if (!valid(index)) return false;
    combo_ ? combo_->removeItem(index) : delete list_->takeItem(index);
    return true;
  }
  void set_data(int index, std::intptr_t data) const {
    if (!valid(index)) return;
    const QVariant value = QVariant::fromValue(static_cast<qlonglong>(data));
    combo_ ? combo_->setItemData(index, value, Qt::UserRole)
           : list_->item(index)->setData(Qt::UserRole, value);
  }
  std::intptr_t data(int index) const {
    if (!valid(index)) return 0;
    const QVariant value =
        combo_ ? combo_->itemData(index, Qt::UserRole) : list_->item(index)->data(Qt::UserRole);
    return static_cast<std::intptr_t>(value.toLongLong());
  }
  void clear() const { combo_ ? combo_->clear() : list_->clear(); }
  int find(const QString& text, bool exact, int after) const {
    const int items = count();
    const int first = after >= 0 && after < items ? after + 1 : 0;
    for (int step = 0; step < items; ++step) {
      const int index = (first + step) % items;
      const QString item = this->text(index);
      if (exact ? item.compare(text, Qt::CaseInsensitive) == 0
                : item.startsWith(text, Qt::CaseInsensitive))
        return index;
    }
    return -1;
  }

 private:
  QComboBox* combo_;
  QListWidget* list_;
};

// What a control shows as its own text; controls without one keep it as
// their title.
QString ShownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull())
    return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  if (qobject_cast<QListWidget*>(widget)) {
    const Items items(widget);
    return items.text(items.current());
  }
  if (LineOf(widget) || DocumentOf(widget)) return EditText(widget);
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  return widget->windowTitle();
}

void ShowText(QWidget* widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull()) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable()) {
    combo->setEditText(text);
  } else if (combo || qobject_cast<QListWidget*>(widget)) {
    const Items items(widget);
    items.set_current(items.find(text, true, -1));
  } else if (LineOf(widget) || DocumentOf(widget)) {
    SetEditText(widget, text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  } else {
    widget->setWindowTitle(text);
  }
}

// An item's text: see Control::Get.
QString ItemText(QWidget* widget, int type, int item) {
  switch (type) {
    case kControlListBox: {
      const Items items(widget);
      return items.text(item < 0 ? items.current() : item);
    }
    case kControlComboBox: {
      const Items items(widget);
      if (item < 0 && items.current() < 0) return static_cast<QComboBox*>(widget)->currentText();
      return items.text(item < 0 ? items.current() : item);
    }
    case kControlEdit:
    case kControlEditMultiLine:
      if (item < 0) return EditText(widget);
      if (QTextDocument* document = DocumentOf(widget))
        return document->findBlockByNumber(item).text();
      return item == 0 ? EditText(widget) : QString();
    default:
      return ShownText(widget);
  }
}

QWidget* MakeWidget(ControlClass control_class, std::uint32_t style, const QString& text,
                    QWidget* parent) {
  switch (control_class) {
    case ControlClass::kButton: {
      if (style & kButtonCheck) return new QCheckBox(text, parent);
      if (style & kButtonRadio) return new QRadioButton(text, parent);
      auto* button = new QPushButton(text, parent);
      button->setDefault((style & kButtonDefault) != 0);
      return button;
    }
    case ControlClass::kEdit: {
      if (style & kEditMultiLine) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly((style & kEditReadOnly) != 0);
        return edit;
      }
      auto* edit = new QLineEdit(text, parent);
      edit->setReadOnly((style & kEditReadOnly) != 0);
      return edit;
    }
    case ControlClass::kListBox: {
      auto* list = new QListWidget(parent);
      if (style & kListMultipleSelection) list->setSelectionMode(QAbstractItemView::MultiSelection);
      return list;
    }
    case ControlClass::kComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable((style & kComboEditable) != 0);
      if (combo->isEditable()) combo->setEditText(text);
      return combo;
    }
    case ControlClass::kScrollBar:
      return new QScrollBar(style & kScrollVertical ? Qt::Vertical : Qt::Horizontal, parent);
    case ControlClass::kStatic: {
      if (style & kStaticFrame) {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        return frame;
      }
      auto* label = new QLabel(text, parent);
      label->setAlignment(Qt::AlignVCenter | (style & kStaticCentre  ? Qt::AlignHCenter
                                              : style & kStaticRight ? Qt::AlignRight
                                                                     : Qt::AlignLeft));
      return label;
    }
  }
  return nullptr;
}

// The size of a text control with no width or height of its own: a static
// measures its text in its font; a button asks its style, which measures
// its text the same way and adds its bevel and check mark.
QSize TextControlSize(QWidget* widget, ControlClass control_class, const QString& text) {
  if (control_class == ControlClass::kStatic) {
    return QFontMetrics(widget->font()).size(0, text) +
           QSize(2 * kStaticMarginX, 2 * kStaticMarginY);
  }
  return widget->sizeHint();
}

}  // namespace

const char* ControlTypeName(int type) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  return "Type=0";
}

void SetControlId(Window& control, int id) {
  if (QWidget* widget = WidgetOf(control.platform_window()))
    widget->setProperty(kControlIdProperty, id);
}

Control::Control() : control_(std::make_unique<PlatformWindow>()) {}

Control::Control(Window* parent, int id) : Control() {
  Bind(parent, id, ChildWithId(parent, id));
}

Control::~Control() = default;

void Control::Bind(Window* parent, int id, QWidget* widget) {
  parent_window_ = parent;
  id_ = id;
  control_->widget = widget;
  type_ = TypeOf(widget);
}

bool Control::found() const {
  return WidgetOf(control_.get()) != nullptr;
}

bool Control::Supports(ControlOperation operation) const {
  if (RuleOf(operation).types & Bit(type_)) return true;
  // A static showing a formatted value has that value as its number.
  return type_ == kControlStaticText &&
         (operation == ControlOperation::kNumber || operation == ControlOperation::kSetNumber) &&
         FormatOf(WidgetOf(control_.get())) != nullptr;
}

QWidget* Control::Check(ControlOperation operation) const {
  const char* name = RuleOf(operation).name;
  QWidget* widget = WidgetOf(control_.get());
  if (!widget) {
    ReportErrorF("Control::%s !hWnd", name);
    return nullptr;
  }
  if (!Supports(operation)) {
    ReportErrorF("Control::%s not def for %s", name, ControlTypeName(type_));
    return nullptr;
  }
  return widget;
}

void Control::Notify(std::intptr_t what) {
  if (!parent_window_) return;
  Event event = MakeEvent(kEventCommand, CommandPayload{static_cast<std::uint32_t>(id_), what});
  parent_window_->Dispatch(event);
}

void Control::Choose(QWidget* widget, int index, bool notify) {
  const Items items(widget);
  if (index == items.current() && !notify) return;
  {
    const QuietControl quiet(widget);
    items.set_current(index);
  }
  if (notify) Notify(type_ == kControlComboBox ? kNotifyComboChanged : kNotifySelectionChanged);
}

bool Control::Create(Window* parent, ControlClass control_class, int id, std::string_view text,
                     const Rect16& rect, std::uint32_t style) {
  QWidget* host = parent ? WidgetOf(parent->platform_window()) : nullptr;
  if (!host) {
    ReportErrorF("%s !padre", ClassNameOf(control_class));
    return false;
  }
  const QString shown = Shown(text);
  QWidget* widget = MakeWidget(control_class, style, shown, host);
  widget->setProperty(kControlIdProperty, id);
  QSize size(rect.width, rect.height);
  if (size.width() == 0 || size.height() == 0) {
    const QSize measured = TextControlSize(widget, control_class, shown);
    if (size.width() == 0) size.setWidth(measured.width());
    if (size.height() == 0) size.setHeight(measured.height());
  }
  widget->setGeometry(QRect(QPoint(rect.x, rect.y), size));
  widget->setVisible(rect.x >= 0);
  if (control_class == ControlClass::kListBox && (style & kListOwnerDrawn))
    widget->setProperty(kOwnerDrawProperty, 0);
  ConnectNotifications(widget, parent);
  Bind(parent, id, widget);
  return true;
}

double Control::Number() {
  QWidget* widget = Check(ControlOperation::kNumber);
  if (!widget) return 0;
  switch (type_) {
    case kControlPushButton:
    case kControlCheck:
    case kControlRadio:
      return ButtonState(static_cast<QAbstractButton*>(widget));
    case kControlEdit:
    case kControlEditMultiLine:
      return EditNumber(widget);
    case kControlListBox:
    case kControlComboBox:
      return Items(widget).current();
    case kControlStaticText:
      return TextNumber(widget, ShownText(widget));
    default:
      if (auto* bar = qobject_cast<QProgressBar*>(widget)) return bar->value();
      return static_cast<QAbstractSlider*>(widget)->value();
  }
}

int Control::GetTextLen(int item) {
  QWidget* widget = Check(ControlOperation::kGetTextLen);
  return widget ? Kept(ItemText(widget, type_, item)).length() : 0;
}

void Control::Get(VString& text, int item) {
  if (QWidget* widget = Check(ControlOperation::kGetString))
    text = Kept(ItemText(widget, type_, item));
}

void Control::Set(double value, bool notify) {
  QWidget* widget = Check(ControlOperation::kSetNumber);
  if (!widget) return;
  const int whole = static_cast<int>(value);
  switch (type_) {
    case kControlPushButton:
    case kControlCheck:
    case kControlRadio: {
      auto* button = static_cast<QAbstractButton*>(widget);
      // A push button's state is held down or let go; telling the parent is
      // up to `notify`, as for the other buttons.
      const bool changed = ButtonState(button) != whole;
      {
        const QuietControl quiet(widget);
        SetButtonState(button, whole);
      }
      if (notify && changed) Notify(kNotifyClicked);
      return;
    }
    case kControlEdit:
    case kControlEditMultiLine: {
      const QuietControl quiet(widget);
      SetEditNumber(widget, value);
      return;
    }
    case kControlStaticText:
      static_cast<QLabel*>(widget)->setText(NumberText(widget, value));
      return;
    case kControlListBox:
    case kControlComboBox:
      Choose(widget, whole, notify);
      return;
    default:
      if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        bar->setValue(whole);
      } else {
        static_cast<QAbstractSlider*>(widget)->setValue(whole);
      }
  }
}

void Control::Set(std::string_view text, bool notify) {
  QWidget* widget = Check(ControlOperation::kSetString);
  if (!widget) return;
  const QString shown = Shown(text);
  if (type_ != kControlListBox && type_ != kControlComboBox) {
    const QuietControl quiet(widget);
    ShowText(widget, shown);
    return;
  }
  const int index = Items(widget).find(shown, true, -1);
  auto* combo = qobject_cast<QComboBox*>(widget);
  if (index < 0 && combo && combo->isEditable()) {
    // A text the list does not have is typed into the combo's edit.
    const QuietControl quiet(widget);
    combo->setCurrentIndex(-1);
    combo->setEditText(shown);
    return;
  }
  Choose(widget, index, notify);
}

void Control::SetSel(int start, int end) {
  QWidget* widget = Check(ControlOperation::kSetSel);
  if (!widget) return;
  if (end < 0 || end > EditText(widget).size()) end = static_cast<int>(EditText(widget).size());
  if (QLineEdit* line = LineOf(widget)) {
    start < 0 ? line->deselect() : line->setSelection(start, end - start);
    return;
  }
  WithTextEdit(widget, [&](auto* edit) {
    QTextCursor cursor = edit->textCursor();
    if (start < 0) {
      cursor.clearSelection();
    } else {
      cursor.setPosition(std::min(start, end));
      cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
  });
}

TextSelection Control::GetSel() {
  QWidget* widget = Check(ControlOperation::kGetSel);
  TextSelection selection;
  if (!widget) return selection;
  if (QLineEdit* line = LineOf(widget)) {
    if (line->hasSelectedText()) return {line->selectionStart(), line->selectionEnd()};
    return {line->cursorPosition(), line->cursorPosition()};
  }
  WithTextEdit(widget, [&](auto* edit) {
    const QTextCursor cursor = edit->textCursor();
    selection = {cursor.selectionStart(), cursor.selectionEnd()};
  });
  return selection;
}

void Control::LimitText(int length) {
  QWidget* widget = Check(ControlOperation::kLimitText);
  if (!widget) return;
  // A line edit's own limit when there is none of ours.
  constexpr int kLineEditLimit = 32767;
  if (QLineEdit* line = LineOf(widget)) {
    line->setMaxLength(length > 0 ? length : kLineEditLimit);
    return;
  }
  auto* limit = dynamic_cast<TextLimit*>(widget->findChild<QObject*>(kTextLimitName));
  if (!limit) limit = new TextLimit(DocumentOf(widget), widget);
  limit->set_length(length);
}

void Control::Delta(double amount) {
  if (QWidget* widget = Check(ControlOperation::kDelta)) {
    const QuietControl quiet(widget);
    SetEditNumber(widget, EditNumber(widget) + amount);
  }
}

int Control::AddString(std::string_view text) {
  QWidget* widget = Check(ControlOperation::kAddString);
  return widget ? Items(widget).insert(-1, Shown(text)) : -1;
}

bool Control::DeleteItem(int index) {
  QWidget* widget = Check(ControlOperation::kDeleteItem);
  if (!widget) return false;
  const QuietControl quiet(widget);
  return Items(widget).remove(index);
}

int Control::nItems() {
  QWidget* widget = Check(ControlOperation::kItemCount);
  return widget ? Items(widget).count() : 0;
}

void Control::SetItemData(int index, std::intptr_t data) {
  if (QWidget* widget = Check(ControlOperation::kSetItemData)) Items(widget).set_data(index, data);
}

std::intptr_t Control::GetItemData(int index) {
  QWidget* widget = Check(ControlOperation::kGetItemData);
  return widget ? Items(widget).data(index) : 0;
}

int Control::Ix_String(std::string_view text, bool exact, int after) {
  QWidget* widget = Check(ControlOperation::kFindString);
  return widget ? Items(widget).find(Shown(text), exact, after) : -1;
}

void Control::Clear() {
  if (QWidget* widget = Check(ControlOperation::kClear)) {
    const QuietControl quiet(widget);
    Items(widget).clear();
  }
}

int Control::InsertString(int index, std::string_view text) {
  QWidget* widget = Check(ControlOperation::kInsertString);
  return widget ? Items(widget).insert(index, Shown(text)) : -1;
}

void Control::Select(int index, bool selected) {
  auto* list = static_cast<QListWidget*>(Check(ControlOperation::kSelect));
  if (!list) return;
  const QuietControl quiet(list);
  // -1 is every item.
  if (index < 0) {
    selected ? list->selectAll() : list->clearSelection();
  } else if (QListWidgetItem* item = list->item(index)) {
    if (selected && list->selectionMode() == QAbstractItemView::SingleSelection) {
      list->setCurrentItem(item);
    } else {
      item->setSelected(selected);
    }
  }
}

bool Control::IsSelect(int index) {
  auto* list = static_cast<QListWidget*>(Check(ControlOperation::kIsSelect));
  QListWidgetItem* item = list ? list->item(index) : nullptr;
  return item && item->isSelected();
}

void Control::Show(bool shown) {
  if (QWidget* widget = Check(ControlOperation::kShow)) widget->setVisible(shown);
}

void Control::Move(const Rect16& rect) {
  QWidget* widget = Check(ControlOperation::kMove);
  if (!widget) return;
  const QRect before = widget->geometry();
  widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  QWidget* parent = widget->parentWidget();
  if (!parent) return;
  for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (label->buddy() == widget && label->x() == before.x() + before.width())
      label->move(rect.x + rect.width, label->y() - before.y() + rect.y);
  }
}

void Control::SetText(std::string_view text) {
  if (QWidget* widget = Check(ControlOperation::kSetText)) {
    const QuietControl quiet(widget);
    ShowText(widget, Shown(text));
  }
}

VString Control::GetText() {
  QWidget* widget = Check(ControlOperation::kGetText);
  return widget ? Kept(ShownText(widget)) : VString();
}

void Control::Enable(bool enabled) {
  if (QWidget* widget = Check(ControlOperation::kEnable)) widget->setEnabled(enabled);
}

bool Control::IsEnabled() {
  QWidget* widget = Check(ControlOperation::kEnable);
  return widget && widget->isEnabled();
}

void Control::SetFocus() {
  if (QWidget* widget = Check(ControlOperation::kSetFocus)) widget->setFocus(Qt::OtherFocusReason);
}

void Control::SetRange(int minimum, int maximum, int page) {
  QWidget* widget = Check(ControlOperation::kSetRange);
  if (!widget) return;
  const QuietControl quiet(widget);
  if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
    slider->setRange(minimum, maximum);
    if (page > 0) slider->setPageStep(page);
  } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
    bar->setRange(minimum, maximum);
  } else if (auto* whole = qobject_cast<QSpinBox*>(widget)) {
    whole->setRange(minimum, maximum);
  } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget)) {
    decimal->setRange(minimum, maximum);
  } else {
    // A plain edit keeps its limits in its format.
    FieldFormat format = FormatOf(widget) ? *FormatOf(widget) : FieldFormat{};
    format.flags |= kFormatNumeric;
    format.minimum = minimum;
    format.maximum = maximum;
    ApplyFormat(widget, format);
  }
}

void Control::SetFormat(const FieldFormat& format) {
  if (QWidget* widget = Check(ControlOperation::kSetFormat)) ApplyFormat(widget, format);
}

namespace {

void ShowPicture(QAbstractButton* button, const QImage& image) {
  if (image.isNull()) {
    button->setIcon(QIcon());
    return;
  }
  button->setIcon(QIcon(QPixmap::fromImage(image)));
  button->setIconSize(image.size());
}

}  // namespace

void Control::SetPicture(const ProgramPicture& picture) {
  auto* button = static_cast<QAbstractButton*>(Check(ControlOperation::kSetPicture));
  if (!button) return;
  if (picture.empty()) {
    ShowPicture(button, {});
    return;
  }
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                     picture.height, picture.width * 4, QImage::Format_ARGB32);
  ShowPicture(button, image.copy());
}

void Control::SetPicture(const Dib& picture) {
  auto* button = static_cast<QAbstractButton*>(Check(ControlOperation::kSetPicture));
  if (!button) return;
  if (!picture.valid()) {
    ShowPicture(button, {});
    return;
  }
  // Drawn as the screen would show it, palette and all.
  BmpMem bitmap(picture.width(), picture.height());
  picture.Draw(bitmap.dc(), 0, 0);
  bitmap.dc().Flush();
  ShowPicture(button, bitmap.handle()->image.convertToFormat(QImage::Format_RGB32));
}

void Control::OwnerDraw(int line_height) {
  if (QWidget* widget = Check(ControlOperation::kOwnerDraw))
    MakeOwnerDrawn(widget, parent_window_, line_height);
}

}  // namespace cbst
