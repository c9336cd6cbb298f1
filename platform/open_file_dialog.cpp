// open_file_dialog.cpp: the open-file dialog on the toolkit's own.
#include "platform/open_file_dialog.h"

#include <QDir>
#include <QFileDialog>

#include <cctype>
#include <filesystem>
#include <vector>

#include "platform/modal_windows.h"
#include "platform/platform_window_qt.h"

namespace cbst {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 1);
  }
  return parts;
}

// "*.jpg" as "*.[jJ][pP][gG]": photographs often come named in capitals.
std::string AnyCase(std::string_view pattern) {
  std::string result;
  for (const char character : pattern) {
    const auto byte = static_cast<unsigned char>(character);
    if (std::isalpha(byte)) {
      result += '[';
      result += static_cast<char>(std::tolower(byte));
      result += static_cast<char>(std::toupper(byte));
      result += ']';
    } else {
      result += character;
    }
  }
  return result;
}

}  // namespace

std::string ToolkitFileFilter(std::string_view filter) {
  const std::vector<std::string_view> parts = Split(filter, '|');
  std::string result;
  for (std::size_t index = 0; index + 1 < parts.size(); index += 2) {
    if (!result.empty()) result += ";;";
    result += parts[index];
    result += " (";
    bool first = true;
    for (const std::string_view pattern : Split(parts[index + 1], ';')) {
      if (!first) result += ' ';
      result += AnyCase(pattern);
      first = false;
    }
    result += ')';
  }
  return result;
}

bool AskOpenFileName(const PlatformWindow* owner, std::string_view title, std::string_view filter,
                     const std::string& start, std::string& chosen) {
  QFileDialog dialog(DialogOwner(owner),
                     QString::fromUtf8(title.data(), static_cast<int>(title.size())));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // The same dialog on every desktop, and one the tests can drive.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The names of the groups are enough; their case-blind patterns are
  // not for reading.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(QString::fromStdString(ToolkitFileFilter(filter)));
  // A start without a folder ("*.jpg") is in the current one.
  std::error_code error;
  const std::filesystem::path from(start);
  const std::filesystem::path folder =
      std::filesystem::is_directory(from, error) ? from : from.parent_path();
  dialog.setDirectory(folder.empty() ? QDir::currentPath()
                                     : QString::fromStdString(folder.string()));
  dialog.setWindowModality(Qt::ApplicationModal);
  const ModalWindowOpen open;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  chosen = dialog.selectedFiles().front().toStdString();
  return true;
}

}  // namespace cbst
