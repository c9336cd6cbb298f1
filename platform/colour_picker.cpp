// colour_picker.cpp: the colour dialog on the toolkit's.
#include "platform/colour_picker.h"

#include <QColorDialog>

#include <array>

#include "platform/modal_windows.h"
#include "platform/platform_window_qt.h"

namespace cbst {

int PickColour(const PlatformWindow* owner, std::uint32_t& colour) {
  // The custom colours belong to this call only: start them white, and put
  // back whatever the toolkit held before.
  std::array<QColor, kCustomColours> kept;
  for (int index = 0; index < kCustomColours; ++index) {
    kept[index] = QColorDialog::customColor(index);
    QColorDialog::setCustomColor(index, Qt::white);
  }
  const QColor start(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  QColorDialog dialog(start, DialogOwner(owner));
  dialog.setWindowModality(Qt::ApplicationModal);
  const ModalWindowOpen open;
  const bool chosen = dialog.exec() == QDialog::Accepted;
  for (int index = 0; index < kCustomColours; ++index) {
    QColorDialog::setCustomColor(index, kept[index]);
  }
  if (!chosen) return 0;
  const QColor picked = dialog.selectedColor();
  colour = static_cast<std::uint32_t>(picked.red() | picked.green() << 8 | picked.blue() << 16);
  return 1;
}

}  // namespace cbst
