// main.cpp: cbst-wavgen, which makes the game's sound files.
//
//   cbst-wavgen <directory>
//
// Writes every sound of the program into the directory as a wave file.
// The same build always writes the same bytes. Exit code 1 when a file
// could not be written.
#include <cstdio>
#include <string>

#include "platform/sound_names.h"
#include "wavgen/sounds.h"
#include "wavgen/wave_file.h"

namespace {

constexpr int kExitProblems = 1;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: cbst-wavgen <directory>\n");
    return kExitProblems;
  }
  int status = 0;
  for (const cbst::wavgen::Recipe& recipe : cbst::wavgen::Recipes()) {
    std::string path = argv[1];
    path += '/';
    path += recipe.name;
    path += cbst::kSoundExtension;
    if (!cbst::wavgen::WriteWave(path, recipe.make())) {
      std::fprintf(stderr, "cbst-wavgen: cannot write %s\n", path.c_str());
      status = kExitProblems;
    }
  }
  return status;
}
