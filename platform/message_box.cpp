// message_box.cpp: message boxes on the toolkit's, and the report hook.
#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

#include "base/cp1252.h"
#include "base/report.h"
#include "platform/modal_windows.h"
#include "platform/platform_window_qt.h"

namespace cbst {
namespace {

QString FromProgram(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

QMessageBox::Icon IconOf(std::uint32_t style) {
  switch (style & kBoxIconMask) {
    case kBoxIconStop:
      return QMessageBox::Critical;
    case kBoxIconQuestion:
      return QMessageBox::Question;
    case kBoxIconExclamation:
      return QMessageBox::Warning;
    case kBoxIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

struct Choice {
  QMessageBox::StandardButton button;
  int answer;
};

std::vector<Choice> ChoicesOf(std::uint32_t style) {
  switch (style & kBoxButtonMask) {
    case kBoxOkCancel:
      return {{QMessageBox::Ok, kAnswerOk}, {QMessageBox::Cancel, kAnswerCancel}};
    case kBoxYesNoCancel:
      return {{QMessageBox::Yes, kAnswerYes},
              {QMessageBox::No, kAnswerNo},
              {QMessageBox::Cancel, kAnswerCancel}};
    case kBoxYesNo:
      return {{QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}};
    default:
      return {{QMessageBox::Ok, kAnswerOk}};
  }
}

class MessageBoxReports final : public ReportSink {
 public:
  ReportAnswer Show(const Report& report) override {
    std::uint32_t style = kBoxTaskModal;
    switch (report.kind) {
      case ReportKind::kError:
        style |= kBoxOk | kBoxIconStop;
        break;
      case ReportKind::kUnexpected:
        style |= kBoxOkCancel | kBoxIconExclamation;
        break;
      case ReportKind::kFatal:
        style = kBoxSystemModal | kBoxOk | kBoxIconStop;
        break;
    }
    const int answer = ShowMessageBox(nullptr, report.text, style, report.title);
    return answer == kAnswerCancel ? ReportAnswer::kCancel : ReportAnswer::kOk;
  }
};

}  // namespace

int ShowMessageBox(const PlatformWindow* owner, std::string_view text, std::uint32_t style,
                   std::string_view caption) {
  const std::vector<Choice> choices = ChoicesOf(style);
  // Without a widget application (a tool, a test) nobody can answer.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return choices.size() > 1 ? choices.back().answer : kAnswerOk;
  QWidget* parent = DialogOwner(owner);
  QMessageBox box(IconOf(style), FromProgram(caption.empty() ? kMessageBoxCaption : caption),
                  FromProgram(text), QMessageBox::NoButton, parent);
  for (const Choice& choice : choices)
    box.addButton(choice.button);
  const std::size_t default_index = (style & kBoxDefaultSecond) && choices.size() > 1 ? 1 : 0;
  box.setDefaultButton(choices[default_index].button);
  box.setEscapeButton(choices.back().button);
  box.setWindowModality(Qt::ApplicationModal);
  if (style & kBoxSystemModal) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.raise();
    box.activateWindow();
  }
  const ModalWindowOpen open;
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (const Choice& choice : choices) {
    if (choice.button == clicked) return choice.answer;
  }
  return choices.back().answer;
}

void InstallMessageBoxReports() {
  static MessageBoxReports reports;
  SetReportSink(&reports);
}

}  // namespace cbst
