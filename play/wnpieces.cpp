// wnpieces.cpp: the custom-size dialog.
#include "play/wnpieces.h"

#include <cstdio>
#include <string>

#include "play/game_handler.h"
#include "play/help_request.h"
#include "play/wpuz.h"
#include "play/wspuz.h"
#include "puzzle/level_text.h"
#include "puzzle/puz.h"
#include "puzzle/puzzle_codes.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"

namespace cbst {
namespace {

constexpr int kGridRoom = 128;

}  // namespace

const ClassInfo WnPieces::kClass = {&WinDlg::kClass, "WnPieces"};

WnPieces::WnPieces(int width, int height, CustomSize& size, GameHandler* game)
    : WinDlg(kPiecesTemplate), width_(width), height_(height), size_(size), game_(game) {
  set_help_context(kHelpTopicCustomSize);
}

void WnPieces::Prime() {
  primed_ = true;
  const auto say = [this](int id, const char* text) {
    if (text && *text) SetItemText(id, text);
  };
  if (const char* title = Text(kTextCustomSize); title && *title) SetTitle(title);
  say(kPiecesLabel, Text(kTextCustomSizeLabel));
  for (const int button :
       {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel), int{kCommandHelp}})
    say(button, ControlText(0, button));
  if (size_.rows > 0 && size_.columns > 0)
    SetItemText(kPiecesEdit, std::to_string(size_.rows) + "x" + std::to_string(size_.columns));
  ShowGrid();
  FocusItem(kPiecesEdit);
}

void WnPieces::ShowGrid() {
  const std::string typed(GetItemText(kPiecesEdit).view());
  Status ignored;
  const LevelSize level = ParseLevelText(typed.c_str(), width_, height_, false, ignored);
  if (level.count < 1 || level.rows <= 0 || level.columns <= 0) {
    SetItemText(kPiecesGrid, "");
    return;
  }
  const char* format = Text(kTextCustomGrid);
  char grid[kGridRoom];
  std::snprintf(grid, sizeof grid, format && *format ? format : "%i x %i = %i", level.rows,
                level.columns, level.rows * level.columns);
  SetItemText(kPiecesGrid, grid);
}

bool WnPieces::Accept() {
  const std::string typed(GetItemText(kPiecesEdit).view());
  Status status;
  const LevelSize level = ParseLevelText(typed.c_str(), width_, height_, true, status);
  if (status.peek() != 0) {
    status.Report();
    FocusItem(kPiecesEdit);
    return false;
  }
  size_ = {level.rows, level.columns};
  return true;
}

void WnPieces::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  // F1 and the Help button.
  if (AnswerHelpRequest(event, game_, kHelpTopicCustomSize)) return;
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->id == static_cast<std::uint32_t>(kPiecesEdit)) {
      if (command->parameter == kNotifyEditChanged) ShowGrid();
      event.set_handled();
      return;
    }
    // A size that does not make a playable grid keeps the dialog open.
    if (command && command->id == kCommandOk && !Accept()) {
      event.set_handled();
      return;
    }
  }
  WinDlg::OnEvent(event);
}

bool AskCustomSize(WPuz& table, Puz& puz) {
  Application* application = Application::Instance();
  if (!application) return false;
  CustomSize size{puz.level_rows[kCustomLevel], puz.level_columns[kCustomLevel]};
  table.PauseClock();
  auto* dialog = application->Make<WnPieces>(puz.picture_rect.width, puz.picture_rect.height, size,
                                             table.play().game);
  const bool chosen = RunModalDialog(dialog, &table) == static_cast<int>(kCommandOk);
  table.ResumeClock();
  if (!chosen) return false;
  puz.level_rows[kCustomLevel] = static_cast<std::int16_t>(size.rows);
  puz.level_columns[kCustomLevel] = static_cast<std::int16_t>(size.columns);
  return true;
}

}  // namespace cbst
