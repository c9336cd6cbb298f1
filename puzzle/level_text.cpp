// level_text.cpp: level texts to rows and columns.
#include "puzzle/level_text.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "puzzle/puzzle_codes.h"

namespace cbst {
namespace {

// How far pieces of a rows x columns grid are from squares.
float Unsquareness(int width, int height, int rows, int columns) {
  const int piece_width = width / columns;
  const int piece_height = height / rows;
  if (piece_height == 0) return HUGE_VALF;
  return std::fabs(1.0f - static_cast<float>(piece_width) / static_cast<float>(piece_height));
}

}  // namespace

LevelSize ParseLevelText(const char* text, int width, int height, bool validate, Status& status) {
  std::string lower(text);
  for (char& character : lower)
    character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));

  LevelSize level;
  if (const std::size_t cross = lower.find('x'); cross != std::string::npos) {
    level.rows = std::atoi(lower.c_str());
    level.columns = std::atoi(lower.c_str() + cross + 1);
    level.count = level.rows * level.columns;
  } else {
    level.count = std::atoi(lower.c_str());
    if (level.count < 2) {
      level.rows = level.columns = 1;
    } else {
      const float aspect = static_cast<float>(width) / static_cast<float>(height);
      const float side = std::sqrt(static_cast<float>(level.count) / aspect);
      const int rows = std::max(1, static_cast<int>(std::lround(side)));
      const int columns = std::max(1, static_cast<int>(std::lround(level.count / side)));
      const float here = Unsquareness(width, height, rows, columns);
      level.rows = rows;
      level.columns = columns;
      if (here <= Unsquareness(width, height, rows, columns + 1)) {
        if (Unsquareness(width, height, rows + 1, columns) < here) level.rows = rows + 1;
      } else {
        level.columns = columns + 1;
      }
    }
  }
  if (level.count >= 1 && level.rows > 0 && level.columns > 0) {
    level.piece_width = static_cast<float>(width) / static_cast<float>(level.columns);
    level.piece_height = static_cast<float>(height) / static_cast<float>(level.rows);
  }
  status = Status();
  if (validate) {
    if (level.count < kMinLevelPieces) {
      status = Status(kStatusTooFewPieces);
    } else if (level.piece_width < kMinPieceSide || level.piece_height < kMinPieceSide) {
      status = Status(kStatusPiecesTooSmall);
    } else if (std::int64_t{level.rows} * level.columns > kMaxPieces) {
      status = Status::Format(kStatusLevelUnplayable, "%ix%i", level.rows, level.columns);
    }
  }
  return level;
}

}  // namespace cbst
