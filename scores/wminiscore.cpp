// wminiscore.cpp: the small score window: its values, their colours, what
// a refresh repaints, its tips and its clicks.
#include "scores/wminiscore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "base/cp1252.h"
#include "base/date.h"
#include "gfx/dc.h"
#include "play/game_handler.h"
#include "play/wpuz.h"
#include "play/wspuz.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/tips.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr int kMiniScoreWidth = 212;
constexpr int kMiniScoreHeight = 100;
// Away from the table's edge and the assembly area.
constexpr int kMiniScoreMargin = 8;
constexpr int kFontHeight = 13;
constexpr int kPad = 4;
constexpr int kRowHeight = 18;
constexpr int kLabelWidth = 64;
constexpr int kProjectedPlaceWidth = 56;
constexpr int kTimeKind = 3;  // hours, minutes and seconds
constexpr int kTextGap = 2;   // between a field's edge and its text

struct FieldSpot {
  Rect16 rect;
  unsigned refresh_bit;
  int label;  // the text beside it, 0 for none
};

constexpr std::int16_t Coordinate(int value) {
  return static_cast<std::int16_t>(value);
}

constexpr int kFieldLeft = kPad + kLabelWidth;
constexpr int kFieldWidth = kMiniScoreWidth - kFieldLeft - kPad;
constexpr int kPaceRow = kPad + 3 * kRowHeight;
constexpr int kProjectionRow = kPaceRow + kRowHeight;
constexpr int kProjectionWidth = kMiniScoreWidth - 2 * kPad - kProjectedPlaceWidth;

constexpr std::array<FieldSpot, kMiniScoreFields> kSpots = {{
    {{Coordinate(kFieldLeft), Coordinate(kPad), Coordinate(kFieldWidth), Coordinate(kRowHeight)},
     kScoreTimeChanged,
     kTextMiniTime},
    {{Coordinate(kFieldLeft), Coordinate(kPad + kRowHeight), Coordinate(kFieldWidth),
      Coordinate(kRowHeight)},
     kScoreCurrentChanged,
     kTextMiniScore},
    {{Coordinate(kFieldLeft), Coordinate(kPad + 2 * kRowHeight), Coordinate(kFieldWidth),
      Coordinate(kRowHeight)},
     kScorePlaceChanged,
     kTextMiniPlace},
    {{Coordinate(kPad), Coordinate(kProjectionRow), Coordinate(kProjectionWidth),
      Coordinate(kRowHeight)},
     kScoreProjectionChanged,
     0},
    {{Coordinate(kPad + kProjectionWidth), Coordinate(kProjectionRow),
      Coordinate(kProjectedPlaceWidth), Coordinate(kRowHeight)},
     kScoreProjectedPlaceChanged,
     0},
}};

const FieldSpot& SpotOf(MiniScoreField field) {
  return kSpots[static_cast<std::size_t>(field)];
}

std::string Place(std::int32_t rank, std::int32_t games) {
  if (rank < 0 || games <= 0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d", rank + 1, games);
  return text;
}

std::string Points(std::int32_t score) {
  char text[32];
  std::snprintf(text, sizeof text, "%*d", kMiniScorePlaces, score);
  return text;
}

std::uint32_t TrendColour(int trend) {
  if (trend == kTrendUp) return kMiniScoreRising;
  if (trend == kTrendDown) return kMiniScoreFalling;
  return kMiniScoreSteady;
}

// Right-aligned numbers: the padding blanks are not wider than a digit.
std::string_view Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string_view() : std::string_view(text).substr(first);
}

}  // namespace

const ClassInfo WMiniScore::kClass = {&Window::kClass, "WMiniScore"};

WMiniScore::WMiniScore(WPuz& table, const GameScore& score)
    : table_(table), score_(score), font_("Sans", kFontHeight, true) {}

int WMiniScore::OnTable(int size) const {
  return static_cast<int>(std::lround(size * table_.pixel_ratio()));
}

bool WMiniScore::CreateMiniScore() {
  // The window lies on the table and counts in its pixels, which may be
  // the screen's device pixels; its fields are laid out in logical ones.
  const Rect16 table = table_.ClientRect();
  const int width = OnTable(kMiniScoreWidth);
  const Rect16 place{Coordinate(std::max(0, table.width - width - OnTable(kMiniScoreMargin))),
                     Coordinate(OnTable(kMiniScoreMargin)), Coordinate(width),
                     Coordinate(OnTable(kMiniScoreHeight))};
  if (!Create(&table_, place, "", kStyleChild | kStyleHidden)) return false;
  font_.height = OnTable(kFontHeight);
  table_.set_score_window(this);
  return true;
}

void WMiniScore::MoveTo(int x, int y) {
  const Rect16 table = table_.ClientRect();
  const int width = OnTable(kMiniScoreWidth);
  const int height = OnTable(kMiniScoreHeight);
  const int right = std::max(0, table.width - width);
  const int bottom = std::max(0, table.height - height);
  Move({Coordinate(std::clamp(x, 0, right)), Coordinate(std::clamp(y, 0, bottom)),
        Coordinate(width), Coordinate(height)});
}

void WMiniScore::ShowScore(bool shown) {
  if (!exists() || Window::visible() == shown) return;
  if (shown && !moved_) {
    const Rect16 assembly = table_.AssemblyArea();
    const int right = assembly.Empty() ? table_.ClientRect().width : assembly.x;
    MoveTo(right - OnTable(kMiniScoreWidth) - OnTable(kMiniScoreMargin), OnTable(kMiniScoreMargin));
  }
  Event show = MakeEvent(kRequestShow, ShowPayload{false, shown ? kShowNormal : kShowHide});
  Dispatch(show);
  if (!shown) return;
  Raise();
  Invalidate();
}

Rect16 WMiniScore::FieldRect(MiniScoreField field) {
  return SpotOf(field).rect;
}

Rect16 WMiniScore::FieldPixels(MiniScoreField field) const {
  const Rect16 rect = FieldRect(field);
  return {Coordinate(OnTable(rect.x)), Coordinate(OnTable(rect.y)), Coordinate(OnTable(rect.width)),
          Coordinate(OnTable(rect.height))};
}

std::string WMiniScore::FieldText(MiniScoreField field) const {
  switch (field) {
    case MiniScoreField::kTime:
      return MillisecondsToText(score_.Elapsed(), kTimeKind);
    case MiniScoreField::kScore:
      return Points(score_.current_score());
    case MiniScoreField::kPlace:
      return Place(score_.current_rank(), score_.ranked_games());
    case MiniScoreField::kProjection:
      return Points(score_.projected_score());
    case MiniScoreField::kProjectedPlace:
      return score_.competition() ? Place(score_.projected_rank(), score_.ranked_games())
                                  : std::string();
  }
  return {};
}

std::uint32_t WMiniScore::FieldColour(MiniScoreField field) const {
  switch (field) {
    case MiniScoreField::kTime:
      return score_.clock_state() == ClockState::kRunning ? kMiniScoreClockRunning
                                                          : kMiniScoreClockStill;
    case MiniScoreField::kScore:
    case MiniScoreField::kProjection:
      return kMiniScoreScores;
    case MiniScoreField::kPlace:
      return TrendColour(score_.current_trend());
    case MiniScoreField::kProjectedPlace:
      return TrendColour(score_.projected_trend());
  }
  return kMiniScoreSteady;
}

bool WMiniScore::UnderCarriedPicture(MiniScoreField field) const {
  const Puz& puz = table_.puz();
  if (puz.dragged < 0 || static_cast<std::size_t>(puz.dragged) >= puz.cut.pieces.size() ||
      puz.cut.pieces[static_cast<std::size_t>(puz.dragged)].box != kTableWindow)
    return false;
  const Rect16 field_rect = FieldPixels(field);
  const ClientPoint at = MapClientPoint(*this, table_, {field_rect.x, field_rect.y});
  const Rect16 on_table{Coordinate(at.x), Coordinate(at.y), field_rect.width, field_rect.height};
  return on_table.Overlaps(puz.carried_bounds);
}

void WMiniScore::ScoreChanged(unsigned parts) {
  repainted_ = 0;
  for (int index = 0; index < kMiniScoreFields; ++index) {
    const auto field = static_cast<MiniScoreField>(index);
    if (!(parts & SpotOf(field).refresh_bit) || UnderCarriedPicture(field)) continue;
    repainted_ |= 1u << index;
    Invalidate(FieldPixels(field));
  }
}

void WMiniScore::Paint(DC& dc) {
  const Rect16 whole = ClientRect();
  dc.FillRect(whole, Brush(kMiniScoreBackground));
  dc.Select(&font_);
  const int baseline = (OnTable(kRowHeight) - dc.TextHeight()) / 2;
  for (int index = 0; index < kMiniScoreFields; ++index) {
    const auto field = static_cast<MiniScoreField>(index);
    const FieldSpot& spot = SpotOf(field);
    const Rect16 rect = FieldPixels(field);
    if (spot.label)
      dc.Text(OnTable(kPad), rect.y + baseline, Cp1252ToUtf8(Text(spot.label)), kMiniScoreLabels);
    const std::string text = FieldText(field);
    const std::string_view shown = Trimmed(text);
    const int width = dc.TextWidth(shown);
    dc.Text(rect.x + rect.width - OnTable(kTextGap) - width, rect.y + baseline, shown,
            FieldColour(field));
  }
  dc.Text(OnTable(kPad), OnTable(kPaceRow) + baseline, Cp1252ToUtf8(Text(kTextMiniAtThisPace)),
          kMiniScoreLabels);
  dc.Deselect(ToolSlot::kFont);
}

void WMiniScore::SendToGame(std::uint32_t command, std::intptr_t parameter) {
  GameHandler* game = table_.play().game;
  if (!game) return;
  Event event = MakeEvent(kEventCommand, CommandPayload{command, parameter});
  event.target = this;
  game->OnGameEvent(event);
}

void WMiniScore::OfferTip(int x, int y) {
  Application* application = Application::Instance();
  if (!application) return;
  HoverPayload hover;
  for (int index = 0; index < kMiniScoreFields; ++index) {
    const Rect16 field = FieldPixels(static_cast<MiniScoreField>(index));
    if (!field.ContainsPoint(x, y)) continue;
    hover.control_id = kTextMiniTips + index;
    hover.control = field;
    hover.x = x;
    hover.y = y;
    hover.tip = Text(kTextMiniTips + index);
    hover.window = this;
  }
  application->tips().Hover(hover);
}

bool WMiniScore::OnMouse(const MousePayload& mouse) {
  if (moving_) {
    if (mouse.subcode == kMouseLeftUp) {
      moving_ = false;
      SetCapture(false);
    } else if (mouse.subcode == kMouseLeftDrag || mouse.subcode == kMouseMove) {
      const ClientPoint at = MapClientPoint(*this, table_, {mouse.x, mouse.y});
      moved_ = true;
      MoveTo(at.x - grip_x_, at.y - grip_y_);
    }
    return true;
  }
  switch (mouse.subcode) {
    case kMouseMove:
      OfferTip(mouse.x, mouse.y);
      return false;
    case kMouseLeftDown:
      // The window counts in the table's pixels.
      grip_x_ = mouse.x;
      grip_y_ = mouse.y;
      moving_ = true;
      SetCapture(true);
      return true;
    case kMouseLeftDouble:
      SendToGame(kCommandLiveRanking, 0);
      return true;
    default:
      return false;
  }
}

void WMiniScore::OnEvent(Event& event) {
  switch (event.code) {
    case kEventMouse:
      if (const auto* mouse = event.as<MousePayload>(); mouse && OnMouse(*mouse)) {
        event.set_handled();
        return;
      }
      break;
    case kEventKey:
      event.set_handled();
      if (const auto* key = event.as<KeyPayload>();
          key && key->kind == KeyKind::kDown && key->virtual_key == kVkF1) {
        SendToGame(kCommandHelp, kHelpTopicMiniScore);
        return;
      }
      // The game's other keys work over the window as over the table.
      table_.Dispatch(event);
      return;
    case kEventHelp:
      event.set_handled();
      SendToGame(kCommandHelp, kHelpTopicMiniScore);
      return;
    default:
      break;
  }
  Window::OnEvent(event);
}

}  // namespace cbst
