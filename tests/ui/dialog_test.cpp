// dialog_test.cpp: dialogs from templates, the bundle that replaces them,
// and the prompt for a line of text.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/platform_window_qt.h"
#include "support/recording_sink.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/win_dlg.h"

namespace cbst {
namespace {

QWidget* Control(QWidget* dialog, int id) {
  for (QWidget* child : dialog->findChildren<QWidget*>()) {
    if (child->property("id").toInt() == id) return child;
  }
  return nullptr;
}

// Once the modal dialog shows: checks its title, types into its edit and
// then presses `button` (or the key `key`).
void Answer(const QString& title, const QString& typed, int button, Qt::Key key = Qt::Key_unknown) {
  QTimer::singleShot(0, [=] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
      ADD_FAILURE() << "no dialog";
      QApplication::closeAllWindows();
      return;
    }
    EXPECT_EQ(dialog->windowTitle(), title);
    auto* edit = qobject_cast<QLineEdit*>(Control(dialog, kPromptAnswer));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(dialog->focusWidget(), edit) << "the answer is typed at once";
    EXPECT_EQ(edit->text(), "old");
    edit->setText(typed);
    if (key != Qt::Key_unknown) {
      QTest::keyClick(edit, key);
    } else {
      qobject_cast<QPushButton*>(Control(dialog, button))->click();
    }
  });
}

class DialogTest : public ::testing::Test {
 protected:
  testing::TestApplication application_;
};

TEST_F(DialogTest, ThePromptAnswersWithOkAndKeepsTheTextOnCancel) {
  VString text = "old";
  Answer("Cobblestack", "Caf\u00e9 table", kCommandOk);
  EXPECT_TRUE(Prompt(nullptr, "Name?", text));
  EXPECT_EQ(text, "Caf\xe9 table");  // the program's own bytes

  text = "old";
  Answer("Cobblestack", "thrown away", kCommandCancel);
  EXPECT_FALSE(Prompt(nullptr, "Name?", text));
  EXPECT_EQ(text, "old");
  // Enter presses the default button, Esc cancels.
  Answer("Cobblestack", "by key", 0, Qt::Key_Return);
  EXPECT_TRUE(Prompt(nullptr, "Name?", text));
  EXPECT_EQ(text, "by key");
  text = "old";
  Answer("Cobblestack", "escaped", 0, Qt::Key_Escape);
  EXPECT_FALSE(Prompt(nullptr, "Name?", text));
  EXPECT_TRUE(application_.windows().empty());
}

TEST_F(DialogTest, TheBundleReplacesTemplates) {
  ASSERT_TRUE(RegisterResourceBundle(CBST_TEST_BUNDLE));
  VString text = "old";
  Answer("From the bundle", "x", kCommandOk);
  EXPECT_TRUE(Prompt(nullptr, "Name?", text));
  EXPECT_FALSE(RegisterResourceBundle("/nowhere/wres.rcc"));
}

TEST_F(DialogTest, AMissingTemplateIsAskedForBeforeItIsReported) {
  testing::RecordingSink sink;
  WinDlg* plain = application_.Make<WinDlg>(4242);
  EXPECT_FALSE(plain->CreateDialog(nullptr));
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].text, kTemplateNotFound);

  // A dialog that builds itself when asked.
  class SelfMade final : public WinDlg {
   public:
    SelfMade() : WinDlg(4243) {}
    void OnEvent(Event& event) override {
      if (event.code == kEventMissingTemplate) {
        asked_for = static_cast<int>(event.as<CommandPayload>()->id);
        event.set_handled();
        return;
      }
      WinDlg::OnEvent(event);
    }
    int asked_for = 0;
  };
  auto* self_made = application_.Make<SelfMade>();
  EXPECT_TRUE(self_made->CreateDialog(nullptr));
  EXPECT_EQ(self_made->asked_for, 4243);
  EXPECT_EQ(sink.reports.size(), 1u);
}

TEST_F(DialogTest, FocusComesBackToItsControlOrIsReportedGone) {
  testing::RecordingSink sink;
  WinDlg* dialog = application_.Make<WinDlg>(kPromptTemplate);
  ASSERT_TRUE(dialog->CreateDialog(nullptr));
  QWidget* host = WidgetOf(dialog->platform_window());
  EXPECT_TRUE(QTest::qWaitForWindowActive(host));
  QWidget* edit = Control(host, kPromptAnswer);
  edit->setFocus();
  dialog->SaveFocus();
  Control(host, kCommandOk)->setFocus();
  dialog->RestoreFocus();
  EXPECT_EQ(host->focusWidget(), edit);
  EXPECT_TRUE(sink.reports.empty());
  delete edit;
  dialog->RestoreFocus();
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].text, kFocusGone);
}

}  // namespace
}  // namespace cbst
