// sounds.h: the recipes of the game's sounds.
#pragma once

#include <string_view>
#include <vector>

#include "wavgen/synth.h"

namespace cbst::wavgen {

// One sound the program plays, by its file name without the extension.
struct Recipe {
  std::string_view name;
  Samples (*make)();
};

// Every sound file the program directory holds: the seven numbered sounds
// and the credits' music.
const std::vector<Recipe>& Recipes();

}  // namespace cbst::wavgen
