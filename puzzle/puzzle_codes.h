// puzzle_codes.h: the numbers of puzzle files: option flags, levels, versions.
#pragma once

#include <cstdint>

#include "base/status_codes.h"

namespace cbst {

// Versions, in hundredths.
inline constexpr std::uint16_t kProgramVersion = 230;
inline constexpr std::uint16_t kPuzzleFormat = 200;
inline constexpr std::uint16_t kHighestAcceptedRequirement = 201;
inline constexpr std::uint16_t kLastFormatWithoutTitle = 198;
inline constexpr std::uint16_t kDefaultRequiredVersion = 120;  // without WantPgmVersion:
inline constexpr std::uint16_t kWrittenRequiredVersion = 200;

// Piece ids are 16-bit: no level may have more pieces.
inline constexpr int kMaxPieces = 32767;
// The smallest piece side, on the picture as it is shown, that leaves room
// for a knob and its hole with their outlines: a knob reaches at least 7
// pixels into its neighbour.
inline constexpr int kMinCutPieceSide = 8;

// Levels: five stored sizes and a custom one.
inline constexpr int kStoredLevels = 5;
inline constexpr int kCustomLevel = 5;
inline constexpr int kLevelSlots = 6;

// Puz::option_flags, from the option keys.
inline constexpr std::uint32_t kOptionAssemblyFrame = 0x02;  // every game has it
inline constexpr std::uint32_t kOptionImgFull = 0x04;
inline constexpr std::uint32_t kOptionScatterFull = 0x08;
inline constexpr std::uint32_t kOptionNoRotable = 0x20;
inline constexpr std::uint32_t kOptionNoHelp = 0x40;
inline constexpr std::uint32_t kOptionNoDeform = 0x100;
inline constexpr std::uint32_t kOptionNoPreview = 0x200;
inline constexpr std::uint32_t kOptionNoReduceImg = 0x400;

// Puz::size_flags.
inline constexpr std::uint32_t kSizeCustomInUse = 0x100;
inline constexpr std::uint32_t kSizeNoCustom = 0x200;

// Puz::state.
inline constexpr std::uint32_t kStateRestoring = 0x08;    // resuming a saved game
inline constexpr std::uint32_t kStateOwnLevels = 0x4000;  // being made: defines its levels

// Background of a puzzle on displays of 16 colours or fewer.
inline constexpr std::uint32_t kLowColourBackground = 0xC0C0C0;

}  // namespace cbst
