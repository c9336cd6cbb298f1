// game_flags.h: the switches of one game, kept with it when it is saved.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cbst {

inline constexpr std::uint32_t kGameCompetition = 0x01;  // the finished game is ranked
inline constexpr std::uint32_t kGameAutoSave = 0x02;
inline constexpr std::uint32_t kGameNoPreview = 0x04;
inline constexpr std::uint32_t kGameHideBoxes = 0x08;
inline constexpr std::uint32_t kGameHideScore = 0x10;

// The words a saved game's option text may carry for them, and the key of
// the number that, when present, replaces them all.
inline constexpr std::string_view kGameWordCompetition = "Competition";
inline constexpr std::string_view kGameWordAutoSave = "AutoSave";
inline constexpr std::string_view kGameWordHideBoxes = "HideBoxes";
inline constexpr std::string_view kGameWordHideScore = "HideScore";
inline constexpr std::string_view kGameFlagsKey = "Options:";

// The flags a saved game's option text gives.
std::uint32_t GameFlagsFromText(std::string_view text);
// Appends the flags to a saved game's option text as "/Options:<decimal>".
void AppendGameFlags(std::uint32_t flags, std::string& text);

}  // namespace cbst
