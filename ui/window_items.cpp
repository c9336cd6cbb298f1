// window_items.cpp: a window's controls addressed by their numeric ids.
//
// Each accessor wraps the control in a Control for the one operation. A
// control without a number (a plain label) reports it rather than quietly
// taking the number as text; one without a text of its own (a button) takes
// a text as its caption.
#include "ui/control.h"
#include "ui/window.h"

namespace cbst {

void Window::SetItemNumber(int id, double value, bool notify) {
  Control(this, id).Set(value, notify);
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
  return Control(this, id).Number();
}

void Window::EnableItem(int id, bool enabled) {
  Control(this, id).Enable(enabled);
}

void Window::SetItemFocus(int id) {
  Control(this, id).SetFocus();
}

void Window::SetItemRange(int id, int minimum, int maximum, int page) {
  Control(this, id).SetRange(minimum, maximum, page);
}

}  // namespace cbst
