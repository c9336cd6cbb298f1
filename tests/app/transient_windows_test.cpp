// transient_windows_test.cpp: every window the game brings up over its
// full-screen table (dialogs, message boxes, menus, the browser) is
// transient for a window of the game, so that every window manager keeps
// it above the table and a compositor places it beside its owner.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game_events.h"
#include "app/program.h"
#include "base/report.h"
#include "base/status.h"
#include "platform/message_box.h"
#include "platform/platform_window_qt.h"
#include "play/game_flags.h"
#include "play/wpuz.h"
#include "support/control_of.h"
#include "support/desktop_home.h"
#include "support/program_launcher.h"
#include "ui/application.h"
#include "ui/virtual_keys.h"
#include "ui/win_dlg.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr char kSample[] = "Two Good Dogs.puz";
constexpr int kBrowserOpen = 101;
constexpr int kWatchEveryMs = 10;

// Looks at the screen whenever a modal window or a menu has come up: every
// visible top-level window but the table must have a transient parent.
// Then it answers what came up with a cancel, or with `answer` once.
class TopLevelWatch {
 public:
  explicit TopLevelWatch(std::function<const QWindow*()> table) : table_(std::move(table)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start(kWatchEveryMs);
  }
  std::function<bool(QWidget*)> answer;  // true when it answered
  std::vector<std::string> seen;         // a line for each window looked at
  std::vector<std::string> orphans;      // the windows without an owner

 private:
  void Look() {
    QWidget* up = QApplication::activePopupWidget();
    if (!up) up = QApplication::activeModalWidget();
    if (!up || up == last_) return;
    last_ = up;
    const std::string name = Describe(up);
    seen.push_back(name);
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
      if (!window->isVisible() || window == table_() || window->transientParent()) continue;
      orphans.push_back(window->objectName().toStdString() + " while " + name);
    }
    if (answer && answer(up)) {
      answer = nullptr;
      return;
    }
    Dismiss(up);
  }
  static std::string Describe(QWidget* widget) {
    return std::string(widget->metaObject()->className()) + " \"" +
           widget->windowTitle().toStdString() + "\"";
  }
  static void Dismiss(QWidget* up) {
    if (auto* menu = qobject_cast<QMenu*>(up)) {
      menu->close();
    } else if (auto* box = qobject_cast<QMessageBox*>(up)) {
      box->escapeButton()->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(up)) {
      dialog->reject();
    } else if (Window* window = FrameworkWindowOf(up)) {
      Event cancel = MakeEvent(kEventCommand, CommandPayload{kCommandCancel});
      window->Dispatch(cancel);
    }
  }

  std::function<const QWindow*()> table_;
  QPointer<QWidget> last_;
  QTimer timer_;
};

bool OpenWhatTheBrowserOffers(QWidget* browser) {
  auto* open = testing::ControlOf<QPushButton>(browser, kBrowserOpen);
  if (open) open->click();
  return open != nullptr;
}

class TransientWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = home_.root() / "program";
    testing::CopyFromBuiltProgram(directory_, {"CS21eng.dix", kSample});
    setenv("LANG", "en_GB.UTF-8", 1);
    program_ = launcher_.Make(directory_, false);
  }
  void TearDown() override {
    if (!program_->table()) return;
    program_->puzzle()->state &= ~kGameChanged;
    testing::ProgramLauncher::CloseAndFinish(*program_);
  }
  QWindow* TableWindow() const {
    const QWidget* widget =
        program_->table() ? WidgetOf(program_->table()->platform_window()) : nullptr;
    return widget ? widget->window()->windowHandle() : nullptr;
  }
  void Send(Event event) { program_->table()->Dispatch(event); }

  testing::DesktopHome home_{"transient"};
  testing::ProgramLauncher launcher_;
  fs::path directory_;
  std::unique_ptr<Program> program_;
};

KeyPayload KeyDown(int virtual_key, std::uint8_t modifiers = 0) {
  KeyPayload key;
  key.virtual_key = virtual_key;
  key.modifiers = modifiers;
  return key;
}

TEST_F(TransientWindowsTest, EveryWindowOverTheTableBelongsToAWindowOfTheGame) {
  // The browser that comes up at start, over the table just shown.
  {
    TopLevelWatch watch([this] { return TableWindow(); });
    watch.answer = OpenWhatTheBrowserOffers;
    ASSERT_TRUE(program_->Start("\"" + (directory_ / kSample).string() + "\""));
    ASSERT_EQ(watch.seen.size(), 1u) << "the browser came up at start";
    EXPECT_TRUE(watch.orphans.empty()) << watch.orphans.front();
  }
  ASSERT_NE(program_->puzzle(), nullptr);
  TopLevelWatch watch([this] { return TableWindow(); });
  // The dialogs the game's commands open, over a game in progress.
  for (const std::uint32_t command :
       {kCommandOptions, kCommandAdvancedOptions, kCommandGameSettings, kCommandBackground})
    Send(MakeEvent(kEventCommand, CommandPayload{command}));
  // The game menu (F10), the ranking of a game in competition (F4), the
  // first save of a changed game (Ctrl+S).
  program_->puzzle()->game_flags |= kGameCompetition;
  program_->puzzle()->state |= kGameChanged;
  Send(MakeEvent(kEventKey, KeyDown(kVkF1 + 9)));
  Send(MakeEvent(kEventKey, KeyDown(kVkF1 + 3)));
  Send(MakeEvent(kEventKey, KeyDown('S', kModControl)));
  // The question whether to save the changed game, then the browser.
  watch.answer = [](QWidget* up) {
    auto* question = qobject_cast<QMessageBox*>(up);
    QAbstractButton* no = question ? question->button(QMessageBox::No) : nullptr;
    if (no) no->click();
    return no != nullptr;
  };
  Send(MakeEvent(kEventCommand, CommandPayload{kCommandOpen}));
  // A failure nobody asked about is told in a box of its own, even while
  // the player is in another program.
  ReportSink* const tests_sink = SetReportSink(nullptr);
  InstallMessageBoxReports();
  QApplication::setActiveWindow(nullptr);
  Status(kStatusWriteFailed).Report();
  SetReportSink(tests_sink);
  std::string seen;
  for (const std::string& each : watch.seen)
    seen += each + "; ";
  EXPECT_EQ(watch.seen.size(), 10u) << seen;
  for (const std::string& orphan : watch.orphans)
    ADD_FAILURE() << "no transient parent: " << orphan;
}

}  // namespace
}  // namespace cbst
