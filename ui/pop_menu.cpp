// pop_menu.cpp: pop-up menus on the toolkit's menus.
#include "ui/pop_menu.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QPointer>

#include <algorithm>
#include <utility>

#include "base/cp1252.h"
#include "platform/platform_window_qt.h"
#include "ui/device_pixels_qt.h"
#include "ui/event.h"
#include "ui/window.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

QString FromProgram(std::string_view text) {
  const std::string utf8 = Cp1252ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QIcon IconOf(const ProgramPicture& picture) {
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                     picture.height, picture.width * 4, QImage::Format_ARGB32);
  // The image only borrows the picture's pixels: the pixmap gets a copy.
  return QIcon(QPixmap::fromImage(image.copy()));
}

}  // namespace

void XPopMenu::Append(std::uint32_t command, std::string_view text, std::string_view accelerator) {
  MenuItem item;
  item.command = command;
  item.text = text;
  item.accelerator = accelerator;
  items_.push_back(std::move(item));
}

void XPopMenu::AppendSeparator() {
  items_.push_back({});
}

const MenuItem* XPopMenu::Find(std::uint32_t command) const {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const MenuItem& item) { return item.command == command; });
  return found == items_.end() ? nullptr : &*found;
}

MenuItem* XPopMenu::Item(std::uint32_t command) {
  return const_cast<MenuItem*>(std::as_const(*this).Find(command));
}

void XPopMenu::AskDecorations(Window& owner) {
  for (MenuItem& item : items_) {
    if (item.command == 0) continue;
    MenuDecorationPayload question;
    question.command = item.command;
    Event asking = MakeEvent(kEventMenuDecoration, std::move(question));
    asking.target = &owner;
    owner.Dispatch(asking);
    const auto* answer = asking.as<MenuDecorationPayload>();
    if (!asking.handled() || !answer) continue;
    if (item.accelerator.empty()) item.accelerator = answer->accelerator;
    if (!answer->icon.empty()) item.icon = answer->icon;
  }
}

void XPopMenu::Check(std::uint32_t command, bool checked) {
  if (MenuItem* item = Item(command)) item->checked = checked;
}

void XPopMenu::SetParameter(std::uint32_t command, std::intptr_t parameter) {
  if (MenuItem* item = Item(command)) item->parameter = parameter;
}

void XPopMenu::Enable(std::uint32_t command, bool enabled) {
  if (MenuItem* item = Item(command)) item->enabled = enabled;
}

bool XPopMenu::Has(std::uint32_t command) const {
  return Find(command) != nullptr;
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
    if (!item.icon.empty()) action->setIcon(IconOf(item.icon));
    if (item.checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
  }
  QPointer<QWidget> alive(owner);
  const QPointF at = ToLogicalPixels(QPoint(x, y), window.pixel_ratio());
  const QAction* chosen = menu.exec(owner->mapToGlobal(at).toPoint());
  // The click that opened the menu was released in it.
  ForgetMousePress();
  if (!chosen || !alive) return 0;
  return static_cast<std::uint32_t>(chosen->data().toULongLong());
}

}  // namespace cbst
