// busy.h: keeping the program responsive and honest during long work.
#pragma once

namespace cbst {

// Dispatches the window events that are waiting, so that windows repaint
// while a long operation runs on the one user-interface thread.
void PumpMessages();

// Shows the wait cursor for its lifetime, where there is a screen at all.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool shown_ = false;
};

}  // namespace cbst
