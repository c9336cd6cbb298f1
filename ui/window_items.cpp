// window_items.cpp: a window's controls addressed by their numeric ids.
//
// Each control of a dialog template carries its id as the property "id".
// The accessors cover the kinds of control the dialogs use: labels, edits,
// buttons and check boxes, spin boxes, combo and list boxes, progress bars.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>

#include "base/cp1252.h"
#include "platform/platform_window_qt.h"
#include "ui/window.h"

namespace cbst {
namespace {

QWidget* Item(PlatformWindow* platform, int id) {
  QWidget* host = WidgetOf(platform);
  if (!host) return nullptr;
  for (QWidget* child : host->findChildren<QWidget*>()) {
    const QVariant value = child->property("id");
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

QString FromProgram(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

VString ToProgram(const QString& text) {
  return VString(Utf8ToCp1252(text.toStdString()));
}

}  // namespace

void Window::SetItemNumber(int id, double value, bool notify) {
  QWidget* item = Item(platform_window(), id);
  const int whole = static_cast<int>(value);
  if (auto* button = qobject_cast<QAbstractButton*>(item)) {
    if (notify) {
      if (button->isChecked() != (whole != 0)) button->click();
    } else {
      button->setChecked(whole != 0);
    }
  } else if (auto* spin = qobject_cast<QSpinBox*>(item)) {
    spin->setValue(whole);
  } else if (auto* combo = qobject_cast<QComboBox*>(item)) {
    combo->setCurrentIndex(whole);
  } else if (auto* list = qobject_cast<QListWidget*>(item)) {
    list->setCurrentRow(whole);
  } else if (auto* bar = qobject_cast<QProgressBar*>(item)) {
    bar->setValue(whole);
  } else if (item) {
    SetItemText(id, QString::number(value).toStdString(), notify);
  }
}

void Window::SetItemText(int id, std::string_view text, bool) {
  QWidget* item = Item(platform_window(), id);
  const QString shown = FromProgram(text);
  if (auto* label = qobject_cast<QLabel*>(item)) {
    label->setText(shown);
  } else if (auto* edit = qobject_cast<QLineEdit*>(item)) {
    edit->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(item)) {
    button->setText(shown);
  } else if (auto* combo = qobject_cast<QComboBox*>(item)) {
    if (combo->isEditable()) {
      combo->setEditText(shown);
    } else {
      combo->setCurrentIndex(combo->findText(shown));
    }
  } else if (item) {
    item->setWindowTitle(shown);
  }
}

VString Window::GetItemText(int id) {
  QWidget* item = Item(platform_window(), id);
  if (auto* label = qobject_cast<QLabel*>(item)) return ToProgram(label->text());
  if (auto* edit = qobject_cast<QLineEdit*>(item)) return ToProgram(edit->text());
  if (auto* button = qobject_cast<QAbstractButton*>(item)) return ToProgram(button->text());
  if (auto* combo = qobject_cast<QComboBox*>(item)) return ToProgram(combo->currentText());
  if (auto* spin = qobject_cast<QSpinBox*>(item)) return ToProgram(spin->text());
  if (auto* list = qobject_cast<QListWidget*>(item))
    return list->currentItem() ? ToProgram(list->currentItem()->text()) : VString();
  return {};
}

double Window::GetItemNumber(int id) {
  QWidget* item = Item(platform_window(), id);
  if (auto* button = qobject_cast<QAbstractButton*>(item)) return button->isChecked() ? 1 : 0;
  if (auto* spin = qobject_cast<QSpinBox*>(item)) return spin->value();
  if (auto* combo = qobject_cast<QComboBox*>(item)) return combo->currentIndex();
  if (auto* list = qobject_cast<QListWidget*>(item)) return list->currentRow();
  if (auto* bar = qobject_cast<QProgressBar*>(item)) return bar->value();
  return GetItemText(id).view().empty() ? 0 : std::atof(GetItemText(id).c_str());
}

}  // namespace cbst
