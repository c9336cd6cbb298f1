// pop_menu.cpp: pop-up menus on the toolkit's menus.
#include "ui/pop_menu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <algorithm>

#include "base/cp1252.h"
#include "platform/platform_window_qt.h"
#include "ui/window.h"

namespace cbst {
namespace {

QString FromProgram(std::string_view text) {
  const std::string utf8 = Cp1252ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void XPopMenu::Append(std::uint32_t command, std::string_view text, std::string_view accelerator) {
  items_.push_back({command, std::string(text), std::string(accelerator)});
}

void XPopMenu::AppendSeparator() {
  items_.push_back({});
}

MenuItem* XPopMenu::Find(std::uint32_t command) {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const MenuItem& item) { return item.command == command; });
  return found == items_.end() ? nullptr : &*found;
}

void XPopMenu::Check(std::uint32_t command, bool checked) {
  if (MenuItem* item = Find(command)) item->checked = checked;
}

void XPopMenu::Enable(std::uint32_t command, bool enabled) {
  if (MenuItem* item = Find(command)) item->enabled = enabled;
}

bool XPopMenu::Has(std::uint32_t command) const {
  return std::any_of(items_.begin(), items_.end(),
                     [&](const MenuItem& item) { return item.command == command; });
}

std::uint32_t XPopMenu::Track(Window& window, int x, int y) const {
  QWidget* owner = WidgetOf(window.platform_window());
  if (!owner || items_.empty()) return 0;
  QMenu menu(owner);
  for (const MenuItem& item : items_) {
    if (item.command == 0) {
      menu.addSeparator();
      continue;
    }
    // The toolkit shows what follows a tab right-aligned, as a shortcut.
    QString text = FromProgram(item.text);
    if (!item.accelerator.empty()) text += QLatin1Char('\t') + FromProgram(item.accelerator);
    QAction* action = menu.addAction(text);
    action->setData(static_cast<qulonglong>(item.command));
    action->setEnabled(item.enabled);
    if (item.checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
  }
  QPointer<QWidget> alive(owner);
  const QAction* chosen = menu.exec(owner->mapToGlobal(QPoint(x, y)));
  if (!chosen || !alive) return 0;
  return static_cast<std::uint32_t>(chosen->data().toULongLong());
}

}  // namespace cbst
