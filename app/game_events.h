// game_events.h: GameEvents, the game object's answer to what the table
// leaves to it: the game's menus, its commands, and the hint on a click on
// the empty table.
#pragma once

#include <cstdint>

#include "app/settings.h"
#include "play/game_handler.h"
#include "puzzle/puz.h"

namespace cbst {

class WPuz;

// The game's commands.
inline constexpr std::uint32_t kCommandMinimise = 10;
inline constexpr std::uint32_t kCommandMaximise = 11;
inline constexpr std::uint32_t kCommandOpen = 101;
inline constexpr std::uint32_t kCommandSave = 102;
inline constexpr std::uint32_t kCommandQuit = 111;
inline constexpr std::uint32_t kCommandAbout = 114;
inline constexpr std::uint32_t kCommandHelpContents = 119;
inline constexpr std::uint32_t kCommandBackground = 170;
inline constexpr std::uint32_t kCommandOptions = 1008;
inline constexpr std::uint32_t kCommandAutomaticHelp = 1102;
inline constexpr std::uint32_t kCommandSpread = 1103;
inline constexpr std::uint32_t kCommandTogglePreview = 1104;
inline constexpr std::uint32_t kCommandGameSettings = 1106;
inline constexpr std::uint32_t kCommandNoPreview = 1125;
inline constexpr std::uint32_t kCommandMakePuzzle = 1300;
inline constexpr std::uint32_t kCommandPreviewHelp = 1301;
inline constexpr std::uint32_t kCommandCompetition = 3020;
// The hint on a click on the empty table is shown this often in the life
// of an installation, counted in the settings file.
inline constexpr int kClickHintTimes = 3;
inline constexpr std::string_view kKeyClickHints = "nSayClick2";

class GameEvents final : public GameHandler {
 public:
  GameEvents(WPuz& table, Puz& puz, const Settings& settings, std::uint32_t& game_flags,
             bool low_colour);

  void OnGameEvent(Event& event) override;
  void BuildMenu(int kind, XPopMenu& menu) override;
  void EmptyTableClicked() override;

 private:
  bool loaded() const { return !puz_.cut.pieces.empty(); }
  bool OnCommand(std::uint32_t command);

  WPuz& table_;
  Puz& puz_;
  const Settings& settings_;
  std::uint32_t& game_flags_;
  bool low_colour_;
};

}  // namespace cbst
