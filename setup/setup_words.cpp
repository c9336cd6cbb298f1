// setup_words.cpp: acting on the installation words at start.
#include "setup/setup_words.h"

#include <spawn.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "setup/file_copy.h"
#include "setup/removal.h"
#include "setup/setup_codes.h"
#include "setup/shortcuts.h"
#include "setup/wwelcome.h"
#include "text/traductor.h"
#include "ui/window.h"

extern char** environ;

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLanguageSwitch = "/lang:";
constexpr std::size_t kLanguageCodeLength = 3;
// After "@instalfiles" the program waits this long, letting the installer
// see "DonePack" before it goes on.
constexpr auto kInstallerPause = std::chrono::milliseconds(1000);
// The pieces of the command line split at '@'.
constexpr std::size_t kPackPiece = 2;
constexpr std::size_t kSourcePiece = 2;
constexpr std::size_t kSubFolderPiece = 3;
constexpr std::size_t kFirstFilePiece = 4;

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    pieces.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

// Trailing spaces of a piece are the command line's, not the name's.
std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  while (!text.empty() && text.front() == ' ')
    text.erase(text.begin());
  return text;
}

void WriteDonePack(std::string_view value) {
  WriteProfileString(UserSettingsPath().c_str(), kSetupSection, kKeyDonePack, value);
}

// Starts the program the full setup installed, as the outside installer
// would: "Run" names it, "Dir" is where it runs.
void StartInstalledCopy() {
  const std::string user_settings = UserSettingsPath();
  const std::string run = ReadProfileString(user_settings.c_str(), kSetupSection, kKeyRun).c_str();
  const std::string folder =
      ReadProfileString(user_settings.c_str(), kSetupSection, kKeyDirectory).c_str();
  if (run.empty() || folder.empty()) return;
  // The program's path may hold spaces: it is the folder and a name.
  const std::size_t words = run.find(" @");
  const std::string program = run.substr(0, words);
  std::vector<std::string> arguments{program};
  for (std::string& word : SplitAt(words == std::string::npos ? "" : run.substr(words + 1), ' '))
    if (!word.empty()) arguments.push_back(std::move(word));
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
}

InstallPlace PlaceOf(const SetupContext& context) {
  return {context.program_path, context.program_directory, *context.settings};
}

StartMode AfterWelcome(int result, std::string& command_line) {
  command_line.clear();
  return result == kWelcomeCompleted ? StartMode::kGoOn : StartMode::kCloseAndEnd;
}

class ProgramSetup final : public SetupHooks {
 public:
  StartMode ActOnWords(const SetupContext& context, std::string& command_line) override {
    const bool welcome_done =
        std::string_view(context.settings->Read(kKeyWelcomeDone).c_str()) == kWelcomeDoneValue;
    MessageBoxQuestions questions;
    return ActOnSetupRoute(RouteSetupWords(command_line, welcome_done), context, command_line,
                           questions);
  }

  void OfferProgramGroup(const SetupContext& context) override {
    const Settings& settings = *context.settings;
    if (std::string_view(settings.Read(kKeyWelcomeDone).c_str()) != kWelcomeDoneValue) return;
    const long declined = settings.ReadNumber(kKeyProgramGroup);
    if (declined >= 1 || context.read_only) return;
    const PlatformWindow* owner = context.table ? context.table->platform_window() : nullptr;
    const int answer = ShowMessageBox(owner, Text(kTextProgramGroupOffer),
                                      kBoxYesNo | kBoxIconQuestion, kProductName);
    if (answer == kAnswerYes) {
      CreateProgramGroup(context);
    } else {
      settings.WriteNumber(kKeyProgramGroup, declined + 1);
    }
  }

  bool CreateProgramGroup(const SetupContext& context) override {
    const Traductor* dictionary = Traductor::Instance();
    return CreateProgramGroupAndShortcuts(PlaceOf(context),
                                          dictionary ? dictionary->language().c_str() : "eng");
  }
};

}  // namespace

SetupRoute RouteSetupWords(std::string_view command_line, bool welcome_done) {
  SetupRoute route;
  route.pieces = SplitAt(command_line, '@');
  const auto has = [command_line](std::string_view word) {
    return command_line.find(word) != std::string_view::npos;
  };
  if (has("@setup")) {
    route.word = SetupWord::kSetup;
  } else if (has("@instalprogman")) {
    route.word = SetupWord::kProgramGroup;
    if (const std::size_t at = command_line.find(kLanguageSwitch); at != std::string_view::npos)
      route.language = command_line.substr(at + kLanguageSwitch.size(), kLanguageCodeLength);
  } else if (!welcome_done) {
    route.word = SetupWord::kFirstRun;
  } else if (has("@instalpack")) {
    route.word = SetupWord::kPack;
  } else if (has("@instalfiles")) {
    route.word = SetupWord::kFiles;
  } else if (has(kRemoveWord)) {
    route.word = SetupWord::kRemove;
  }
  return route;
}

StartMode ActOnSetupRoute(const SetupRoute& route, const SetupContext& context,
                          std::string& command_line, SetupQuestions& questions) {
  const InstallPlace place = PlaceOf(context);
  switch (route.word) {
    case SetupWord::kNone:
      return StartMode::kGoOn;
    case SetupWord::kSetup: {
      if (context.table) context.table->SetTitle(kSetupTitle);
      const int result = RunWelcome(kWelcomeInstall, place, {}, context.table, questions);
      if (result == kWelcomeCompleted) StartInstalledCopy();
      return StartMode::kDestroyAndEnd;
    }
    case SetupWord::kProgramGroup: {
      if (Traductor* dictionary = Traductor::Instance(); dictionary && !route.language.empty())
        dictionary->SelectLanguage(route.language.c_str());
      const int result = RunWelcome(kWelcomeProgramGroup, place, {}, context.table, questions);
      return AfterWelcome(result, command_line);
    }
    case SetupWord::kFirstRun: {
      const int result = RunWelcome(kWelcomeFirstRun, place, {}, context.table, questions);
      return AfterWelcome(result, command_line);
    }
    case SetupWord::kPack: {
      WriteDonePack(kDonePackStarted);
      const std::string pack =
          route.pieces.size() > kPackPiece ? Trimmed(route.pieces[kPackPiece]) : std::string();
      RunWelcome(kWelcomeInstallPack, place, pack, context.table, questions);
      WriteDonePack(kDonePackFinished);
      return StartMode::kDestroyAndEnd;
    }
    case SetupWord::kFiles: {
      WriteDonePack(kDonePackStarted);
      const auto piece = [&route](std::size_t index) {
        return index < route.pieces.size() ? Trimmed(route.pieces[index]) : std::string();
      };
      std::vector<std::string> names;
      for (std::size_t index = kFirstFilePiece; index < route.pieces.size(); ++index)
        names.push_back(piece(index));
      Status copied = CopyNamedFiles(
          piece(kSourcePiece), fs::path(context.program_directory) / piece(kSubFolderPiece), names);
      WriteDonePack(kDonePackFinished);
      if (copied.peek() != 0) {
        copied.Report();
        return StartMode::kDestroyAndEnd;
      }
      std::this_thread::sleep_for(kInstallerPause);
      command_line.clear();
      return StartMode::kGoOn;
    }
    case SetupWord::kRemove: {
      std::vector<fs::path> in_use;
      if (Remove(place, questions, in_use)) {
        Unregister();
        DeleteAtExit(std::move(in_use), context.program_directory);
      }
      return StartMode::kDestroyAndEnd;
    }
  }
  return StartMode::kGoOn;
}

void InstallSetup() {
  static ProgramSetup setup;
  InstallSetupHooks(&setup);
}

}  // namespace cbst
