// wadvanced.h: WAdvanced, the special options window (Ctrl+F12): the
// drawing methods to fall back on when pieces look wrong, and the system
// report to send along with the question.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/options.h"
#include "app/settings.h"
#include "ui/win_dlg.h"

namespace cbst {

inline constexpr int kAdvancedTemplate = 8000;
inline constexpr int kAdvancedCopyReport = 8000;
inline constexpr int kAdvancedForceRotation = 8001;
inline constexpr int kAdvancedFastDrawing = 2516;
inline constexpr int kTextForcedRotationHint = 8002;

class WAdvanced final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // `report` makes the system report when the player asks to copy it;
  // `rotation` is told the new turning method when box 8001 changes.
  WAdvanced(Options& options, const Settings& settings, std::function<std::string()> report,
            std::function<void(int)> rotation);

  void OnEvent(Event& event) override;
  void Destroy(int result) override;

 private:
  void Prime();
  void ForceRotation(bool forced);

  Options& options_;
  const Settings& settings_;
  std::function<std::string()> report_;
  std::function<void(int)> rotation_;
  bool primed_ = false;
};

}  // namespace cbst
