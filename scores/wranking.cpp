// wranking.cpp: the ranking window and the certificate window.
#include "scores/wranking.h"

#include "base/cp1252.h"
#include "base/field_format.h"
#include "base/field_value.h"
#include "gfx/dc.h"
#include "platform/clipboard_text.h"
#include "play/help_request.h"
#include "play/wspuz.h"
#include "scores/ranking_text.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/event_codes.h"
#include "ui/placement.h"

namespace cbst {
namespace {

constexpr char kRankingPlaceName[] = "WRanking";
constexpr char kCertificatePlaceName[] = "WCert";
constexpr int kTitleFontHeight = 16;
constexpr int kTableFontHeight = 13;
constexpr int kCellPadding = 4;
constexpr int kTitleInset = 6;
// Ctrl+C copies the ranking as text.
constexpr int kCopyKey = 'C';

struct ColumnPlace {
  int x;
  int width;
  bool right_aligned;
};
// Left to right, as RankingColumn counts them.
constexpr std::array<ColumnPlace, kRankingColumns> kColumnPlaces = {{
    {kRankingMargin, 30, true},
    {kRankingMargin + 30, 170, false},
    {kRankingMargin + 200, 90, false},
    {kRankingMargin + 290, 90, true},
    {kRankingMargin + 380, 50, true},
    {kRankingMargin + 430, 60, true},
    {kRankingMargin + 490, 90, true},
    {kRankingMargin + 580, 64, true},
}};

std::int16_t Short(int value) {
  return static_cast<std::int16_t>(value);
}

constexpr int kHeadingsTop = kRankingMargin + kRankingTitleHeight;
constexpr int kRowsTop = kHeadingsTop + kRankingHeadingHeight;

void DrawCell(DC& dc, const Rect16& cell, bool right_aligned, const std::string& text,
              std::uint32_t colour) {
  if (text.empty()) return;
  const std::string shown = Cp1252ToUtf8(text);
  const int width = dc.TextWidth(shown);
  const int x = right_aligned ? cell.x + cell.width - kCellPadding - width : cell.x + kCellPadding;
  dc.Text(x, cell.y + (cell.height - dc.TextHeight()) / 2, shown, colour);
}

// Puts a window where it was last left, at the size its template has now.
void RestorePlace(const std::string& settings, const char* name, Window& window) {
  if (settings.empty()) return;
  const Rect16 size = window.WindowRect();
  if (!RestorePlacement(settings.c_str(), name, window)) return;
  const Rect16 placed = window.WindowRect();
  window.Move({placed.x, placed.y, size.width, size.height});
}

}  // namespace

const ClassInfo WRanking::kClass = {&WinDlg::kClass, "WRanking"};
const ClassInfo WCert::kClass = {&WinDlg::kClass, "WCert"};

WRanking::WRanking(const RankingShown& shown, RankingWindowPlace place, bool second_style,
                   bool black)
    : WinDlg(kRankingTemplate),
      shown_(shown),
      place_(std::move(place)),
      second_style_(second_style),
      black_(black),
      title_font_("Sans", kTitleFontHeight, true),
      table_font_("Sans", kTableFontHeight) {
  set_help_context(second_style_ ? kHelpTopicRankingSecond : kHelpTopicRanking);
  CloseOn(kCommandRefreshRanking);
}

Rect16 WRanking::CellRect(int row, RankingColumn column) {
  const ColumnPlace& place = kColumnPlaces[static_cast<std::size_t>(column)];
  const int top = row < 0 ? kHeadingsTop : kRowsTop + row * kRankingRowHeight;
  return {Short(place.x), Short(top), Short(place.width),
          Short(row < 0 ? kRankingHeadingHeight : kRankingRowHeight)};
}

int WRanking::RowAt(int x, int y) {
  const ColumnPlace& last = kColumnPlaces.back();
  if (x < kColumnPlaces.front().x || x >= last.x + last.width || y < kRowsTop) return -1;
  const int row = (y - kRowsTop) / kRankingRowHeight;
  return row < kRankingRows ? row : -1;
}

void WRanking::Prime() {
  primed_ = true;
  for (const int id : {static_cast<int>(kCommandOk), static_cast<int>(kCommandRefreshRanking),
                       static_cast<int>(kCommandHelp)}) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  }
  SetTitle(Cp1252ToUtf8(Title()));
  RestorePlace(place_.settings_file, kRankingPlaceName, *this);
}

std::string WRanking::Title() const {
  std::string title = std::string(Text(kTextRankingTitle)) + " " + Text(kTextRankingPuzzle) + ": " +
                      shown_.puzzle_name;
  if (!shown_.level_title.empty()) title += ", " + shown_.level_title;
  return title;
}

void WRanking::RememberPlace() {
  if (!place_.settings_file.empty())
    SavePlacement(place_.settings_file.c_str(), kRankingPlaceName, this);
}

void WRanking::OpenCertificate(int row) {
  const RankingEntry& entry = shown_.ranking->entries[static_cast<std::size_t>(row)];
  CertificateRecord game;
  game.puzzle = VString(shown_.puzzle_name);
  game.level = shown_.ranking->level;
  game.rows = shown_.rows;
  game.columns = shown_.columns;
  game.flags = shown_.ranking->flags;
  game.player = entry.player;
  game.time = entry.time;
  game.solved = entry.solved;
  game.moves = entry.moves;
  game.helps = entry.helps;
  game.score = entry.score;
  auto* certificate = Application::Instance()->Make<WCert>(game, kCertificateFromRow, place_);
  RunModalDialog(certificate, this);
}

void WRanking::CopyRanking() const {
  RankingText text;
  text.puzzle = VString(shown_.puzzle_name);
  text.level = shown_.ranking->level;
  text.rows = shown_.rows;
  text.columns = shown_.columns;
  text.flags = shown_.ranking->flags;
  // As the file keeps it: a game not saved yet is no ranked game.
  for (const RankingEntry& entry : shown_.ranking->entries)
    if (!entry.game.empty()) text.entries.push_back(entry);
  SetClipboardText(MakeRankingText(text).view());
}

void WRanking::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventKey) {
    const auto* key = event.as<KeyPayload>();
    if (key && key->kind == KeyKind::kDown && key->virtual_key == kCopyKey &&
        (key->modifiers & (kModControl | kModAlt | kModShift)) == kModControl) {
      event.set_handled();
      CopyRanking();
      return;
    }
  }
  if (IsHelpRequest(event)) {
    event.set_handled();
    if (place_.help) place_.help(help_context());
    return;
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && (command->id == kCommandOk || command->id == kCommandCancel ||
                    command->id == kCommandRefreshRanking))
      RememberPlace();
  }
  if (event.code == kEventMouse) {
    const auto* mouse = event.as<MousePayload>();
    if (mouse && mouse->subcode == kMouseLeftDouble) {
      const int row = RowAt(mouse->x, mouse->y);
      if (row >= 0 && row < static_cast<int>(shown_.ranking->entries.size())) {
        event.set_handled();
        RememberPlace();
        OpenCertificate(row);
        return;
      }
    }
  }
  WinDlg::OnEvent(event);
}

void WRanking::Paint(DC& dc) {
  const Rect16 client = ClientRect();
  const Brush background(kRankingBackground);
  dc.FillRect(client, background);
  Pen frame(kRankingFrame);
  Brush hollow(0, true);
  dc.Select(&frame);
  dc.Select(&hollow);
  dc.Rectangle({Short(kRankingMargin / 2), Short(kRankingMargin / 2),
                Short(kRankingTableWidth - kRankingMargin),
                Short(kRankingTableHeight - kRankingMargin)});
  dc.Select(static_cast<Pen*>(nullptr));
  dc.Select(static_cast<Brush*>(nullptr));

  const std::uint32_t ink = black_ ? kRankingBlack : kRankingOtherColour;
  dc.Select(&title_font_);
  dc.Text(kRankingMargin + kTitleInset, kRankingMargin + kTitleInset / 2, Cp1252ToUtf8(Title()),
          ink);
  dc.Select(&table_font_);
  const std::array<std::string, kRankingColumns> headings = RankingHeadings();
  for (int column = 0; column < kRankingColumns; ++column) {
    const auto which = static_cast<RankingColumn>(column);
    DrawCell(dc, CellRect(-1, which), kColumnPlaces[static_cast<std::size_t>(column)].right_aligned,
             headings[static_cast<std::size_t>(column)], kRankingBlack);
  }
  for (int row = 0; row < kRankingRows; ++row) {
    const std::array<std::string, kRankingColumns> cells =
        RankingCells(*shown_.ranking, row, shown_.sides);
    const std::uint32_t colour = RankingRowColour(*shown_.ranking, row, black_);
    for (int column = 0; column < kRankingColumns; ++column) {
      DrawCell(dc, CellRect(row, static_cast<RankingColumn>(column)),
               kColumnPlaces[static_cast<std::size_t>(column)].right_aligned,
               cells[static_cast<std::size_t>(column)], colour);
    }
  }
  dc.Select(static_cast<Font*>(nullptr));
}

WCert::WCert(const CertificateRecord& game, int mode, RankingWindowPlace place)
    : WinDlg(kCertificateTemplate), game_(game), mode_(mode), place_(std::move(place)) {
  set_help_context((mode_ & kCertificateAdded)     ? kHelpTopicCertificateAdded
                   : (mode_ & kCertificateOffered) ? kHelpTopicCertificateOffered
                                                   : kHelpTopicRanking);
  CloseOn(kCommandAddToRanking);
}

int WCert::title_text() const {
  if (mode_ & kCertificateAdded) return kTextCertificateAdded;
  if (mode_ & kCertificateOffered) return kTextCertificateOffered;
  return kTextCertificate;
}

void WCert::Prime() {
  primed_ = true;
  const std::string title = Cp1252ToUtf8(Text(title_text()));
  SetTitle(title);
  SetItemText(kCertificateTitle, Text(title_text()));
  SetItemText(kCertificatePuzzleLabel, Text(kTextRankingPuzzle));
  SetItemText(kCertificatePuzzle, game_.puzzle.view());
  SetItemText(kCertificateLevel, RankingLevelTitle(game_.rows, game_.columns, game_.flags, false));
  SetItemText(kCertificatePlayerLabel, Text(kTextRankingPlayer));
  SetItemText(kCertificatePlayer, game_.player.view());
  SetItemText(kCertificateScoreLabel, Text(kTextRankingScore));
  SetItemText(kCertificateScore, FormatValue(FieldFormat::Parse(kScoreFormat), game_.score).view());
  for (const int id :
       {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel),
        static_cast<int>(kCommandAddToRanking), static_cast<int>(kCommandHelp), kCertificateCopy}) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  }
  // A game offered for the ranking is added or refused; any other is only
  // looked at.
  const bool offered = (mode_ & kCertificateOffered) != 0;
  Control(this, static_cast<int>(kCommandAddToRanking)).Show(offered);
  Control(this, static_cast<int>(kCommandCancel)).Show(offered);
  Control(this, static_cast<int>(kCommandOk)).Show(!offered);
  RestorePlace(place_.settings_file, kCertificatePlaceName, *this);
}

void WCert::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (IsHelpRequest(event)) {
    event.set_handled();
    if (place_.help) place_.help(help_context());
    return;
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->id == kCommandAddToRanking && !place_.settings_file.empty())
      SavePlacement(place_.settings_file.c_str(), kCertificatePlaceName, this);
    if (command && static_cast<int>(command->id) == kCertificateCopy) {
      event.set_handled();
      SetClipboardText(MakeCertificate(game_).view());
      return;
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
