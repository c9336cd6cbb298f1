// wdir.cpp: the puzzle browser.
#include "app/wdir.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/game_events.h"
#include "base/date.h"
#include "play/game_handler.h"
#include "puzzle/open_puzzle.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/progress_window.h"

namespace cbst {
namespace {

// The any-player item: its text framed by blanks, which is how the filter
// knows it from a player's name.
std::string AnyPlayerItem() {
  const char* text = Text(kTextAnyPlayer);
  return std::string(" ") + (text && *text ? text : "*") + " ";
}

bool Checked(Window* dialog, int id) {
  return Control(dialog, id).Number() == 1.0;
}

}  // namespace

const ClassInfo WDir::kClass = {&WinDlg::kClass, "WDir"};

std::string BrowserLineText(const BrowserLine& line) {
  char size[48];
  if (line.rows > 0 && line.columns > 0) {
    std::snprintf(size, sizeof size, "%d x %d = %d", line.rows, line.columns,
                  line.rows * line.columns);
  } else {
    std::snprintf(size, sizeof size, "?");
  }
  std::string text;
  if (line.kind == LineKind::kPuzzle) {
    text = line.title + "    " + size;
  } else {
    const int seconds = line.elapsed_ms / kMillisecondsPerSecond;
    char done[64];
    std::snprintf(done, sizeof done, "    %d%%    %d:%02d:%02d",
                  static_cast<int>((1.0 - line.progress) * 100.0 + 0.5), seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    text = (line.player.empty() ? std::string() : line.player + ": ") + line.title + "    " + size +
           done;
  }
  return text;
}

WDir::WDir(const Settings& settings, std::string directory, std::string preselect,
           BrowserChoice& choice, GameHandler* game)
    : WinDlg(kBrowserTemplate),
      settings_(settings),
      directory_(std::move(directory)),
      preselect_(std::move(preselect)),
      choice_(choice),
      game_(game) {
  choice_ = BrowserChoice();
  set_help_context(kHelpTopicBrowser);
}

void WDir::Prime() {
  primed_ = true;
  const char* title = ControlText(0, kBrowserOpen);
  if (title && *title) {
    std::string caption;
    for (const char* at = title; *at; ++at)
      if (*at != '&' && *at != '.') caption += *at;
    SetTitle(caption);
  }
  for (const int id : {kBrowserOpen, kBrowserMakePuzzle, kBrowserClose, kBrowserHelp,
                       kBrowserFolder, kBrowserShowNew, kBrowserShowStarted, kBrowserShowFinished,
                       kBrowserNoRotation, kBrowserMosaic, kBrowserStore, kBrowserFirstLevel,
                       kBrowserFirstLevel + 1, kBrowserFirstLevel + 2, kBrowserFirstLevel + 3,
                       kBrowserFirstLevel + 4, kBrowserCustom, kBrowserAllLevels}) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  }
  // Choosing another puzzles folder and making a puzzle come with their
  // own windows; until they exist their buttons are not offered.
  Control(this, kBrowserFolder).Show(false);
  Control(this, kBrowserMakePuzzle).Enable(CommandReady(kCommandMakePuzzle));
  Fill();
  ShowFilter(ReadBrowserFilter(settings_));
  Refilter();
  if (!preselect_.empty()) {
    Control list(this, kBrowserList);
    for (std::size_t index = 0; index < shown_.size(); ++index) {
      if (shown_[index]->path != preselect_) continue;
      list.Select(static_cast<int>(index));
      Selected();
      break;
    }
  }
  Control(this, kBrowserList).SetFocus();
}

void WDir::Fill() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point checked = Clock::now();
  Application* application = Application::Instance();
  // Files the folder's cache does not know are read with a bar showing how
  // far that has got (it shows only when the reading lasts).
  std::unique_ptr<ProgressWindow> progress;
  FillWatch watch;
  watch.after_file = [&] {
    if (!application || Clock::now() - checked < std::chrono::milliseconds(kFillAnswerMs)) return;
    application->ProcessPending();
    checked = Clock::now();
  };
  watch.reading = [&](int read, int to_read) {
    if (!progress) {
      progress = std::make_unique<ProgressWindow>(this, kProgressPercentBar);
      progress->SetRange(0, to_read);
    }
    progress->Report(read);
  };
  listing_ = FillBrowserLines(directory_, watch);
  progress.reset();
  Control players(this, kBrowserPlayer);
  players.Clear();
  players.AddString(AnyPlayerItem());
  for (const std::string& player : listing_.players)
    players.AddString(player);
}

void WDir::ShowFilter(const BrowserFilter& filter) {
  Control(this, kBrowserShowNew).Set(filter.show_new ? 1.0 : 0.0);
  Control(this, kBrowserShowStarted).Set(filter.show_started ? 1.0 : 0.0);
  Control(this, kBrowserShowFinished).Set(filter.show_finished ? 1.0 : 0.0);
  for (int level = 0; level < kStoredLevels; ++level)
    Control(this, kBrowserFirstLevel + level).Set(filter.levels[level] ? 1.0 : 0.0);
  Control(this, kBrowserCustom).Set(filter.custom ? 1.0 : 0.0);
  Control(this, kBrowserAllLevels).Set(filter.all_levels ? 1.0 : 0.0);
  Control players(this, kBrowserPlayer);
  if (filter.player.empty()) {
    players.Set(0.0);
  } else {
    players.SetText(filter.player);
  }
  Control(this, kBrowserNoRotation).Set(filter.no_rotation ? 1.0 : 0.0);
  Control(this, kBrowserMosaic).Set(filter.mosaic ? 1.0 : 0.0);
}

BrowserFilter WDir::TakeFilter() {
  BrowserFilter filter;
  filter.show_new = Checked(this, kBrowserShowNew);
  filter.show_started = Checked(this, kBrowserShowStarted);
  filter.show_finished = Checked(this, kBrowserShowFinished);
  for (int level = 0; level < kStoredLevels; ++level)
    filter.levels[level] = Checked(this, kBrowserFirstLevel + level);
  filter.custom = Checked(this, kBrowserCustom);
  filter.all_levels = Checked(this, kBrowserAllLevels);
  // The any-player item is the one that begins with a blank.
  const std::string player(Control(this, kBrowserPlayer).GetText().view());
  filter.player = player.empty() || player[0] == ' ' ? std::string() : player;
  filter.no_rotation = Checked(this, kBrowserNoRotation);
  filter.mosaic = Checked(this, kBrowserMosaic);
  return filter;
}

void WDir::Refilter() {
  const BrowserFilter filter = TakeFilter();
  Control list(this, kBrowserList);
  list.Clear();
  shown_.clear();
  for (const BrowserLine& line : listing_.lines) {
    if (!PassesFilter(line, filter)) continue;
    shown_.push_back(&line);
    list.AddString(BrowserLineText(line));
  }
  Control(this, kBrowserOpen).Enable(false);
  Control(this, kBrowserStore).Enable(!shown_.empty());
  char counts[64];
  std::snprintf(counts, sizeof counts, "%zu / %zu", shown_.size(), listing_.lines.size());
  SetItemText(kBrowserStatusLine, counts);
}

void WDir::Selected() {
  const int index = static_cast<int>(Control(this, kBrowserList).Number());
  const bool any = index >= 0 && index < static_cast<int>(shown_.size());
  Control(this, kBrowserOpen).Enable(any);
  char counts[64];
  std::snprintf(counts, sizeof counts, "%d / %zu / %zu", any ? index + 1 : 0, shown_.size(),
                listing_.lines.size());
  std::string status = counts;
  if (any) status += "    " + std::filesystem::path(shown_[index]->path).filename().string();
  SetItemText(kBrowserStatusLine, status);
}

void WDir::Choose() {
  const int index = static_cast<int>(Control(this, kBrowserList).Number());
  if (index < 0 || index >= static_cast<int>(shown_.size())) return;
  choice_.line = *shown_[index];
  choice_.options = (Checked(this, kBrowserNoRotation) ? kOpenNoTurning : 0) |
                    (Checked(this, kBrowserMosaic) ? kOpenMosaic : 0);
  choice_.chosen = true;
  EndDialog(kBrowserOpen);
}

bool WDir::OnCommand(const CommandPayload& command) {
  const int id = static_cast<int>(command.id);
  switch (id) {
    case kBrowserOpen:
    case static_cast<int>(kCommandOk):
      Choose();
      return true;
    case kBrowserList:
      if (command.parameter == kNotifySelectionChanged) Selected();
      if (command.parameter == kNotifyDoubleClicked) Choose();
      return true;
    case kBrowserShowNew:
    case kBrowserShowStarted:
    case kBrowserShowFinished:
    case kBrowserAllLevels:
      Refilter();
      return true;
    case kBrowserCustom:
      Control(this, kBrowserAllLevels).Set(0.0);
      Refilter();
      return true;
    case kBrowserPlayer:
      if (command.parameter == kNotifyComboChanged) Refilter();
      return true;
    case kBrowserStore:
      WriteBrowserFilter(settings_, TakeFilter());
      return true;
    case kBrowserHelp:
      if (game_) {
        Event help =
            MakeEvent(kEventCommand, CommandPayload{kCommandHelpContents, kHelpTopicBrowser});
        game_->OnGameEvent(help);
      }
      return true;
    default:
      break;
  }
  if (id >= kBrowserFirstLevel && id < kBrowserFirstLevel + kStoredLevels) {
    Control(this, kBrowserAllLevels).Set(0.0);
    Refilter();
    return true;
  }
  return false;
}

void WDir::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && OnCommand(*command)) {
      event.set_handled();
      return;
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
