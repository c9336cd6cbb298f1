// win_dlg.cpp: dialogs from Designer templates.
#include "ui/win_dlg.h"

#include <algorithm>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QResource>
#include <QUiLoader>
#include <QVBoxLayout>

#include "base/report.h"
#include "platform/modal_windows.h"
#include "platform/platform_window_qt.h"
#include "ui/application.h"
#include "ui/control_qt.h"
#include "ui/top_level_place_qt.h"
#include "ui/virtual_keys.h"
#include "ui/window_host_qt.h"

namespace cbst {

const ClassInfo WinDlg::kClass = {&Window::kClass, "WinDlg"};

namespace {

// The template of dialog `id`: the bundle's first, then the program's.
QString TemplatePath(int id) {
  for (const QString& root : {QString(kBundleRoot) + "/dialogs", QString("/dialogs")}) {
    const QString path = ":" + root + "/" + QString::number(id) + ".ui";
    if (QFile::exists(path)) return path;
  }
  return {};
}

}  // namespace

bool RegisterResourceBundle(const char* path) {
  return QFile::exists(path) && QResource::registerResource(path, kBundleRoot);
}

bool WinDlg::CreateDialog(Window* parent, std::uint32_t style) {
  // A pane is text and layouts: in a window that counts device pixels it
  // lets the toolkit scale it.
  const bool pane = (style & kStyleChild) && parent;
  const QString path = TemplatePath(template_id_);
  if (path.isEmpty()) {
    Event missing = MakeEvent(kEventMissingTemplate,
                              CommandPayload{static_cast<std::uint32_t>(template_id_), 0});
    Dispatch(missing);
    if (!missing.handled()) {
      ReportError(kTemplateNotFound);
      return false;
    }
    return exists() || Create(parent, {0, 0, 320, 200}, "", 0);
  }
  QFile file(path);
  if (!file.open(QFile::ReadOnly)) return false;
  QUiLoader loader;
  QWidget* form = loader.load(&file);
  if (!form) {
    ReportError(kTemplateNotFound);
    return false;
  }
  // A pane's place counts in its parent's pixels.
  const QSize size = form->size() * (pane ? parent->pixel_ratio() : 1.0);
  const std::string title = form->windowTitle().toStdString();
  if (!Create(
          parent,
          {0, 0, static_cast<std::int16_t>(size.width()), static_cast<std::int16_t>(size.height())},
          "", kStyleHidden | (pane ? kStyleChild | kStyleLogicalPixels : 0))) {
    delete form;
    return false;
  }
  QWidget* host = WidgetOf(platform_window());
  host->setWindowTitle(form->windowTitle());
  auto* layout = new QVBoxLayout(host);
  layout->setContentsMargins(0, 0, 0, 0);
  form->setParent(host);
  form->setWindowFlags(Qt::Widget);
  layout->addWidget(form);
  // Its buttons and combo boxes tell it what the user does with them.
  for (QWidget* control : form->findChildren<QWidget*>())
    ConnectNotifications(control, this);
  if (const QWidget* owning = parent && !pane ? WidgetOf(parent->platform_window()) : nullptr)
    CentreTopLevel(host, QRect(owning->mapToGlobal(QPoint(0, 0)), owning->size()));
  host->show();
  // The keyboard goes where the dialog put it as it showed, or else to its
  // first control that takes the keyboard (not to a label).
  const QWidget* placed = host->focusWidget();
  if (!placed || !form->isAncestorOf(placed)) {
    for (QWidget* next = form->nextInFocusChain(); next && next != form;
         next = next->nextInFocusChain()) {
      if (!form->isAncestorOf(next) || !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus))
        continue;
      next->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  return true;
}

void WinDlg::OnEvent(Event& event) {
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->id == kCommandEndSession) {
      event.set_handled();
      EndDialog(static_cast<int>(kCommandCancel));
      return;
    }
    if (command && (command->id == kCommandOk || command->id == kCommandCancel ||
                    std::ranges::find(closing_commands_, command->id) != closing_commands_.end())) {
      event.set_handled();
      EndDialog(static_cast<int>(command->id));
      return;
    }
  }
  if (event.code == kEventKey) {
    const auto* key = event.as<KeyPayload>();
    if (key && key->kind == KeyKind::kDown && key->virtual_key == kVkF1) {
      event.set_handled();
      HelpPayload help{help_context_, 0};
      const QWidget* host = WidgetOf(platform_window());
      for (const QWidget* focused = host ? host->focusWidget() : nullptr;
           focused && focused != host; focused = focused->parentWidget()) {
        if (focused->property(kControlIdProperty).isValid()) {
          help.control_id = focused->property(kControlIdProperty).toInt();
          break;
        }
      }
      Event asked = MakeEvent(kEventHelp, help);
      Dispatch(asked);
      return;
    }
    if (key && key->kind == KeyKind::kDown &&
        (key->virtual_key == kVkReturn || key->virtual_key == kVkEscape)) {
      // Enter presses the default button (OK without one), Esc cancels.
      std::uint32_t command = key->virtual_key == kVkEscape ? kCommandCancel : kCommandOk;
      if (key->virtual_key == kVkReturn) {
        for (QPushButton* button : WidgetOf(platform_window())->findChildren<QPushButton*>()) {
          if (button->isDefault() && button->property("id").isValid())
            command = button->property("id").toUInt();
        }
      }
      event.set_handled();
      Event pressed = MakeEvent(kEventCommand, CommandPayload{command, 0});
      Dispatch(pressed);
      return;
    }
  }
  Window::OnEvent(event);
}

void WinDlg::FitHeightToControls() {
  QWidget* host = WidgetOf(platform_window());
  if (!host || !host->layout()) return;
  host->layout()->activate();
  const QRect was = host->geometry();
  const QRect fitted(was.x(), was.y(), was.width(), host->minimumSizeHint().height());
  // A window of its own keeps its middle where it was.
  if (host->isWindow())
    PlaceTopLevel(host, fitted.translated(0, (was.height() - fitted.height()) / 2));
  else
    host->setGeometry(fitted);
}

void WinDlg::FocusItem(int id) {
  QWidget* host = WidgetOf(platform_window());
  if (!host) return;
  for (QWidget* control : host->findChildren<QWidget*>()) {
    if (!control->property("id").isValid() || control->property("id").toInt() != id) continue;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    return;
  }
}

int RunModalDialog(WinDlg* dialog, Window* parent) {
  Application* application = Application::Instance();
  if (!application || !dialog->CreateDialog(parent)) {
    if (application) application->Release(dialog);
    return -1;
  }
  return RunModalWindow(dialog);
}

int RunModalWindow(Window* window) {
  Application* application = Application::Instance();
  if (!application) return -1;
  if (QWidget* host = WidgetOf(window->platform_window())) {
    // Modality takes effect when the window is shown.
    host->hide();
    host->setWindowModality(Qt::ApplicationModal);
    host->show();
    // The player types into the dialog at once, not after a click on it.
    host->raise();
    host->activateWindow();
  }
  const ModalWindowOpen open;
  return application->RunUntilGone(window);
}

bool Prompt(Window* parent, std::string_view question, VString& text) {
  Application* application = Application::Instance();
  if (!application) return false;
  // The answer is read as the dialog ends, while its controls exist.
  class PromptDialog final : public WinDlg {
   public:
    PromptDialog(std::string_view question, VString& text)
        : WinDlg(kPromptTemplate), question_(question), text_(text) {}
    void OnEvent(Event& event) override {
      if (event.code == kEventShow && !primed_) {
        primed_ = true;
        SetItemText(kPromptQuestion, question_.view());
        SetItemText(kPromptAnswer, text_.view());
        // The answer is typed, or typed over, at once.
        FocusItem(kPromptAnswer);
      }
      if (event.code == kEventCommand) {
        const auto* command = event.as<CommandPayload>();
        if (command && command->id == kCommandOk) text_ = GetItemText(kPromptAnswer);
      }
      WinDlg::OnEvent(event);
    }

   private:
    VString question_;
    VString& text_;
    bool primed_ = false;
  };
  auto* dialog = application->Make<PromptDialog>(question, text);
  return RunModalDialog(dialog, parent) == static_cast<int>(kCommandOk);
}

}  // namespace cbst
