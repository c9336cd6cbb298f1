// game_events.cpp: the game's menus and the commands that act on the
// table and the board.
#include "app/game_events.h"
#include "base/status_codes.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/about_text.h"
#include "app/app_codes.h"
#include "app/browse_puzzles.h"
#include "app/competition_mode.h"
#include "app/game_keys.h"
#include "app/help_files.h"
#include "app/make_from_picture.h"
#include "app/open_from_shell.h"
#include "app/options.h"
#include "app/saved_games.h"
#include "app/system_info.h"
#include "app/wadvanced.h"
#include "app/winfo.h"
#include "app/woptions.h"
#include "base/pathname.h"
#include "gfx/display_probe.h"
#include "gfx/toolkit_pictures.h"
#include "platform/clipboard_text.h"
#include "platform/colour_picker.h"
#include "platform/cursors.h"
#include "platform/help_viewer.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/mouse_buttons.h"
#include "play/game_flags.h"
#include "play/piece_boxes.h"
#include "play/saved_game.h"
#include "play/wpuz.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/thumb.h"
#include "scores/game_ranking.h"
#include "scores/show_ranking.h"
#include "text/traductor.h"
#include "text/wcredits.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/menu_icons.h"
#include "ui/pop_menu.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr std::uint32_t kColourBits = 0xFFFFFF;

// Texts that name an item or its shortcut.
constexpr int kTextMinimise = 10;
constexpr int kTextBackground = 28;
constexpr int kTextDoubleClick = 29;
constexpr int kTextSwappedDoubleClick = 30;

void AppendItem(XPopMenu& menu, std::uint32_t command) {
  menu.Append(command, ControlText(0, static_cast<int>(command)));
}

// What the game's menu items show beside their texts.
struct Decoration {
  std::uint32_t command;
  const char* accelerator;
  IconStrip strip;
  int icon;
};
constexpr int kNoIcon = -1;

constexpr Decoration kDecorations[] = {
    {kCommandOpen, "Ctrl+O", IconStrip::kProgram, kNoIcon},
    {kCommandSave, "Ctrl+S", IconStrip::kProgram, kNoIcon},
    {kCommandSaveAs, "Ctrl+A", IconStrip::kProgram, kNoIcon},
    {kCommandHelpContents, "F1", IconStrip::kProgram, kNoIcon},
    {kCommandOptions, "F3", IconStrip::kProgram, kIconOptions},
    {kCommandAutomaticHelp, "F5", IconStrip::kProgram, kIconHelp},
    {kCommandSpread, "Ctrl+R", IconStrip::kProgram, kIconSpreadPieces},
    {kCommandTogglePreview, "", IconStrip::kTable, kIconPreview},
    {kCommandGameSettings, "F2", IconStrip::kProgram, kIconGameSettings},
    {kCommandMakePuzzle, "Ctrl+C", IconStrip::kProgram, kIconNewPuzzle},
    {kCommandPreviewHelp, "", IconStrip::kTable, kIconPreviewHelp},
    {kCommandLiveRanking, "F4", IconStrip::kProgram, kIconCompetitionScore},
    {kCommandMinimise, "", IconStrip::kTable, kIconMinimize},
};

}  // namespace

GameEvents::GameEvents(WPuz& table, Puz& puz, const Settings& settings,
                       std::string program_directory, bool low_colour)
    : table_(table),
      puz_(puz),
      settings_(settings),
      program_directory_(std::move(program_directory)),
      low_colour_(low_colour) {}

void GameEvents::BuildMenu(int kind, XPopMenu& menu) {
  if (kind == kMenuPreview) {
    // Chosen on the preview picture, the item takes it off the table.
    AppendItem(menu, kCommandNoPreview);
    menu.SetParameter(kCommandNoPreview, 1);
    AppendItem(menu, kCommandPreviewHelp);
    return;
  }
  AppendItem(menu, kCommandOpen);
  AppendItem(menu, kCommandMakePuzzle);
  if (loaded()) {
    AppendItem(menu, kCommandSave);
    AppendItem(menu, kCommandOptions);
    AppendItem(menu, kCommandGameSettings);
    if (!low_colour_) menu.Append(kCommandBackground, Text(kTextBackground));
    if (!puz_.HasOption(kOptionNoPreview)) AppendItem(menu, kCommandTogglePreview);
    if (!puz_.HasOption(kOptionNoHelp) && !(puz_.state & kGameSolved))
      AppendItem(menu, kCommandAutomaticHelp);
    AppendItem(menu, kCommandSpread);
    if (puz_.game_flags & kGameCompetition) AppendItem(menu, kCommandLiveRanking);
  } else {
    AppendItem(menu, kCommandOptions);
  }
  AppendItem(menu, kCommandAbout);
  AppendItem(menu, kCommandHelpContents);
  menu.Append(kCommandMinimise, Text(kTextMinimise));
  AppendItem(menu, kCommandQuit);
  for (const CommandReadiness& entry : kCommandReadiness)
    menu.Enable(entry.command, entry.ready);
  // A game whose preview was taken off the table has none to show.
  if (loaded() && (puz_.game_flags & kGameNoPreview)) menu.Enable(kCommandTogglePreview, false);
}

void GameEvents::Decorate(MenuDecorationPayload& item) const {
  for (const Decoration& decoration : kDecorations) {
    if (decoration.command != item.command) continue;
    // The preview's item names the double click that also shows it.
    item.accelerator =
        decoration.command == kCommandTogglePreview
            ? std::string(Text(MouseButtonsSwapped() ? kTextSwappedDoubleClick : kTextDoubleClick))
            : decoration.accelerator;
    if (decoration.icon != kNoIcon) item.icon = MenuIcon(decoration.strip, decoration.icon);
    return;
  }
}

void GameEvents::AddHook(GameHook& hook) {
  hooks_.push_back(&hook);
}

void GameEvents::RemoveHook(GameHook& hook) {
  std::erase(hooks_, &hook);
}

bool GameEvents::OfferToHooks(Event& event) {
  // A hook may go away while it is asked.
  const std::vector<GameHook*> asked = hooks_;
  for (GameHook* hook : asked) {
    if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
    hook->OnGameHookEvent(event);
    if (event.handled()) return true;
  }
  return false;
}

bool GameEvents::busy() const {
  return (puz_.state & kGameHelping) || table_.play().gesture_running;
}

void GameEvents::EmptyTableClicked() {
  const long shown = settings_.ReadNumber(kKeyClickHints);
  if (shown >= kClickHintTimes) return;
  settings_.WriteNumber(kKeyClickHints, shown + 1);
  table_.MessageBox(Text(kTextClickHint), kBoxOk | kBoxIconInformation);
}

void GameEvents::OnGameEvent(Event& event) {
  if (event.code == kEventKey) {
    if (const auto* key = event.as<KeyPayload>(); key && OnKey(*key)) event.set_handled();
    return;
  }
  if (event.code == kEventMenuDecoration) {
    if (auto* item = event.as<MenuDecorationPayload>()) {
      Decorate(*item);
      event.set_handled();
    }
    return;
  }
  if (event.code == kEventFilesDropped) {
    // A puzzle or saved game opens as from the command line; a picture
    // becomes a new puzzle.
    if (const auto* dropped = event.as<FilesPayload>(); dropped && OpenDropped(*dropped)) {
      event.set_handled();
      return;
    }
    if (MakePuzzleFromDrop(MakingContext(), event)) event.set_handled();
    return;
  }
  if (event.code == kEventClipboard) {
    // A picture copied while the game runs is offered as a new puzzle.
    if (ClipboardHasPicture()) MakePuzzleFromPicture(MakingContext(), nullptr);
    event.set_handled();
    return;
  }
  if (event.code != kEventCommand) return;
  if (const auto* command = event.as<CommandPayload>();
      command && OnCommand(command->id, command->parameter))
    event.set_handled();
}

bool GameEvents::PreviewKey(const KeyPayload& key, const KeyAction& action) {
  const bool preview_key =
      action.kind == KeyAction::Kind::kCommand && action.command == kCommandTogglePreview;
  // A preview key held down does not make the window blink.
  if (preview_key && key.repeat) return true;
  if (key.kind != KeyKind::kDown || key.virtual_key == kVkShift || !table_.preview_window_shown())
    return false;
  // The key that showed the window closes it; after a double click any
  // of the preview's keys does.
  const std::intptr_t opened_by = table_.preview_key();
  const bool own = preview_key && (opened_by == 0 || opened_by == action.parameter);
  table_.HidePreviewWindow();
  return own;
}

void GameEvents::TogglePreview(std::intptr_t key) {
  if (puz_.HasOption(kOptionNoPreview)) return;
  if (table_.preview_window_shown()) {
    table_.HidePreviewWindow();
  } else if (loaded() && !busy()) {
    table_.ShowPreviewWindow(key);
  }
}

bool GameEvents::OnKey(const KeyPayload& key) {
  const KeyAction action = ActionForKey(key);
  if (PreviewKey(key, action)) return true;
  switch (action.kind) {
    case KeyAction::Kind::kCommand:
      if (action.command == kCommandAutomaticHelp && puz_.HasOption(kOptionNoHelp)) return true;
      OnCommand(action.command, action.parameter);
      return true;
    case KeyAction::Kind::kSwallow:
      return true;
    case KeyAction::Kind::kGameMenu: {
      const ClientPoint at = table_.CursorPosition();
      table_.OpenGameMenuAt(kMenuGame, at.x, at.y);
      return true;
    }
    case KeyAction::Kind::kCompletion:
      table_.StartCompletionEffect(kCompletionSparkles);
      return true;
    case KeyAction::Kind::kBoxKey:
      return OnBoxKey(key);
    case KeyAction::Kind::kToggleBox:
      if (!boxes_ || action.parameter >= boxes_->count()) return false;
      boxes_->Toggle(static_cast<int>(action.parameter));
      return true;
    case KeyAction::Kind::kBoxPiece:
      return TakeGroupUnderCursor(static_cast<int>(action.parameter));
    case KeyAction::Kind::kLoupe: {
      if (!loaded()) return false;
      const ClientPoint at = table_.CursorPosition();
      table_.OpenLoupe(kLoupeLeftButton, at.x, at.y);
      return true;
    }
    case KeyAction::Kind::kNone:
      return false;
  }
  return false;
}

bool GameEvents::OnBoxKey(const KeyPayload& key) {
  if (boxes_) {
    // The box may hand the key back to the game: then it is not offered
    // a second time.
    if (offering_key_ > 0) return true;
    ++offering_key_;
    const bool taken = boxes_->OfferKey(key);
    --offering_key_;
    if (taken) return true;
  }
  // No piece box is open to take it: Esc may hide the game.
  if (key.virtual_key == kVkEscape && (ProgramOptions().bits & kOptionsEscMinimises)) {
    HideGame();
    return true;
  }
  return false;
}

bool GameEvents::TakeGroupUnderCursor(int box) {
  if (!boxes_ || box >= boxes_->count()) return false;
  if (!loaded() || busy()) return true;
  std::optional<int> piece = boxes_->PieceUnderCursor();
  if (!piece) {
    const ClientPoint at = table_.CursorPosition();
    piece = table_.board().HitTest(kTableWindow, at.x, at.y);
  }
  if (*piece != kNoPiece && !table_.board().pinned(*piece)) boxes_->TakeGroup(*piece, box);
  return true;
}

void GameEvents::Animate(const RectAnimation& animation) {
  if (ProgramOptions().bits & kOptionsNoAnimation) return;
  // Drawn on the table itself: no window of its own goes over it.
  table_.Animate(animation, clock_);
}

void GameEvents::Quit() {
  // A changed game is saved or the player asked first; the score window
  // hides with the boxes.
  if (!table_.exists()) return;
  if (saver_ && !saver_->MayCloseGame()) return;
  if (boxes_) boxes_->HideAll();
  if (competition_) competition_->ShowScore(false);
  SetWindowCursor(table_.platform_window(), table_.play().drag_cursor);
  table_.ClearForClosing();
  if (!(ProgramOptions().bits & kOptionsNoAnimation)) {
    const Rect16 whole = table_.ClientRect();
    RectAnimation closing;
    closing.from = whole;
    closing.to = {static_cast<std::int16_t>(whole.x + whole.width / 2 - kQuitSquare / 2),
                  static_cast<std::int16_t>(whole.y + whole.height / 2 - kQuitSquare / 2),
                  kQuitSquare, kQuitSquare};
    closing.thickness = -kQuitTrail;
    closing.duration_ms = kQuitMilliseconds;
    closing.colour = ContrastingColour(puz_.background);
    Animate(closing);
    clock_->Sleep(std::int64_t{kQuitWaitMilliseconds} * 1000);
    clock_->Sleep(std::int64_t{kQuitWaitMilliseconds} * 1000);
  }
  SetWindowCursor(table_.platform_window(), kCursorArrow);
  // The table closes once the command that asked for it is over.
  if (Application* application = Application::Instance())
    application->Post(&table_, MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0}));
}

void GameEvents::HideGame() {
  RectAnimation hiding;
  hiding.from = table_.ClientRect();
  hiding.to = {static_cast<std::int16_t>(hiding.from.x + hiding.from.width / 2),
               static_cast<std::int16_t>(hiding.from.y + hiding.from.height), 1, 1};
  hiding.duration_ms = kHideMilliseconds;
  Animate(hiding);
  OnCommand(kCommandMinimise, 0);
}

void GameEvents::ChooseBackground() {
  std::uint32_t colour = puz_.background & kColourBits;
  if (!PickColour(table_.platform_window(), colour)) return;
  puz_.background = colour & kColourBits;
  puz_.state |= kGameChanged;
  table_.Refresh();
}

void GameEvents::ShowOptions() {
  Options& options = ProgramOptions();
  const std::uint32_t before = options.bits;
  auto* window =
      Application::Instance()->Make<WOptions>(options, settings_, this, options_applied_);
  RunModalDialog(window, &table_);
  // The pieces are drawn again from a saved game of their own.
  if (((before ^ options.bits) & kOptionsGreyShading) && loaded() && saver_) {
    Status rebuilt = saver_->Rebuild();
    rebuilt.Report();
    table_.Refresh();
  }
}

void GameEvents::ShowGameSettings() {
  auto* window = Application::Instance()->Make<WInfo>(puz_, *score_, *this);
  RunModalDialog(window, &table_);
}

void GameEvents::ShowCompetition() {
  const GamePlaces places{settings_, program_directory_};
  // The ranking the game races in competition mode, where its entry moves
  // with the score; else the game's ranking read afresh, the game placed in
  // it as it stands.
  Ranking read;
  const bool racing = competition_ && competition_->on();
  if (racing) competition_->competition().Update(competition_->GameEntry());
  if (!racing) read = GameRanking(puz_, *score_, places.PuzzlesDirectory());
  LiveRanking live;
  live.ranking = racing ? &competition_->competition().ranking() : &read;
  live.request = GameRankingRequest(puz_);
  live.sides = SidesToJoin(puz_.cut.rows, puz_.cut.columns);
  const RankingWindowPlace place{settings_.path(), [this](int context) { OpenHelp(context); }};
  table_.PauseClock();
  ShowRanking(&table_, live.request, &live, place);
  table_.ResumeClock();
}

void GameEvents::PasteFromClipboard() {
  const GamePlaces places{settings_, program_directory_};
  const RankingWindowPlace place{settings_.path(), [this](int context) { OpenHelp(context); }};
  table_.PauseClock();
  PasteScores(&table_, ClipboardText(), places.PuzzlesDirectory(), place);
  table_.ResumeClock();
}

void GameEvents::ShowAdvancedOptions() {
  Options& options = ProgramOptions();
  const std::uint32_t before = options.bits;
  const auto report = [this] {
    return SystemReport(GatherSystemFacts(
        table_.identity_text(), table_.ClientRect().width, loaded() ? &puz_ : nullptr,
        (ProgramOptions().bits & kOptionsOtherBitmapMethod) != 0,
        (std::filesystem::path(program_directory_) / kSettingsFileName).string()));
  };
  // The pieces already drawn turn the new way from their next turn.
  const auto rotation = [this](int forced) { puz_.sheets.force_pixel_turning = forced; };
  auto* window = Application::Instance()->Make<WAdvanced>(options, settings_, report, rotation);
  RunModalDialog(window, &table_);
  if ((before ^ options.bits) & kOptionsOtherBitmapMethod) {
    ProbeDisplay((options.bits & kOptionsOtherBitmapMethod) != 0);
    if (loaded() && saver_) {
      Status rebuilt = saver_->Rebuild();
      rebuilt.Report();
      table_.Refresh();
    }
  }
}

void GameEvents::ShowAbout() {
  TableEffects* effects = table_.effects();
  if (effects) effects->PauseClock();
  CreditsPictures pictures;
  // The credits draw at the table's pixels: the pictures are made as sharp.
  const double ratio = table_.pixel_ratio();
  pictures.icons[kAboutIcon] =
      LoadProgramIcon(static_cast<int>(std::lround(kCreditsIconSize * ratio)));
  pictures.icons[kAboutSecondIcon] = LoadProgramBitmap(kBitmapThumbtack, ratio);
  std::optional<AboutGame> game;
  if (loaded()) {
    game.emplace();
    game->title = puz_.title.c_str();
    game->credit = puz_.credit.c_str();
    // The thumbnail and the picture's coding are in the puzzle file's header.
    Thumb thumb;
    if (thumb.Open(puz_.file_path.c_str(), true).ok()) {
      game->jpeg = thumb.picture_kind != kPictureBmp;
      if (thumb.thumbnail_bitmap.valid())
        pictures.bitmaps[kAboutThumbnail] = std::move(thumb.thumbnail_bitmap);
    }
  }
  const std::string version =
      std::string(Thumb::VersionText(kProgramVersion).c_str()) + " " + std::string(kBuildMark);
  ShowCredits(&table_, 0, AboutMarkup(version, game), std::move(pictures), sounds_,
              program_directory_, *clock_);
  if (effects) effects->ResumeClock();
}

void GameEvents::Browse() {
  // The game on the table is offered for saving first; a cancel keeps it.
  // Otherwise it goes before the browser comes, so that what is chosen
  // there is built on a clear table.
  if (saver_ && !saver_->MayCloseGame()) return;
  ReleaseGame();
  // What was remembered as the last game before the browser came is not
  // reopened behind it while the table is empty.
  browsing_ = true;
  const GamePlaces places{settings_, program_directory_};
  // The game just taken away is the one chosen in the list.
  const std::string last = settings_.Read(kKeyLastPuzzle).c_str();
  Status opened = BrowseAndOpen(puz_, table_, places, saver_, last);
  browsing_ = false;
  if (opened.peek() == kStatusQuietCancel) opened.MarkHandled();
}

void GameEvents::ReleaseGame() {
  if (!loaded()) return;
  table_.HidePreviewWindow();
  table_.CloseLoupe();
  if (boxes_) boxes_->HideAll();
  if (competition_) competition_->ShowScore(false);
  puz_.Clear();
  table_.SetCaption(kProductName);
  table_.Refresh();
}

bool GameEvents::OpenDropped(const FilesPayload& dropped) {
  // The first puzzle or saved game dropped takes the way a file named on
  // the command line takes; anything else is not the game's to open.
  for (const std::string& file : dropped.files) {
    const PathName named(file.c_str());
    if (strcasecmp(named.extension.c_str(), kPuzzleFileExtension) != 0 &&
        strcasecmp(named.extension.c_str(), kSavedGameExtension) != 0)
      continue;
    const GamePlaces places{settings_, program_directory_};
    Status opened = OpenFromCommandLine(puz_, table_, places, file, saver_);
    if (opened.peek() == kStatusQuietCancel) opened.MarkHandled();
    return true;
  }
  return false;
}

MakeContext GameEvents::MakingContext() {
  return MakeContext{MakePlaces{GamePlaces{settings_, program_directory_}, &table_, &puz_}, saver_};
}

void GameEvents::Reopen() {
  if (browsing_) return;
  const VString last = settings_.Read(kKeyLastPuzzle);
  // The game on the table is the last one played, as a puzzle or as the
  // saved game it was resumed from.
  if (last.empty() || last.view() == puz_.file_path.view() ||
      last.view() == puz_.saved_game_path.view())
    return;
  const GamePlaces places{settings_, program_directory_};
  // A puzzle that cannot be opened says why as its status goes.
  Status opened = OpenFromCommandLine(puz_, table_, places, last.c_str(), saver_);
}

void GameEvents::OpenHelp(int context) {
  const Traductor* dictionary = Traductor::Instance();
  const std::string path = HelpFilePath(
      program_directory_, dictionary ? std::string_view(dictionary->language().c_str()) : "");
  if (!OpenHelpPage(path, context)) Status(kStatusOpenFailed, path).Report();
}

bool GameEvents::OnCommand(std::uint32_t command, std::intptr_t parameter) {
  // A command whose window is still to come is taken, and nothing happens.
  if (!CommandReady(command)) return true;
  switch (command) {
    case kCommandMinimise:
    case kCommandMaximise: {
      Event show = MakeEvent(
          kRequestShow,
          ShowPayload{false, command == kCommandMinimise ? kShowMinimised : kShowFullScreen});
      table_.Dispatch(show);
      return true;
    }
    case kCommandQuit:
    case kCommandClose:
    case kCommandEndSession:
      Quit();
      return true;
    case kCommandAutomaticHelp:
      // Once the game is solved there is nothing left to help with.
      if (loaded() && !puz_.HasOption(kOptionNoHelp) && !(puz_.state & kGameSolved) && !busy()) {
        Event asked = MakeEvent(kEventHelpAsked);
        asked.target = &table_;
        if (!OfferToHooks(asked)) {
          // The clock stands still while the help works.
          table_.PauseClock();
          table_.board().Help();
          table_.ResumeClock();
        }
      }
      return true;
    case kCommandSpread:
      if (loaded() && !busy()) table_.board().Scatter(kTableWindow, KeyDown(kVirtualAlt), true);
      return true;
    case kCommandSave:
    case kCommandSaveAs:
      if (loaded() && saver_ && !busy()) {
        // A failed save says why as its status goes.
        Status saved = saver_->SaveGame(command == kCommandSave ? kSaveConfirm : kSaveAskName);
      }
      return true;
    case kCommandBackground:
      ChooseBackground();
      return true;
    case kCommandAbout:
      ShowAbout();
      return true;
    case kCommandOpen:
      Browse();
      return true;
    case kCommandOptions:
      if (!busy()) ShowOptions();
      return true;
    case kCommandAdvancedOptions:
      if (!busy()) ShowAdvancedOptions();
      return true;
    case kCommandGameSettings:
      if (loaded() && score_ && !busy()) ShowGameSettings();
      return true;
    case kCommandCompetitionMode:
      if (!loaded() || ((puz_.game_flags & kGameCompetition) != 0) == (parameter != 0)) return true;
      puz_.game_flags ^= kGameCompetition;
      puz_.state |= kGameChanged;
      if (!competition_) return true;
      if (parameter == 0) {
        competition_->TurnOff();
        return true;
      }
      competition_->TurnOn();
      return OnCommand(kCommandHideScore, (puz_.game_flags & kGameHideScore) ? 1 : 0);
    case kCommandReopen:
      Reopen();
      return true;
    case kCommandLiveRanking:
      if (loaded() && score_ && (puz_.game_flags & kGameCompetition) && !busy()) ShowCompetition();
      return true;
    case kCommandPasteScores:
      if (!busy()) PasteFromClipboard();
      return true;
    case kCommandMakePuzzle:
      if (!busy()) PickAndMakePuzzle(MakingContext());
      return true;
    case kCommandStartUp:
      // A picture on the clipboard as the program starts is offered as a
      // new puzzle; the command counts as taken when one was made.
      return ClipboardHasPicture() && MakePuzzleFromPicture(MakingContext(), nullptr);
    case kCommandHelpContents:
      OpenHelp(static_cast<int>(parameter));
      return true;
    case kCommandPreviewHelp:
      OpenHelp(kHelpTopicPreview);
      return true;
    case kCommandTogglePreview:
      TogglePreview(parameter);
      return true;
    case kCommandNoPreview:
      if (puz_.HasOption(kOptionNoPreview)) return true;
      table_.AllowPreview(parameter == 0);
      return true;
    case kCommandHideBoxes:
      if (parameter == 0) return OnCommand(kCommandShowBoxes, 0);
      puz_.game_flags |= kGameHideBoxes;
      if (boxes_) boxes_->HideAll();
      return true;
    case kCommandShowBoxes:
      puz_.game_flags &= ~kGameHideBoxes;
      if (boxes_) boxes_->ShowAll();
      return true;
    case kCommandHideScore:
      // The score window follows the flag.
      if (parameter == 0) return OnCommand(kCommandShowScore, 0);
      puz_.game_flags |= kGameHideScore;
      if (competition_) competition_->ShowScore(false);
      return true;
    case kCommandShowScore:
      puz_.game_flags &= ~kGameHideScore;
      if (competition_) competition_->ShowScore(true);
      return true;
    default:
      // The rest arrive with the windows and files they open.
      return false;
  }
}

}  // namespace cbst
