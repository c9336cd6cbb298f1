// modal_windows.cpp: the count of open modal windows and their watcher.
#include "platform/modal_windows.h"

namespace cbst {
namespace {

ModalWatcher* watcher = nullptr;
int open_windows = 0;

}  // namespace

void WatchModalWindows(ModalWatcher* new_watcher) {
  watcher = new_watcher;
}

ModalWatcher* ModalWindowWatcher() {
  return watcher;
}

int OpenModalWindows() {
  return open_windows;
}

ModalWindowOpen::ModalWindowOpen() {
  ++open_windows;
  if (watcher) watcher->ModalWindowOpened();
}

ModalWindowOpen::~ModalWindowOpen() {
  --open_windows;
  if (watcher) watcher->ModalWindowClosed();
}

}  // namespace cbst
