// folder_dialog.cpp: the folder chooser on the toolkit's dialog.
#include "platform/folder_dialog.h"

#include <QFileDialog>

#include "base/cp1252.h"
#include "platform/modal_windows.h"
#include "platform/platform_window_qt.h"

namespace cbst {

bool ChooseFolder(const PlatformWindow* owner, std::string_view prompt, std::string& folder) {
  const ModalWindowOpen open;
  const QString chosen = QFileDialog::getExistingDirectory(
      DialogOwner(owner), QString::fromStdString(Cp1252ToUtf8(prompt)),
      QString::fromStdString(folder));
  if (chosen.isEmpty()) return false;
  folder = chosen.toStdString();
  return true;
}

}  // namespace cbst
