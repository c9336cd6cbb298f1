// table_preview.cpp: the table's preview window, and the count of the
// pieces lying over the preview picture.
#include "play/wmuestra.h"
#include "play/wpuz.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {

WMuestra* WPuz::preview_window() {
  Application* application = Application::Instance();
  if (!preview_window_ || !application || !application->Holds(preview_window_)) return nullptr;
  return preview_window_;
}

bool WPuz::preview_window_shown() const {
  WMuestra* window = const_cast<WPuz*>(this)->preview_window();
  return window && window->shown();
}

std::intptr_t WPuz::preview_key() const {
  WMuestra* window = const_cast<WPuz*>(this)->preview_window();
  return window ? window->key() : 0;
}

bool WPuz::ShowPreviewWindow(std::intptr_t key) {
  // Never for a game whose preview is not allowed.
  if (!exists() || PreviewPlace().Empty()) return false;
  WMuestra* window = preview_window();
  // A picture of another size (another game) needs a window of its own.
  if (window) {
    const Rect16 place = window->WindowRect();
    const BmpMem& picture = *puz().preview_picture;
    if (place.width != picture.width() + 2 * kPreviewFrame ||
        place.height != picture.height() + 2 * kPreviewFrame) {
      DestroyWindow(window, 0);
      window = preview_window_ = nullptr;
    }
  }
  if (!window) {
    Application* application = Application::Instance();
    if (!application) return false;
    window = application->Make<WMuestra>(*this);
    // First shown in the middle of the table; then where the player left it.
    const BmpMem& picture = *puz().preview_picture;
    if (!window->CreatePreview((width() - picture.width()) / 2 - kPreviewFrame,
                               (height() - picture.height()) / 2 - kPreviewFrame)) {
      DestroyWindow(window, 0);
      return false;
    }
    preview_window_ = window;
  }
  window->set_key(key);
  window->set_shown(true);
  Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
  window->Dispatch(show);
  window->KeepInside();
  window->Raise();
  return true;
}

void WPuz::HidePreviewWindow() {
  WMuestra* window = preview_window();
  if (!window || !window->shown()) return;
  PauseClock();
  window->set_shown(false);
  window->SetCapture(false);
  Event hide = MakeEvent(kRequestShow, ShowPayload{false, kShowHide});
  window->Dispatch(hide);
  ResumeClock();
}

void WPuz::SetPreviewDragged(bool dragged) {
  preview_dragged_ = dragged;
  if (preview_cover_.SetDragged(dragged)) Show(PreviewPicture());
}

void WPuz::RecountPreview() {
  if (preview_cover_.Recount(puz().cut.pieces, PreviewPicture())) Show(PreviewPicture());
}

void WPuz::PieceMoved(int piece) {
  const std::vector<int>& carried = board().carried_group();
  const bool group = board().dragged() == piece && !carried.empty();
  const int alone[] = {piece};
  const bool changed =
      group ? preview_cover_.RecountGroup(puz().cut.pieces, carried, PreviewPicture())
            : preview_cover_.RecountGroup(puz().cut.pieces, alone, PreviewPicture());
  if (changed) Show(PreviewPicture());
}

}  // namespace cbst
