// system_version.cpp: the system's version through the toolkit.
#include "platform/system_version.h"

#include <QString>
#include <QSysInfo>

namespace cbst {

std::string PlatformVersion() {
  const std::string version = QSysInfo::kernelVersion().toStdString();
  return version.empty() ? "0" : version;
}

}  // namespace cbst
