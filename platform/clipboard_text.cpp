// clipboard_text.cpp: the clipboard through the toolkit.
#include "platform/clipboard_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include "base/cp1252.h"

namespace cbst {

bool SetClipboardText(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  // The program's texts are Windows-1252; the clipboard takes Unicode.
  clipboard->setText(QString::fromStdString(Cp1252ToUtf8(text)));
  return true;
}

std::string ClipboardText() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return {};
  return Utf8ToCp1252(clipboard->text().toStdString());
}

}  // namespace cbst
