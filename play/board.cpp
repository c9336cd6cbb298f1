// board.cpp: groups, joining, re-placement, z-order, completion and hits.
#include "play/board.h"

#include <algorithm>
#include <cstdlib>

#include "base/report.h"
#include "gfx/pixel_access.h"

namespace cbst {
namespace {}  // namespace

int OppositeSideChecked(int side) {
  if (side < 0 || side >= kSideCount) {
    ReportError(kBadSideMessage);
    side = 0;
  }
  return (side + 2) % kSideCount;
}

int Board::SideFacing(int index, int direction) {
  return (direction - piece(index).rotation + kSideCount) % kSideCount;
}

template <typename Visit, typename Reach>
void Board::WalkGroup(int start, Visit&& visit, Reach&& reach) {
  for (SPuz& each : puz_.cut.pieces)
    each.flags |= kPieceWalkMark;
  std::vector<int> group{start};
  piece(start).flags &= ~kPieceWalkMark;
  for (std::size_t next = 0; next < group.size(); ++next) {
    const int member = group[next];
    visit(next);
    for (int direction = kLeft; direction <= kDown; ++direction) {
      const int side = SideFacing(member, direction);
      if (!(piece(member).joined_sides & (1u << side))) continue;
      const int neighbour = piece(member).neighbour[side];
      if (neighbour == kNoNeighbour || !(piece(neighbour).flags & kPieceWalkMark)) continue;
      piece(neighbour).flags &= ~kPieceWalkMark;
      reach(member, neighbour);
      group.push_back(neighbour);
    }
  }
  for (SPuz& each : puz_.cut.pieces)
    each.flags &= ~kPieceWalkMark;
}

std::vector<int> Board::GroupOf(int start) {
  std::vector<int> group{start};
  WalkGroup(
      start, [](std::size_t) {}, [&](int, int neighbour) { group.push_back(neighbour); });
  return group;
}

std::pair<int, int> Board::ExactPlace(int index, int neighbour) {
  const Rect16& p = piece(index).board;
  const Rect16& n = piece(neighbour).board;
  int side = 0;
  while (side < kSideCount && piece(index).neighbour[side] != neighbour)
    ++side;
  switch ((piece(index).rotation + side) % kSideCount) {
    case kLeft:
      return {p.x - n.width, p.y};
    case kUp:
      return {p.x, p.y - n.height};
    case kRight:
      return {p.x + p.width, p.y};
    default:
      return {p.x, p.y + p.height};
  }
}

void Board::MarkJoined(int index, int side) {
  SPuz& p = piece(index);
  const int neighbour = p.neighbour[side];
  SPuz& n = piece(neighbour);
  const int other = OppositeSideChecked(side);
  p.joined_sides |= static_cast<std::uint8_t>(1u << side);
  n.joined_sides |= static_cast<std::uint8_t>(1u << other);
  // The joined edges are lit now that they belong to a group.
  host_.SideJoined(index, (side + p.rotation) % kSideCount);
  host_.SideJoined(neighbour, (other + n.rotation) % kSideCount);
  host_.CountJoinedSides(kSidesPerJoin);
  puz_.state |= kGameJoinedOrHelped;
}

void Board::PinGroup(int index) {
  for (int member : GroupOf(index))
    piece(member).flags |= kPiecePinned;
}

int Board::TryJoin(int index, bool probe) {
  if (puz_.state & kGameNoJoining) return kNoPiece;
  int first = kNoPiece;
  for (int side = 0; side < kSideCount; ++side) {
    SPuz& p = piece(index);
    const int neighbour = p.neighbour[side];
    if ((p.joined_sides & (1u << side)) || neighbour == kNoNeighbour) continue;
    SPuz& n = piece(neighbour);
    if (n.rotation != p.rotation || n.box != p.box) continue;
    const Rect16& a = p.board;
    const Rect16& b = n.board;
    int dx = 0, dy = 0;
    switch ((p.rotation + side) % kSideCount) {
      case kLeft:
        dx = b.x + b.width - a.x;
        dy = a.y - b.y;
        break;
      case kUp:
        dx = a.x - b.x;
        dy = b.y + b.height - a.y;
        break;
      case kRight:
        dx = a.x + a.width - b.x;
        dy = a.y - b.y;
        break;
      default:
        dx = a.x - b.x;
        dy = a.y + a.height - b.y;
        break;
    }
    if (std::abs(dx) > kJoinDistance || std::abs(dy) > kJoinDistance) continue;
    if (probe) return neighbour;
    const bool neighbour_pinned = (n.flags & kPiecePinned) != 0;
    MarkJoined(index, side);
    if (neighbour_pinned) PinGroup(index);
    if (first == kNoPiece) first = neighbour;
    // Close the loops the join made inside the group.
    const std::vector<int> group = GroupOf(index);
    std::vector<bool> in_group(puz_.cut.pieces.size(), false);
    for (int member : group)
      in_group[static_cast<std::size_t>(member)] = true;
    for (int member : group) {
      for (int other = 0; other < kSideCount; ++other) {
        const int across = piece(member).neighbour[other];
        if (across == kNoNeighbour || (piece(member).joined_sides & (1u << other))) continue;
        if (in_group[static_cast<std::size_t>(across)]) MarkJoined(member, other);
      }
    }
  }
  if (piece(index).flags & kPiecePinned) PinGroup(index);
  return first;
}

std::vector<int> Board::JoinAroundGroup(const std::vector<int>& group) {
  std::vector<int> joined;
  for (int member : group) {
    if (const int neighbour = TryJoin(member); neighbour != kNoPiece) joined.push_back(neighbour);
  }
  return joined;
}

void Board::Replace(int anchor, bool join) {
  if (join) TryJoin(anchor);
  ++replacing_;
  host_.LockPainting(true);
  // Where each member lay, for the one redraw at the end: a member may
  // change window, and one that only turns does not move.
  const std::vector<int> group = GroupOf(anchor);
  std::vector<std::pair<std::uint8_t, Rect16>> was;
  was.reserve(group.size());
  for (int member : group)
    was.emplace_back(piece(member).box, piece(member).window);
  // A large group takes its time: the player sees how far it has got.
  const std::size_t group_size = group.size();
  std::unique_ptr<ProgressSink> progress =
      group_size > 1 ? host_.ProgressWindowFor(kReplacingMessage) : nullptr;
  int last_percent = -1;
  WalkGroup(
      anchor,
      [&](std::size_t next) {
        if (const int percent = static_cast<int>(next * 100 / group_size);
            progress && percent != last_percent) {
          progress->Progress(percent);
          last_percent = percent;
        }
      },
      [&](int member, int neighbour) {
        TurnPieceBy(neighbour,
                    (piece(member).rotation - piece(neighbour).rotation + kSideCount) % kSideCount);
        piece(neighbour).box = piece(member).box;
        const auto [x, y] = ExactPlace(member, neighbour);
        MovePiece(neighbour, kMoveRedrawLater, x, y);
      });
  progress.reset();
  for (std::size_t at = 0; at < group.size(); ++at) {
    const SPuz& member = piece(group[at]);
    host_.Redraw(was[at].first, was[at].second);
    host_.Redraw(member.box, member.window);
  }
  host_.LockPainting(false);
  --replacing_;
}

void Board::LayOutGroup(int anchor) {
  WalkGroup(
      anchor, [](std::size_t) {},
      [&](int member, int neighbour) {
        const auto [x, y] = ExactPlace(member, neighbour);
        piece(neighbour).board.x = static_cast<std::int16_t>(x);
        piece(neighbour).board.y = static_cast<std::int16_t>(y);
        UpdatePlacement(piece(neighbour));
      });
}

bool Board::MovePiece(int index, unsigned flags, int x, int y) {
  SPuz& p = piece(index);
  const bool moved = p.board.x != x || p.board.y != y;
  const Rect16 before = p.window;
  const int dx = x - p.board.x, dy = y - p.board.y;
  p.board.x = static_cast<std::int16_t>(x);
  p.board.y = static_cast<std::int16_t>(y);
  UpdatePlacement(p);
  const bool redraw = moved && (flags & (kMoveRedrawNow | kMoveRedraw | kMoveRedrawLater));
  if (!puz_.carried.empty() && (p.flags & kPieceCarried)) {
    // The group floats as one picture: only that picture moves, and the
    // others follow when it is dropped.
    const Rect16 was = puz_.carried_bounds;
    puz_.carried_bounds = was.Moved(dx, dy);
    if (redraw) host_.RedrawCarried(p.box, was, puz_.carried_bounds);
  } else if (redraw) {
    host_.Redraw(p.box, before.United(p.window));
  }
  if (flags & kMoveReplaceGroup) Replace(index, false);
  return moved;
}

Rect16 Board::Bounds(const std::vector<int>& group) {
  Rect16 bounds{};
  for (int member : group)
    bounds = bounds.United(piece(member).window);
  return bounds;
}

void Board::BringToFront(int index, int target) {
  std::vector<std::int16_t>& order = puz_.cut.z_order;
  const std::vector<int> group = GroupOf(index);
  std::vector<bool> in_group(puz_.cut.pieces.size(), false);
  for (int member : group)
    in_group[static_cast<std::size_t>(member)] = true;
  target = std::clamp(target, 0, static_cast<int>(order.size()) - 1);
  const int at_target = order[static_cast<std::size_t>(target)];
  if (in_group[static_cast<std::size_t>(at_target)]) {
    // Only two entries change places.
    std::swap(order[static_cast<std::size_t>(target)],
              order[static_cast<std::size_t>(piece(index).depth)]);
  } else {
    std::vector<std::int16_t> rebuilt;
    rebuilt.reserve(order.size());
    for (int position = 0; position < target; ++position) {
      if (!in_group[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])])
        rebuilt.push_back(order[static_cast<std::size_t>(position)]);
    }
    for (int member : group)
      rebuilt.push_back(static_cast<std::int16_t>(member));
    for (std::size_t position = static_cast<std::size_t>(target); position < order.size();
         ++position) {
      if (!in_group[static_cast<std::size_t>(order[position])]) rebuilt.push_back(order[position]);
    }
    order = std::move(rebuilt);
  }
  // Pieces that went deeper under the group are repainted where it covers them.
  const Rect16 bounds = Bounds(group);
  for (std::size_t position = 0; position < order.size(); ++position) {
    SPuz& each = piece(order[position]);
    const bool deeper = static_cast<int>(position) > each.depth;
    each.depth = static_cast<std::int16_t>(position);
    if (deeper && !in_group[each.id] && each.window.Overlaps(bounds))
      host_.Redraw(each.box, each.window);
  }
}

bool Board::IsSolved() const {
  if (puz_.state & kGameSolved) return true;
  return std::all_of(puz_.cut.pieces.begin(), puz_.cut.pieces.end(), AllSidesJoined);
}

void Board::Complete() {
  if (puz_.state & kGameSolved) return;
  puz_.state |= kGameSolved;
  if (piece_count() > 0) host_.RedrawPiece(0);
  host_.StopClock();
  host_.StartCompletionEffect(kCompletionSparkles);
}

int Board::HitTest(std::uint8_t window, int x, int y) {
  const bool have_mask = puz_.sheets.mask != nullptr;
  const PixelView mask = have_mask ? puz_.sheets.mask->pixels() : PixelView{};
  for (std::int16_t index : puz_.cut.z_order) {
    const SPuz& each = piece(index);
    const Rect16& at = each.window;
    if (each.box != window || x < at.x || y < at.y || x >= at.x + at.width ||
        y >= at.y + at.height) {
      continue;
    }
    if (!have_mask) return index;
    const int mx = x - at.x + each.bound.x;
    const int my = y - at.y + each.bound.y;
    if (mask.bytes == 0) {
      // One bit a pixel: set bits are white.
      const std::uint8_t byte = mask.data[my * mask.stride + mx / 8];
      if (!(byte & (0x80 >> (mx % 8)))) return index;
    } else if ((LoadPixel(mask.At(mx, my), mask.bytes) & 0xFFFFFF) == 0) {
      return index;
    }
  }
  return kNoPiece;
}

}  // namespace cbst
