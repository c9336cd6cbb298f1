// board_codes.h: the numbers of the board model.
#pragma once

#include <cstdint>

namespace cbst {

inline constexpr int kNoPiece = -1;
// The main table, as a piece's box.
inline constexpr std::uint8_t kTableWindow = 255;

// Game state flags (Puz::state).
inline constexpr std::uint32_t kGameNoJoining = 0x0001;  // building, or turning in a drag
inline constexpr std::uint32_t kGameHelping = 0x0002;
inline constexpr std::uint32_t kGameSolved = 0x0004;  // nothing more is counted
inline constexpr std::uint32_t kGameHasSaveFile = 0x0008;
inline constexpr std::uint32_t kGameChanged = 0x0010;  // since the last save
inline constexpr std::uint32_t kGameJoinedOrHelped = 0x0020;
inline constexpr std::uint32_t kGameBuilding = 0x2000;

// A neighbour this close to its place, in both axes, joins.
inline constexpr int kJoinDistance = 5;
// Each joined pair of sides counts twice, once for each piece.
inline constexpr int kSidesPerJoin = 2;
// The completion effect's sparkles.
inline constexpr int kCompletionSparkles = 20;

// Screen directions, in the order group walks look at them.
enum Direction : int { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };

inline constexpr const char* kBadSideMessage = "IXLadoA ??";

}  // namespace cbst
