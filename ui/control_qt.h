// control_qt.h: how the toolkit's controls tell their window, for ui/.
#pragma once

#include <QWidget>

#include "base/field_format.h"

namespace cbst {

class Window;

// Makes `control` (a widget carrying its id) tell `window` what the player
// does with it (see the kNotify... codes and kEventScroll); an owner-drawn
// list (kOwnerDrawProperty) gets its window's drawing. Nothing is told once
// the application no longer holds `window`.
void ConnectNotifications(QWidget* control, Window* window);

// A template's list that its window draws: the property holds the line
// height (0: asked with kEventMeasureItem).
inline constexpr char kOwnerDrawProperty[] = "ownerDraw";
// Makes the lines of `list` drawn by `window` (kEventDrawItem).
void MakeOwnerDrawn(QWidget* list, Window* window, int line_height);

// While one lives, what the program itself does to `control` is not told
// to its window as the player's doing.
class QuietControl {
 public:
  explicit QuietControl(QWidget* control);
  ~QuietControl();
  QuietControl(const QuietControl&) = delete;
  QuietControl& operator=(const QuietControl&) = delete;

 private:
  QWidget* control_;
  bool was_quiet_;
};

// The field format of an edit or a static, or none.
const FieldFormat* FormatOf(const QWidget* control);
// Keeps `format` with `control` and makes an edit take only what fits it.
void ApplyFormat(QWidget* control, const FieldFormat& format);

}  // namespace cbst
