// help_viewer.cpp: help pages through the desktop's URL handler.
#include "platform/help_viewer.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <filesystem>

namespace cbst {
namespace {

constexpr char kTopicAnchor[] = "ctx";

}  // namespace

bool OpenHelpPage(const std::string& path, int context) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  QUrl page = QUrl::fromLocalFile(QString::fromLocal8Bit(path.c_str()));
  if (context != 0) page.setFragment(kTopicAnchor + QString::number(context));
  return QDesktopServices::openUrl(page);
}

}  // namespace cbst
