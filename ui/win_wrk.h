// win_wrk.h: WinWrk, the general work window, with an optional picture
// tiled behind its contents.
#pragma once

#include "ui/window.h"

namespace cbst {

class BmpMem;

class WinWrk : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // The picture is not owned; none paints nothing.
  void set_background(BmpMem* picture) { background_ = picture; }
  void Paint(DC& dc) override;

 private:
  BmpMem* background_ = nullptr;
};

}  // namespace cbst
