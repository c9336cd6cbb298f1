// program.cpp: start-up, the message loop and shutdown, in their order.
#include "app/program.h"

#include <cstdlib>
#include <filesystem>

#include "app/competition_mode.h"
#include "app/file_types.h"
#include "app/game_effects.h"
#include "app/game_events.h"
#include "app/language_choice.h"
#include "app/open_from_shell.h"
#include "app/options.h"
#include "app/saved_games.h"
#include "app/setup_hooks.h"
#include "app/start_trace.h"
#include "base/cp1252.h"
#include "base/memory.h"
#include "base/pathname.h"
#include "gfx/display_probe.h"
#include "image/bmp_file.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/key_state.h"
#include "platform/locale_separators.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/program_path.h"
#include "play/saved_game_state.h"
#include "play/wpuz.h"
#include "puzzle/thumb.h"
#include "scores/wminiscore.h"
#include "ui/event_codes.h"
#include "ui/tips.h"

namespace cbst {
namespace {

// Below this many bits a pixel the drawing code takes its low-colour paths.
constexpr int kLowColourBits = 5;
// Where the carried thumbtack's point is when its picture is missing.
constexpr int kDefaultTackHotSpot = 12;

const Program*& RunningProgram() {
  static const Program* program = nullptr;
  return program;
}

// The language the user picks in a chooser is kept for the next start.
void SaveLanguage(const char* code) {
  if (const Program* program = RunningProgram()) program->settings().Write(kKeyLanguage, code);
}

// The system's language as the old platform's settings named it: what
// the user settings file says, else the locale's.
std::string SystemLanguage() {
  std::string from_locale;
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* locale = std::getenv(variable);
    if (locale && *locale) {
      from_locale = SystemLanguageOfLocale(locale);
      break;
    }
  }
  if (from_locale.empty()) from_locale = kDefaultSystemLanguage;
  const VString kept =
      ReadProfileString(UserSettingsPath().c_str(), kIntlSection, kKeySystemLanguage, from_locale);
  return DictionaryLanguage(kept.c_str());
}

// The program's name, its version and build mark, as the empty table and
// the system information show them.
std::string IdentityText() {
  std::string text = Text(kMessageIdentity);
  text += ' ';
  text += Thumb::VersionText(kProgramVersion).c_str();
  text += ' ';
  text += kBuildMark;
  return text;
}

}  // namespace

Program::Program(int& argc, char** argv, std::string program_path)
    : program_path_(std::move(program_path)) {
  // Running out of memory anywhere from here on ends the program with its
  // message and exit code -1, standard containers included.
  InstallOutOfMemoryHandler();
  // The toolkit comes up first: the display probe needs to see the screen.
  application_ = std::make_unique<Application>(argc, argv);
  MarkStartStage("toolkit");
  ProbeDisplay(false);
  // Numbers are shown with the separators of the user's regional settings.
  SetSeparators(LocaleSeparators());
  RunningProgram() = this;
  if (program_path_.empty()) program_path_ = ExecutablePath();
  const PathName path(program_path_.c_str());
  program_directory_ = path.Compose(kPathDrive | kPathDirectory).c_str();
  settings_ = std::make_unique<Settings>(Settings::FileFor(kShortName, program_directory_));
  const VString profile = settings_->Read(kKeyFileProfile);
  if (settings_->Has(kKeyFileProfile))
    settings_->Redirect(Settings::FileFor(profile.c_str(), program_directory_));
  MarkStartStage("settings");
}

Program::~Program() {
  // A table still open forgets the game's handlers, which go first.
  if (table_ && application_ && application_->Holds(table_)) {
    table_->set_game(nullptr);
    table_->set_effects(nullptr);
  }
  // The game before the dictionary, the dictionary before the framework.
  puz_.reset();
  dictionary_.reset();
  SetRunningSetupContext(nullptr);
  RunningProgram() = nullptr;
}

int Program::Run(const std::string& command_line) {
  return Start(command_line) ? Finish() : exit_code_;
}

void Program::ApplyOptions() {
  const std::uint32_t bits = ProgramOptions().bits;
  table_->board().set_drag_single_pieces((bits & kOptionsDragGrabbedPiece) != 0);
  table_->boxes().set_animations(!(bits & kOptionsNoAnimation));
  table_->play().rect_animations = !(bits & kOptionsNoAnimation);
  sounds_->SetOptions(bits);
  application_->tips().set_enabled(!(bits & kOptionsNoTips));
}

int Program::Finish() {
  if (MeasuringStart()) {
    // A measurement ends with the first settled frame, as the process it
    // measures: nothing is saved and nothing taken down.
    application_->WhenSettled(table_, [] {
      MarkStartStage("frame");
      ReportStartStages();
      std::_Exit(0);
    });
  }
  application_->RunUntilGone(table_);
  table_ = nullptr;
  ProgramOptions().Save(*settings_);
  return 0;
}

bool Program::Start(const std::string& command_line) {
  // A Control key held as the program started does not count as held.
  NoteKey(kVirtualControl, false);
  ProgramOptions().Load(*settings_);
  if (!LoadDictionary()) {
    exit_code_ = 1;
    return false;
  }
  MarkStartStage("dictionary");
  LoadResources();
  MarkStartStage("resources");

  puz_ = std::make_unique<Puz>();
  table_ = application_->Make<WPuz>(*puz_);
  if (!table_->CreateTable(kProductName)) {
    exit_code_ = 1;
    return false;
  }
  table_->set_drag_cursor(drag_cursor_);
  low_colour_ = QueryDisplay().bit_count < kLowColourBits;
  game_events_ =
      std::make_unique<GameEvents>(*table_, *puz_, *settings_, program_directory_, low_colour_);
  table_->set_game(game_events_.get());
  game_events_->set_boxes(&table_->boxes());
  sounds_ = std::make_unique<SoundPlayer>(program_directory_, ProgramOptions().bits);
  game_events_->set_sounds(sounds_.get());
  score_ = std::make_unique<GameScore>(TickCount);
  game_effects_ = std::make_unique<GameEffects>(*sounds_, *score_, *puz_);
  table_->set_effects(game_effects_.get());
  saver_ =
      std::make_unique<GameSaver>(*puz_, *table_, *score_, *game_effects_, *settings_,
                                  GamePlaces{*settings_, program_directory_}.PuzzlesDirectory());
  game_effects_->set_saver(saver_.get());
  game_events_->set_saver(saver_.get());
  game_events_->set_score(score_.get());
  // Competition mode, and its score window made with the table.
  competition_ = std::make_unique<CompetitionMode>(
      *puz_, *score_, GamePlaces{*settings_, program_directory_}.PuzzlesDirectory());
  auto* mini_score = application_->Make<WMiniScore>(*table_, *score_);
  if (mini_score->CreateMiniScore()) {
    competition_->set_window(mini_score);
  } else {
    DestroyWindow(mini_score, 0);
  }
  game_effects_->set_competition(competition_.get());
  saver_->set_competition(competition_.get());
  game_events_->set_competition(competition_.get());
  SetSavedGameHeaderReader(ReadSavedGameHeader);
  game_events_->set_options_applied([this](std::uint32_t) { ApplyOptions(); });
  ApplyOptions();
  // The loupe's keys change the player's loupe, kept with the options.
  table_->set_loupe_settings({ProgramOptions().loupe_size, ProgramOptions().loupe_magnification},
                             [](const LoupeSettings& loupe) {
                               Options& options = ProgramOptions();
                               options.loupe_size = loupe.size;
                               options.loupe_magnification = loupe.zoom;
                               options.dirty = true;
                             });
  table_->set_no_sparkle(ProgramOptions().no_sparkle != 0);
  table_->set_shadows({ProgramOptions().no_shadow != 0, ProgramOptions().solid_shadow != 0});
  table_->set_identity_text(IdentityText());
  table_->Refresh();
  Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowFullScreenInactive});
  table_->Dispatch(show);

  if (!CheckProgramDirectory()) {
    EndInMode(StartMode::kCloseAndEnd);
    return false;
  }
  std::string remaining = command_line;
  setup_context_ = {program_path_, program_directory_, settings_.get(), table_, read_only_};
  SetRunningSetupContext(&setup_context_);
  if (const StartMode mode = ActOnCommandWords(remaining); mode != StartMode::kGoOn) {
    EndInMode(mode);
    return false;
  }
  RegisterFileTypes(program_path_);
  if (SetupHooks* setup = InstalledSetupHooks()) setup->OfferProgramGroup(setup_context_);
  // The table answers the start-up command by making a puzzle of a
  // picture on the clipboard.
  Event start_up = MakeEvent(kEventCommand, CommandPayload{kCommandStartUp});
  table_->Dispatch(start_up);
  const bool puzzle_made = start_up.handled();
  application_->AddClipboardViewer(table_);
  table_->Activate();
  GamePlaces places{*settings_, program_directory_};
  MarkStartStage("table");
  if (puzzle_made) return true;
  if (Status opened = OpenFromCommandLine(*puz_, *table_, places, remaining, saver_.get());
      opened.peek())
    opened.Report();
  MarkStartStage("opening");
  return true;
}

bool Program::LoadDictionary() {
  const std::string system = SystemLanguage();
  std::string wanted = settings_->Read(kKeyLanguage).c_str();
  if (!settings_->Has(kKeyLanguage)) wanted = system;
  language_list_ = LanguageList(system);
  // The flags of the languages are pictures inside the dictionary files.
  InstallBmpReader();
  dictionary_ = std::make_unique<Traductor>();
  dictionary_->set_directory(program_directory_);
  dictionary_->set_accepted_version(kDictionaryVersion);
  dictionary_->set_language_saver(SaveLanguage);
  Status loaded = dictionary_->Load(language_list_.c_str(), kDictionaryTag, wanted.c_str());
  if (loaded.peek() == 0) return true;
  loaded.Report();
  return false;
}

void Program::LoadResources() {
  InstallProgramIcon();
  for (int index = 0; index < 3; ++index)
    bitmaps_[index] = LoadProgramBitmap(kBitmapLoupe + index);
  const ProgramPicture& tack = bitmaps_[kBitmapThumbtack - kBitmapLoupe];
  tack_hot_x_ = tack.empty() ? kDefaultTackHotSpot : tack.width / 2;
  tack_hot_y_ = tack.empty() ? kDefaultTackHotSpot : tack.height;
  drag_cursor_ = LoadProgramCursor(kCursorDrag);
}

bool Program::CheckProgramDirectory() {
  if (CanWriteIn(program_directory_, kWriteTestPrefix)) return true;
  const int answer =
      ShowMessageBox(table_->platform_window(), ErrorText(kMessageReadOnlyDirectory),
                     kBoxOkCancel | kBoxIconExclamation | kBoxTaskModal, kProductName);
  if (answer == kAnswerCancel) return false;
  read_only_ = true;
  return true;
}

StartMode Program::ActOnCommandWords(std::string& command_line) {
  if (SetupHooks* setup = InstalledSetupHooks())
    return setup->ActOnWords(setup_context_, command_line);
  // The installation words and what ends the program after each when its
  // work cannot be done. Without the installation code (a program built
  // without it) the player is told that this version cannot, and the
  // program ends as the word's failure would end it.
  struct SetupWord {
    std::string_view word;
    StartMode failed;
  };
  constexpr SetupWord kSetupWords[] = {
      {"@setup", StartMode::kDestroyAndEnd},      {"@instalprogman", StartMode::kCloseAndEnd},
      {"@instalpack", StartMode::kDestroyAndEnd}, {"@instalfiles", StartMode::kDestroyAndEnd},
      {"@remove", StartMode::kDestroyAndEnd},
  };
  for (const SetupWord& setup : kSetupWords) {
    if (command_line.find(setup.word) == std::string::npos) continue;
    Status(kStatusSetupWordNotYet, setup.word).Report();
    return setup.failed;
  }
  return StartMode::kGoOn;
}

void Program::EndInMode(StartMode mode) {
  exit_code_ = 0;
  if (mode == StartMode::kCloseAndEnd) {
    Event close = MakeEvent(kEventCommand, CommandPayload{kCommandClose});
    table_->Dispatch(close);
  }
  if (application_->Holds(table_)) DestroyWindow(table_, 0);
  table_ = nullptr;
}

}  // namespace cbst
