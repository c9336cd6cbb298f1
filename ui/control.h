// control.h: Control, one child control of a window behind one set of
// operations, whatever kind of control it is.
//
// Dialog code speaks of controls by their ids and asks for generic things
// (set a number, set a text, select an item); Control finds out what kind of
// control it wraps and does each thing the way that kind does it. Asking a
// kind for something it cannot do is reported and changes nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/field_format.h"
#include "base/rect16.h"
#include "base/vstring.h"
#include "ui/program_pictures.h"
#include "ui/window.h"

class QWidget;

namespace cbst {

class Dib;

// Control types. Their names (ControlTypeName) appear in the reports.
inline constexpr int kControlUnknown = 0;
inline constexpr int kControlPushButton = 1;
inline constexpr int kControlCheck = 2;
inline constexpr int kControlRadio = 3;
inline constexpr int kControlEdit = 4;
inline constexpr int kControlEditMultiLine = 5;
inline constexpr int kControlListBox = 6;
inline constexpr int kControlComboBox = 7;
inline constexpr int kControlScrollbar = 8;
inline constexpr int kControlStaticText = 9;
inline constexpr int kControlStaticRect = 10;
inline constexpr int kControlStaticIcon = 11;
// The framework's own control windows, which say their type when asked
// (kEventControlType).
inline constexpr int kControlText = 50;
inline constexpr int kControlEdDate = 51;
inline constexpr int kControlRXBtn = 52;
inline constexpr int kControlFader = 53;

// "Type=0" for a type that has no name.
const char* ControlTypeName(int type);

// What a control tells its window when the player uses it: a command event
// carrying the control's id and one of these. Scroll bars send kEventScroll
// instead. Only the player's own doing is told, or a Set with `notify`.
inline constexpr std::intptr_t kNotifyClicked = 0;           // a button
inline constexpr std::intptr_t kNotifySelectionChanged = 1;  // a list's selection
inline constexpr std::intptr_t kNotifyDoubleClicked = 2;     // a list's line
inline constexpr std::intptr_t kNotifyComboChanged = 3;      // a combo's choice
inline constexpr std::intptr_t kNotifyComboEdited = 5;       // typing in a combo's edit
inline constexpr std::intptr_t kNotifyEditFocus = 0x100;     // an edit took the keyboard
inline constexpr std::intptr_t kNotifyEditLostFocus = 0x200;
inline constexpr std::intptr_t kNotifyEditChanged = 0x300;  // typing in an edit

// The kinds of control a Control makes itself.
enum class ControlClass { kButton, kEdit, kListBox, kComboBox, kScrollBar, kStatic };

// Styles for Control::Create, each meaningful for its class.
inline constexpr std::uint32_t kButtonDefault = 0x01;  // the default push button
inline constexpr std::uint32_t kButtonCheck = 0x02;
inline constexpr std::uint32_t kButtonRadio = 0x04;
inline constexpr std::uint32_t kEditMultiLine = 0x01;
inline constexpr std::uint32_t kEditReadOnly = 0x02;
inline constexpr std::uint32_t kListMultipleSelection = 0x01;
// Its window draws the lines (kEventMeasureItem, kEventDrawItem).
inline constexpr std::uint32_t kListOwnerDrawn = 0x02;
inline constexpr std::uint32_t kComboEditable = 0x01;  // else a list to choose from
inline constexpr std::uint32_t kScrollVertical = 0x01;
inline constexpr std::uint32_t kStaticCentre = 0x01;
inline constexpr std::uint32_t kStaticRight = 0x02;
inline constexpr std::uint32_t kStaticFrame = 0x04;  // a rectangle, no text

// The operations, for asking whether a control has one.
enum class ControlOperation {
  kNumber,
  kGetTextLen,
  kGetString,
  kSetNumber,
  kSetString,
  kSetSel,
  kGetSel,
  kLimitText,
  kDelta,
  kAddString,
  kDeleteItem,
  kInsertString,
  kSetItemData,
  kGetItemData,
  kItemCount,
  kFindString,
  kClear,
  kSelect,
  kIsSelect,
  kShow,
  kMove,
  kSetText,
  kGetText,
  kEnable,
  kSetFocus,
  kSetRange,
  kSetFormat,
  kSetPicture,
  kOwnerDraw,
};

// A selection in an edit: from `start` up to, not including, `end`.
struct TextSelection {
  int start = 0;
  int end = 0;
  friend constexpr bool operator==(const TextSelection&, const TextSelection&) = default;
};

// Gives the framework window `control` the id its parent knows it by, so
// that a Control finds it.
void SetControlId(Window& control, int id);

class Control : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Wraps nothing yet: for Create.
  Control();
  // Wraps the control of `parent` with that id; every operation reports
  // when there is none.
  Control(Window* parent, int id);
  ~Control() override;

  // Makes a control of `control_class` in `parent`, shown unless rect.x is
  // negative. A text control with no width or height is sized from its text.
  // Without a parent it reports "<class> !padre" and makes nothing.
  bool Create(Window* parent, ControlClass control_class, int id, std::string_view text,
              const Rect16& rect, std::uint32_t style = 0);

  // Whether there is a control to work on.
  bool found() const;
  int id() const { return id_; }
  int type() const { return type_; }
  Window* parent_window() const { return parent_window_; }
  bool Supports(ControlOperation operation) const;

  // A button's pressed or check state (2: neither checked nor unchecked),
  // an edit's text read as a number, a list's selected index, a position.
  double Number();
  // The length of an item's text; -1 for the current one (see Get).
  int GetTextLen(int item = -1);
  // An item's text into `text`: a list's or combo's item (-1 its current
  // one, a combo's edit text when none is), an edit's line (-1 all of it),
  // a static's text.
  void Get(VString& text, int item = -1);
  // The value from a number: a button's state, an edit's text, the
  // selected item, a position. `notify` tells the parent as the user's own
  // click or choice would.
  void Set(double value, bool notify = false);
  // Lists and combos select the item with that text; edits and statics
  // show it.
  void Set(std::string_view text, bool notify = false);

  // Edits. A start below 0 removes the selection, an end below 0 is the
  // end of the text.
  void SetSel(int start, int end);
  TextSelection GetSel();
  // The most characters the user may type; 0 for no limit of ours.
  void LimitText(int length);
  // Adds `amount` to the number in the edit.
  void Delta(double amount);

  // Lists and combos. Indexes count from 0; -1 means none, or not found.
  int AddString(std::string_view text);  // at the end; its index
  bool DeleteItem(int index);
  int nItems();
  void SetItemData(int index, std::intptr_t data);
  std::intptr_t GetItemData(int index);
  // The first item after `after` (wrapping round) whose text is `text`, or
  // begins with it unless `exact`; letters compared without regard to case.
  int Ix_String(std::string_view text, bool exact, int after = -1);
  void Clear();
  // Lists only: -1 inserts at the end.
  int InsertString(int index, std::string_view text);
  void Select(int index, bool selected = true);
  bool IsSelect(int index);

  // Every kind: whether the player can use it, and giving it the keyboard.
  void Enable(bool enabled);
  bool IsEnabled();
  void SetFocus();

  // Scroll bars (and spin boxes): the positions from `minimum` to `maximum`
  // and, for a bar, how far a page moves (0 keeps it).
  void SetRange(int minimum, int maximum, int page = 0);

  // Edits and statics show their numbers as `format` says (FormatValue) and
  // edits take only what fits it: its length, upper case, a number within
  // its limits with its decimals. A static with a format has a value too.
  void SetFormat(const FieldFormat& format);

  // Buttons: a picture shown with (or instead of) the text; an empty or
  // invalid one takes the picture away.
  void SetPicture(const ProgramPicture& picture);
  void SetPicture(const Dib& picture);

  // Lists: the window draws the lines, each `line_height` pixels high (0:
  // asked once with kEventMeasureItem).
  void OwnerDraw(int line_height = 0);

  // Every kind. Move keeps a label attached to the control's right edge
  // (one whose buddy it is) attached there.
  void Show(bool shown);
  void Move(const Rect16& rect) override;
  void SetText(std::string_view text);
  // What the control shows as its text: a list's current item, a combo's
  // current text, a spin box's number.
  VString GetText();

 private:
  void Bind(Window* parent, int id, QWidget* widget);
  // The widget when the control has one and `operation` is defined for its
  // type; otherwise reports and gives none.
  QWidget* Check(ControlOperation operation) const;
  // Tells the parent, as a command with the control's id.
  void Notify(std::intptr_t what);
  // Makes item `index` of a list or combo the current one; unless told to
  // notify, choosing the current one again does nothing.
  void Choose(QWidget* widget, int index, bool notify);

  std::unique_ptr<PlatformWindow> control_;
  Window* parent_window_ = nullptr;
  int id_ = 0;
  int type_ = kControlUnknown;
};

}  // namespace cbst
