// recording_game.h: a game and game effects that only keep what the table
// tells them (sounds, clock pauses, counts, commands, keys, hints), for the
// tests of the table and of the windows on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "play/game_handler.h"
#include "ui/event.h"
#include "ui/event_codes.h"

namespace cbst::testing {

class RecordingEffects final : public TableEffects {
 public:
  void PlaySound(BoardSound sound) override { sounds.push_back(sound); }
  void StopClock() override {}
  void PauseClock() override {
    ++pauses;
    ++paused;
  }
  void ResumeClock() override { --paused; }
  void CountJoinedSides(int) override {}
  void CountMove() override { ++moves; }
  void CountHelp(int) override { ++helps; }
  void AskForSave(bool) override {}
  int Count(BoardSound sound) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound));
  }

  std::vector<BoardSound> sounds;
  int pauses = 0;  // how often the clock was stopped
  int paused = 0;  // and how many of those stops still hold it
  int moves = 0;
  int helps = 0;
};

class RecordingGame final : public GameHandler {
 public:
  void OnGameEvent(Event& event) override {
    if (const auto* command = event.as<CommandPayload>(); command && event.code == kEventCommand)
      commands.emplace_back(command->id, command->parameter);
    if (const auto* key = event.as<KeyPayload>(); key && key->kind == KeyKind::kDown)
      keys.push_back(key->virtual_key);
  }
  void BuildMenu(int, XPopMenu&) override {}
  void EmptyTableClicked() override { ++hints; }
  // The commands without their parameters.
  std::vector<std::uint32_t> command_ids() const {
    std::vector<std::uint32_t> ids;
    for (const auto& [id, parameter] : commands)
      ids.push_back(id);
    return ids;
  }

  std::vector<std::pair<std::uint32_t, std::intptr_t>> commands;
  std::vector<int> keys;  // keys pressed
  int hints = 0;
};

}  // namespace cbst::testing
