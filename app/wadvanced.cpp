// wadvanced.cpp: the special options window.
#include "app/wadvanced.h"

#include "app/app_codes.h"
#include "app/game_events.h"
#include "app/woptions.h"
#include "platform/clipboard_text.h"
#include "platform/message_box.h"
#include "text/traductor.h"
#include "ui/control.h"

namespace cbst {

const ClassInfo WAdvanced::kClass = {&WinDlg::kClass, "WAdvanced"};

WAdvanced::WAdvanced(Options& options, const Settings& settings,
                     std::function<std::string()> report, std::function<void(int)> rotation)
    : WinDlg(kAdvancedTemplate),
      options_(options),
      settings_(settings),
      report_(std::move(report)),
      rotation_(std::move(rotation)) {}

void WAdvanced::Prime() {
  primed_ = true;
  const VString caption = WindowCaption(ControlText(0, kCommandAdvancedOptions));
  if (!caption.empty()) SetTitle(caption.view());
  for (const int id : {static_cast<int>(kCommandOk), kAdvancedCopyReport, kAdvancedForceRotation,
                       kAdvancedFastDrawing}) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  }
  Control(this, kAdvancedForceRotation).Set(options_.forced_rotation != 0 ? 1.0 : 0.0);
  // Checked while the fast method is allowed, that is while its bit is clear.
  Control(this, kAdvancedFastDrawing).Set((options_.bits & kOptionsOtherBitmapMethod) ? 0.0 : 1.0);
}

void WAdvanced::ForceRotation(bool forced) {
  options_.forced_rotation = forced ? 1 : 0;
  settings_.WriteNumber(kKeyForceRotation, options_.forced_rotation);
  if (rotation_) rotation_(options_.forced_rotation);
  if (forced)
    ShowMessageBox(platform_window(), Text(kTextForcedRotationHint), kBoxOk | kBoxIconExclamation);
}

void WAdvanced::Destroy(int result) {
  if (options_.dirty) options_.Save(settings_);
  WinDlg::Destroy(result);
}

void WAdvanced::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->parameter == kNotifyClicked) {
      switch (command->id) {
        case kAdvancedCopyReport:
          event.set_handled();
          if (report_) SetClipboardText(report_());
          return;
        case kAdvancedForceRotation:
          event.set_handled();
          ForceRotation(Control(this, kAdvancedForceRotation).Number() == 1.0);
          return;
        case kAdvancedFastDrawing: {
          event.set_handled();
          const bool fast = Control(this, kAdvancedFastDrawing).Number() == 1.0;
          const std::uint32_t bits = fast ? options_.bits & ~kOptionsOtherBitmapMethod
                                          : options_.bits | kOptionsOtherBitmapMethod;
          if (bits != options_.bits) {
            options_.bits = bits;
            options_.dirty = true;
          }
          return;
        }
        default:
          break;
      }
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
