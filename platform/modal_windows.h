// modal_windows.h: who hears that a modal window opens and closes.
//
// While a dialog or a message box waits for the player, the game's clock
// stands still. Every modal window the program shows holds a
// ModalWindowOpen for as long as it is open, and the one watcher hears of
// it.
#pragma once

namespace cbst {

class ModalWatcher {
 public:
  virtual ~ModalWatcher() = default;
  virtual void ModalWindowOpened() = 0;
  virtual void ModalWindowClosed() = 0;
};

// The one watcher; none stops the watching.
void WatchModalWindows(ModalWatcher* watcher);
ModalWatcher* ModalWindowWatcher();
// How many modal windows are open now.
int OpenModalWindows();

// Held while a modal window is open.
class ModalWindowOpen {
 public:
  ModalWindowOpen();
  ~ModalWindowOpen();
  ModalWindowOpen(const ModalWindowOpen&) = delete;
  ModalWindowOpen& operator=(const ModalWindowOpen&) = delete;
};

}  // namespace cbst
