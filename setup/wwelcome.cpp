// wwelcome.cpp: the welcome and setup window.
#include "setup/wwelcome.h"

#include <cstdlib>
#include <filesystem>

#include "app/app_codes.h"
#include "app/help_files.h"
#include "app/open_from_shell.h"
#include "platform/folder_dialog.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "play/wspuz.h"
#include "setup/file_copy.h"
#include "setup/setup_codes.h"
#include "setup/shortcuts.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/progress_window.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

std::string CurrentLanguage() {
  const Traductor* dictionary = Traductor::Instance();
  return dictionary ? dictionary->language().c_str() : "eng";
}

int ExplanationOf(int mode) {
  if (mode & kWelcomeFullSetup) return kTextWelcomeFullSetup;
  if (mode & kWelcomePack) return kTextWelcomePack;
  if (mode & kWelcomeAtStart) return kTextWelcomeFirstRun;
  return kTextWelcomeProgramGroup;
}

}  // namespace

const ClassInfo WWelcome::kClass = {&WinDlg::kClass, "WWelcome"};

std::string DefaultInstallFolder() {
  const char* home = std::getenv("HOME");
  return (fs::path(home && *home ? home : "/tmp") / kProductName).string();
}

WWelcome::WWelcome(int mode, const InstallPlace& place, std::string argument, int& result,
                   std::string& language, SetupQuestions& questions)
    : WinDlg(kWelcomeTemplate),
      mode_(mode),
      place_(place),
      argument_(std::move(argument)),
      result_(result),
      language_(language),
      questions_(questions) {
  set_help_context(kHelpTopicWelcome);
}

void WWelcome::Prime() {
  primed_ = true;
  SetTitle((mode_ & kWelcomeFullSetup) ? kSetupTitle : kProductName);
  const auto say = [this](int id) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  };
  for (const int id : {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel),
                       static_cast<int>(kCommandHelp), kWelcomeGroupBox, kWelcomeMenuBox,
                       kWelcomeDesktopBox, kWelcomeInstallButton, kWelcomeBrowse})
    say(id);
  if (const char* folder = ControlText(0, kWelcomeFolder); folder && *folder)
    SetItemText(kWelcomeFolderLabel, folder);
  SetItemText(kWelcomeExplanation, Text(ExplanationOf(mode_)));

  // One button for each language there is a dictionary for, with its flag.
  const Traductor* dictionary = Traductor::Instance();
  const int languages = dictionary ? static_cast<int>(dictionary->codes().size()) : 0;
  const bool choosing = !(mode_ & kWelcomePack);
  for (int index = 0; index < kWelcomeLanguages; ++index) {
    Control button(this, kWelcomeFirstLanguage + index);
    const bool shown = choosing && index < languages;
    button.Show(shown);
    if (!shown) continue;
    SetItemText(kWelcomeFirstLanguage + index, dictionary->codes()[index].view());
    button.SetPicture(dictionary->flag(index));
    button.Enable(index != dictionary->language_index());
  }

  const bool setup = (mode_ & kWelcomeFullSetup) != 0;
  const bool shortcuts = !setup && !(mode_ & kWelcomePack);
  for (const int id : {kWelcomeGroupBox, kWelcomeMenuBox, kWelcomeDesktopBox})
    Control(this, id).Show(shortcuts);
  // The old program group and the applications menu are one thing here.
  Control(this, kWelcomeGroupBox).Show(false);
  Control(this, kWelcomeMenuBox).Set(shortcuts ? 1.0 : 0.0);
  Control(this, kWelcomeDesktopBox).Set(shortcuts ? 1.0 : 0.0);
  for (const int id : {kWelcomeFolderLabel, kWelcomeFolder, kWelcomeInstallButton, kWelcomeBrowse})
    Control(this, id).Show(setup);
  if (setup) {
    SetItemText(kWelcomeFolder, DefaultInstallFolder());
    Control(this, kWelcomeFolder).SetFocus();
  }
  // The template holds the controls of every mode; no gap is left where
  // this mode's hidden ones were.
  FitHeightToControls();
}

bool WWelcome::RunFullSetup() {
  const std::string target = GetItemText(kWelcomeFolder).c_str();
  ProgressWindow progress(this, kProgressPercentBar | kProgressPumpMessages);
  progress.SetText(kCopyingFiles);
  Status done = FullSetup(place_.program_path, target, language_, questions_, &progress);
  if (done.peek() == 0) return true;
  done.Report();
  return false;
}

void WWelcome::Accept() {
  result_ = kWelcomeCompleted;
  if (mode_ & kWelcomeFullSetup) {
    if (RunFullSetup()) EndDialog(kCommandOk);
    return;
  }
  if (mode_ & kWelcomePack) {
    ProgressWindow progress(this, kProgressPercentBar | kProgressPumpMessages);
    progress.SetText(kCopyingFiles);
    const GamePlaces places{place_.settings, place_.program_directory};
    Status copied = InstallPack(argument_, places.PuzzlesDirectory(), questions_, &progress);
    if (copied.peek() != 0) copied.Report();
    EndDialog(kCommandOk);
    return;
  }
  if (Control(this, kWelcomeGroupBox).Number() == 1.0 ||
      Control(this, kWelcomeMenuBox).Number() == 1.0)
    CreateProgramGroupAndShortcuts(place_, CurrentLanguage());
  if (Control(this, kWelcomeDesktopBox).Number() == 1.0) CreateDesktopLink(place_);
  if (mode_ & kWelcomeMarkDone) place_.settings.Write(kKeyWelcomeDone, kWelcomeDoneValue);
  EndDialog(kCommandOk);
}

void WWelcome::Cancel() {
  result_ = kWelcomeCancelled;
  const int answer = questions_.Ask(Text(kTextLeaveUnfinished), kBoxYesNo | kBoxIconQuestion);
  if (answer == kAnswerYes) EndDialog(kCommandCancel);
}

void WWelcome::ShowHelp() {
  OpenHelpPage(HelpFilePath(place_.program_directory, CurrentLanguage()), kHelpTopicWelcome);
}

void WWelcome::Browse() {
  std::string folder = GetItemText(kWelcomeFolder).c_str();
  if (ChooseFolder(platform_window(), Text(kTextChooseFolder), folder))
    SetItemText(kWelcomeFolder, folder);
}

void WWelcome::ChooseLanguage(int index) {
  Traductor* dictionary = Traductor::Instance();
  if (!dictionary || !dictionary->SelectLanguage(index)) return;
  // A full setup gives the new installation the language too.
  language_ = dictionary->language().c_str();
  EndDialog(kReopen);
}

void WWelcome::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventHelp) {
    event.set_handled();
    ShowHelp();
    return;
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    const int id = command ? static_cast<int>(command->id) : 0;
    if (id == static_cast<int>(kCommandOk)) {
      event.set_handled();
      Accept();
      return;
    }
    if (id == static_cast<int>(kCommandCancel) || id == static_cast<int>(kCommandEndSession)) {
      event.set_handled();
      Cancel();
      return;
    }
    if (id == static_cast<int>(kCommandHelp)) {
      event.set_handled();
      ShowHelp();
      return;
    }
    const bool clicked = command && command->parameter == kNotifyClicked;
    if (clicked && id == kWelcomeInstallButton) {
      event.set_handled();
      result_ = kWelcomeCompleted;
      if (RunFullSetup()) EndDialog(kCommandOk);
      return;
    }
    if (clicked && id == kWelcomeBrowse) {
      event.set_handled();
      Browse();
      return;
    }
    if (clicked && id >= kWelcomeFirstLanguage && id < kWelcomeFirstLanguage + kWelcomeLanguages) {
      event.set_handled();
      ChooseLanguage(id - kWelcomeFirstLanguage);
      return;
    }
  }
  WinDlg::OnEvent(event);
}

int RunWelcome(int mode, const InstallPlace& place, const std::string& argument, Window* parent,
               SetupQuestions& questions, std::string* language) {
  int result = 0;
  std::string chosen;
  for (;;) {
    auto* window =
        Application::Instance()->Make<WWelcome>(mode, place, argument, result, chosen, questions);
    if (RunModalDialog(window, parent) != WWelcome::kReopen) break;
  }
  if (language) *language = chosen;
  return result;
}

}  // namespace cbst
