// program.h: Program, the running game from start to end.
//
// The start-up code brings the framework up, finds the program directory
// and the settings file, chooses the language and loads its dictionary,
// makes the table and the current game, acts on the command line, runs the
// message loop and takes everything down again in the reverse order.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/app_codes.h"
#include "app/settings.h"
#include "app/setup_hooks.h"
#include "puzzle/puz.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/program_pictures.h"

namespace cbst {

class CompetitionMode;
class GameEffects;
class GameEvents;
class GameSaver;
class GameScore;
class SoundPlayer;
class WPuz;

class Program {
 public:
  // The program as if it ran from `program_path` (its own executable's
  // path when empty): its directory is the program directory.
  Program(int& argc, char** argv, std::string program_path = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // Runs the game with `command_line`; returns the process's exit code.
  int Run(const std::string& command_line);
  // The two halves of Run. Start brings the game up to the message loop:
  // false when the program ends without one (exit_code() says how). Finish
  // runs the loop until the table is closed, then saves the options.
  bool Start(const std::string& command_line);
  int Finish();
  int exit_code() const { return exit_code_; }
  // Makes the switches of the options record take effect on the table, the
  // sounds and the tips: at start-up, and again whenever they change.
  void ApplyOptions();

  const std::string& program_path() const { return program_path_; }
  const std::string& program_directory() const { return program_directory_; }
  const Settings& settings() const { return *settings_; }
  bool program_directory_read_only() const { return read_only_; }
  bool low_colour() const { return low_colour_; }
  WPuz* table() const { return table_; }
  Puz* puzzle() const { return puz_.get(); }
  // The score keeper of the game on the table.
  GameScore* score() const { return score_.get(); }
  GameSaver* saver() const { return saver_.get(); }
  // Competition mode of the game on the table, with its live ranking.
  CompetitionMode* competition() const { return competition_.get(); }
  const std::string& language_list() const { return language_list_; }

 private:
  bool LoadDictionary();
  void LoadResources();
  bool CheckProgramDirectory();
  StartMode ActOnCommandWords(std::string& command_line);
  void EndInMode(StartMode mode);

  std::unique_ptr<Application> application_;
  std::string program_path_;
  std::string program_directory_;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<Traductor> dictionary_;
  std::unique_ptr<Puz> puz_;
  WPuz* table_ = nullptr;  // held by the application
  std::unique_ptr<GameEvents> game_events_;
  std::unique_ptr<SoundPlayer> sounds_;
  std::unique_ptr<GameScore> score_;
  std::unique_ptr<GameEffects> game_effects_;
  std::unique_ptr<GameSaver> saver_;
  std::unique_ptr<CompetitionMode> competition_;
  std::string language_list_;
  SetupContext setup_context_;
  ProgramPicture bitmaps_[3];
  int drag_cursor_ = 0;
  int tack_hot_x_ = 0;
  int tack_hot_y_ = 0;
  bool low_colour_ = false;
  bool read_only_ = false;
  int exit_code_ = 0;
};

}  // namespace cbst
