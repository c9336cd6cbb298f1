// main.cpp: cbst, the game.
#include <string>

#include "app/program.h"
#include "platform/message_box.h"
#include "setup/setup_words.h"

int main(int argc, char** argv) {
  cbst::Program program(argc, argv);
  cbst::InstallMessageBoxReports();
  cbst::InstallSetup();
  // The toolkit has taken its own options out; what remains is the
  // command line, one path or words, as the game reads it.
  std::string command_line;
  for (int index = 1; index < argc; ++index) {
    if (!command_line.empty()) command_line += ' ';
    const std::string argument = argv[index];
    const bool spaced = argument.find(' ') != std::string::npos;
    command_line += spaced ? '"' + argument + '"' : argument;
  }
  return program.Run(command_line);
}
