// window_items.cpp: a window's controls addressed by their numeric ids.
//
// Each accessor wraps the control in a Control for the one operation. A
// control that has no number (a label) takes and gives its value as text.
#include <QString>

#include "base/numbers.h"
#include "ui/control.h"
#include "ui/window.h"

namespace cbst {

void Window::SetItemNumber(int id, double value, bool notify) {
  Control control(this, id);
  if (!control.found() || control.Supports(ControlOperation::kSetNumber)) {
    control.Set(value, notify);
  } else {
    control.SetText(QString::number(value).toStdString());
  }
}

void Window::SetItemText(int id, std::string_view text, bool notify) {
  Control control(this, id);
  if (!control.found() || control.Supports(ControlOperation::kSetString)) {
    control.Set(text, notify);
  } else {
    control.SetText(text);
  }
}

VString Window::GetItemText(int id) {
  return Control(this, id).GetText();
}

double Window::GetItemNumber(int id) {
  Control control(this, id);
  if (!control.found() || control.Supports(ControlOperation::kNumber)) return control.Number();
  return TextToDouble(control.GetText().c_str());
}

}  // namespace cbst
