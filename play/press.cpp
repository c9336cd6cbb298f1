// press.cpp: the meaning of a press, from its facts.
#include "play/press.h"

namespace cbst {
namespace {

constexpr int kClockwise = 1;
constexpr int kAnticlockwise = 3;

PressMeaning WithAlt(const PressFacts& press) {
  if (press.ctrl) return {PressAction::kShowWhere};
  if (press.button == Button::kLeft) return {PressAction::kPin};
  if (press.button == Button::kRight && press.pinned) return {PressAction::kUnpin};
  return {};
}

}  // namespace

PressMeaning ClassifyPress(const PressFacts& press) {
  if (press.carrying_piece) {
    // Another button while carrying turns the carried piece; the left one
    // is the one that carries it.
    if (press.button == Button::kLeft) return {};
    return {PressAction::kTurnCarried,
            press.button == Button::kRight ? kClockwise : kAnticlockwise};
  }
  if (press.carrying_tack) return {};
  if (!press.on_piece) return {PressAction::kOnNothing};
  if (press.alt) return WithAlt(press);
  if (press.pinned && (press.button == Button::kLeft || press.turn_key || press.shift)) {
    // In a box the tack is not carried away: the group is only freed.
    return {press.in_box ? PressAction::kUnpin : PressAction::kTakeTack};
  }
  if (press.turn_key && press.button != Button::kMiddle)
    return {PressAction::kTurn, press.button == Button::kLeft ? kAnticlockwise : kClockwise};
  if (press.button == Button::kRight) return {PressAction::kPieceMenu};
  if (press.button == Button::kLeft) return {PressAction::kDrag};
  return {};
}

}  // namespace cbst
