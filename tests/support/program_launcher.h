// program_launcher.h: the whole program made in a test as the shell starts
// it (its name alone on the command line) and closed as the table's close
// box closes it. Tests of start-up and of installation share it.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>

#include "app/game_events.h"
#include "app/program.h"
#include "play/wpuz.h"
#include "support/browser_answerer.h"

namespace cbst::testing {

// The program directory the build laid out.
inline const std::filesystem::path kBuiltProgram = CBST_PROGRAM_DIR;

// Copies `names` from the built program directory into `directory`.
inline void CopyFromBuiltProgram(const std::filesystem::path& directory,
                                 std::initializer_list<const char*> names) {
  std::filesystem::create_directories(directory);
  for (const char* name : names)
    std::filesystem::copy_file(kBuiltProgram / name, directory / name,
                               std::filesystem::copy_options::overwrite_existing);
}

// Keeps the command line the toolkit holds on to: it outlives every
// program it makes.
class ProgramLauncher {
 public:
  // A program that runs from `directory`. Unless the test plays it, the
  // browser that starting may bring up is answered as a player would until
  // the next program is made.
  std::unique_ptr<Program> Make(const std::filesystem::path& directory,
                                bool answer_browser = true) {
    browser_.reset();
    auto program = std::make_unique<Program>(argc_, argv_, (directory / "cbst").string());
    if (answer_browser) browser_ = std::make_unique<BrowserAnswerer>();
    return program;
  }
  // Closes the table as its close box does and runs the loop to the end.
  static int CloseAndFinish(Program& program) {
    Event close = MakeEvent(kEventCommand, CommandPayload{kCommandClose});
    program.table()->Dispatch(close);
    return program.Finish();
  }

 private:
  int argc_ = 1;
  char name_[5] = "cbst";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<BrowserAnswerer> browser_;
};

}  // namespace cbst::testing
