// wwelcome.h: WWelcome, the welcome and setup window: the first-run
// welcome, the full setup into a folder, the program group after a setup
// and the installation of a puzzle pack.
#pragma once

#include <string>

#include "setup/install_place.h"
#include "setup/setup_questions.h"
#include "ui/win_dlg.h"

namespace cbst {

inline constexpr int kWelcomeTemplate = 950;

// The window's mode is a set of these bits.
inline constexpr int kWelcomeMarkDone = 1;   // OK notes that the welcome was done
inline constexpr int kWelcomeFullSetup = 2;  // OK copies the program into a folder
inline constexpr int kWelcomePack = 4;       // OK copies a puzzle pack
inline constexpr int kWelcomeAtStart = 8;    // shown by start-up
// The modes start-up uses.
inline constexpr int kWelcomeFirstRun = kWelcomeAtStart | kWelcomeMarkDone;  // 9
inline constexpr int kWelcomeInstall = kWelcomeAtStart | kWelcomeFullSetup;  // 10
inline constexpr int kWelcomeProgramGroup = kWelcomeMarkDone;                // 1
inline constexpr int kWelcomeInstallPack = kWelcomePack;                     // 4

// Controls.
inline constexpr int kWelcomeFirstLanguage = 1150;
inline constexpr int kWelcomeLanguages = 7;
inline constexpr int kWelcomeGroupBox = 4000;
inline constexpr int kWelcomeMenuBox = 4001;
inline constexpr int kWelcomeDesktopBox = 4002;
inline constexpr int kWelcomeExplanation = 4010;
inline constexpr int kWelcomeFolderLabel = 4011;
inline constexpr int kWelcomeFolder = 7000;
inline constexpr int kWelcomeInstallButton = 7001;
inline constexpr int kWelcomeBrowse = 7002;

// What the result cell holds once the window is closed.
inline constexpr int kWelcomeCompleted = 1;
inline constexpr int kWelcomeCancelled = 2;

class WWelcome final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // `argument` is the pack for mode 4; `language` receives the code of a
  // language the player picks here.
  WWelcome(int mode, const InstallPlace& place, std::string argument, int& result,
           std::string& language, SetupQuestions& questions);

  void OnEvent(Event& event) override;

  // The window closes to come back in the language just chosen.
  static constexpr int kReopen = 1150;

 private:
  void Prime();
  void Accept();
  void Cancel();
  bool RunFullSetup();
  void Browse();
  void ShowHelp();
  void ChooseLanguage(int index);

  int mode_;
  const InstallPlace& place_;
  std::string argument_;
  int& result_;
  std::string& language_;
  SetupQuestions& questions_;
  bool primed_ = false;
};

// Runs the window modally over `parent` in `mode`, again after each change
// of language, until it is closed; returns what the result cell holds
// (kWelcomeCompleted when the player finished it). `language` receives the
// language chosen in it, if any.
int RunWelcome(int mode, const InstallPlace& place, const std::string& argument, Window* parent,
               SetupQuestions& questions, std::string* language = nullptr);

// Where the full setup proposes to install: ~/Cobblestack.
std::string DefaultInstallFolder();

}  // namespace cbst
