// dc_mem.cpp: memory contexts and the one bitmap each draws on.
#include "gfx/dc_mem.h"

#include "base/report.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp.h"
#include "gfx/dc_context_qt.h"

namespace cbst {

DCMem::DCMem(const DC* reference, const Rect16* size)
    : own_bitmap_(std::make_unique<Bmp>(1, 1, 1)) {
  (void)reference;  // every memory context draws in the display's format
  Attach(own_bitmap_.get());
  if (size) size_ = std::pair<int, int>(size->width, size->height);
  ApplySize();
}

DCMem::~DCMem() {
  // The bitmap that was here first goes back; the selected one is free again.
  SelectBitmap(nullptr);
}

void DCMem::SelectBitmap(Bmp* bitmap) {
  if (bitmap == selected_ && (!bitmap || bitmap->handle() == attached_)) return;
  if (selected_ && selected_->handle() && selected_->handle()->selected_into == this) {
    selected_->handle()->selected_into = nullptr;
  }
  if (bitmap && bitmap->handle()) {
    DCMem* other = bitmap->handle()->selected_into;
    if (other && other != this) {
      ReportError("Bmp ya selected DCMem");
      other->selected_ = nullptr;
      other->Attach(other->own_bitmap_.get());
    }
    bitmap->handle()->selected_into = this;
  }
  selected_ = bitmap;
  Attach(bitmap ? bitmap : own_bitmap_.get());
  attached_ = bitmap ? bitmap->handle() : nullptr;
  ApplySize();
}

void DCMem::Rebind(Bmp* moved_to) {
  selected_ = moved_to;
}

void DCMem::ResetClip() {
  if (context()) {
    context()->End();
    context()->clip.reset();
  }
}

}  // namespace cbst
