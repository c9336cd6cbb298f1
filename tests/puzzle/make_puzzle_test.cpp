// make_puzzle_test.cpp: level texts, the proposed background, thumbnails,
// file names and the values a new puzzle is written with.
#include "puzzle/make_puzzle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "puzzle/level_text.h"
#include "puzzle/puz_options.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/random.h"
#include "support/gui_environment.h"

namespace cbst {
namespace {

LevelSize Parse(const char* text, int width, int height, std::uint16_t* code = nullptr) {
  Status status;
  LevelSize level = ParseLevelText(text, width, height, code != nullptr, status);
  if (code) *code = status.code();
  return level;
}

float Unsquareness(int width, int height, int rows, int columns) {
  return std::fabs(1.0f - static_cast<float>(width / columns) / static_cast<float>(height / rows));
}

TEST(LevelText, RowsByColumnsAndPieceCounts) {
  for (const char* text : {"12x9", "12X9"}) {
    const LevelSize level = Parse(text, 640, 480);
    EXPECT_EQ(level.rows, 12);
    EXPECT_EQ(level.columns, 9);
    EXPECT_EQ(level.count, 108);
  }
  const LevelSize hundred = Parse("100", 400, 300);
  EXPECT_EQ(hundred.rows, 9);
  EXPECT_EQ(hundred.columns, 12);
  EXPECT_FLOAT_EQ(hundred.piece_width, 400.0f / 12);
  EXPECT_FLOAT_EQ(hundred.piece_height, 300.0f / 9);
  EXPECT_EQ(Parse("1", 400, 300).rows, 1);
  EXPECT_EQ(Parse("", 400, 300).piece_width, 0.0f);
}

TEST(LevelText, ValidationRefusesTinyLevelsAndPieces) {
  std::uint16_t code = 0;
  Parse("3", 400, 300, &code);
  EXPECT_EQ(code, kStatusTooFewPieces);
  Parse("2x2", 400, 300, &code);
  EXPECT_EQ(code, 0);
  Parse("2x2", 46, 46, &code);  // pieces of 23 pixels
  EXPECT_EQ(code, 0);
  Parse("4x4", 46, 46, &code);  // pieces of 11.5 pixels
  EXPECT_EQ(code, kStatusPiecesTooSmall);
}

// A piece count takes (r, c) from the square root, or the neighbour (r, c + 1)
// or (r + 1, c) when that is squarer, and is never beaten by a grid it was
// compared with.
TEST(LevelText, PieceCountsGiveTheSquarestCandidate) {
  for (int width : {300, 640, 1024, 1600}) {
    for (int height : {200, 480, 768, 1200}) {
      for (int count = 2; count <= 1000; count += 37) {
        const LevelSize level = Parse(std::to_string(count).c_str(), width, height);
        const float aspect = static_cast<float>(width) / static_cast<float>(height);
        const float side = std::sqrt(static_cast<float>(count) / aspect);
        const int rows = static_cast<int>(std::lround(side));
        const int columns = static_cast<int>(std::lround(static_cast<float>(count) / side));
        const float here = Unsquareness(width, height, rows, columns);
        const float wider = Unsquareness(width, height, rows, columns + 1);
        const float higher = Unsquareness(width, height, rows + 1, columns);
        const float chosen = Unsquareness(width, height, level.rows, level.columns);
        SCOPED_TRACE(std::to_string(count) + " on " + std::to_string(width) + "x" +
                     std::to_string(height));
        if (level.rows == rows && level.columns == columns + 1) {
          EXPECT_LT(chosen, here);
        } else {
          ASSERT_EQ(level.columns, columns);
          ASSERT_TRUE(level.rows == rows || level.rows == rows + 1);
          EXPECT_LE(chosen, here);
          EXPECT_LE(chosen, wider);
          if (level.rows == rows) {
            EXPECT_LE(chosen, higher);
          }
        }
        EXPECT_NEAR(level.rows * level.columns, count, count * 0.35 + 3);
      }
    }
  }
}

// Every pixel of index 1 in the colour table, which holds `colour`.
Dib FilledByTable(int width, int height, std::uint32_t colour) {
  Dib dib(width, height, 8);
  dib.colours()[1] = {static_cast<std::uint8_t>(colour >> 16),
                      static_cast<std::uint8_t>(colour >> 8), static_cast<std::uint8_t>(colour), 0};
  std::fill(dib.pixel_block().begin(), dib.pixel_block().end(), std::uint8_t{1});
  return dib;
}

// 5-6-5 bit fields.
Dib FilledByMasks(int width, int height, std::uint16_t pixel) {
  Dib dib(width, height, 16);
  dib.header().compression = kCompressionBitFields;
  dib.masks() = {0xF800, 0x07E0, 0x001F};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      dib.row(y)[2 * x] = static_cast<std::uint8_t>(pixel);
      dib.row(y)[2 * x + 1] = static_cast<std::uint8_t>(pixel >> 8);
    }
  }
  return dib;
}

// Columns alternating between two colours, of three or four bytes a pixel.
Dib Striped(int width, int height, std::uint32_t even, std::uint32_t odd, int bits = 24) {
  Dib dib(width, height, bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = x % 2 ? odd : even;
      std::uint8_t* pixel = dib.row(y) + bits / 8 * x;
      pixel[0] = static_cast<std::uint8_t>(colour >> 16);
      pixel[1] = static_cast<std::uint8_t>(colour >> 8);
      pixel[2] = static_cast<std::uint8_t>(colour);
    }
  }
  return dib;
}

Dib Filled(int width, int height, std::uint32_t colour) {
  return Striped(width, height, colour, colour);
}

TEST(MakePuzzle, BackgroundIsLightenedOrDarkenedFromThePicture) {
  ProgramRandom().Seed(1);
  EXPECT_EQ(ProposeBackground(Filled(50, 40, 0x000000)), 0x5C5C5Cu);  // 1 * 92
  EXPECT_EQ(ProposeBackground(Filled(50, 40, 0x101010)), 0x505050u);  // 16 * (92 / 16)
  EXPECT_EQ(ProposeBackground(Filled(50, 40, 0x808080)), 0x808080u);  // already mid
  EXPECT_EQ(ProposeBackground(Filled(50, 40, 0xFFFFFF)), 0xA0A0A0u);  // 255 * 160 / 255
  // A bright red keeps its hue: each channel is scaled alike.
  const std::uint32_t red = ProposeBackground(Filled(50, 40, 0x4040FF));
  EXPECT_GT(red & 0xFF, (red >> 8 & 0xFF) * 3);
  // Four numbers are drawn, so the next puzzle gets another place.
  Random copy;
  copy.Seed(1);
  for (int draw = 0; draw < 4 * 5; ++draw)
    copy.Next();
  EXPECT_EQ(ProgramRandom().state(), copy.state());

  // Dark blue through a colour table: 92 / 30 = 3 times 90, held at 255.
  EXPECT_EQ(ProposeBackground(FilledByTable(60, 50, 0x5A0000)), 0xFF0000u);
  // 92 / 60 = 1: a dull colour is left as it is.
  EXPECT_EQ(ProposeBackground(FilledByTable(60, 50, 0x1E3C78)), 0x1E3C78u);
  // Mid grey through 5-6-5 masks (16 << 11 | 32 << 5 | 16 reads as 128 each).
  EXPECT_EQ(ProposeBackground(FilledByMasks(60, 50, 0x8410)), 0x808080u);
  // Averages truncate: every rectangle of stripes of 100 and 101 gives 100.
  for (int pick = 0; pick < 20; ++pick)
    EXPECT_EQ(ProposeBackground(Striped(60, 50, 0x646464, 0x656565, 32)), 0x646464u);
}

TEST(MakePuzzle, ThumbnailsFitTheBrowser) {
  struct Case {
    int width, height, thumb_width, thumb_height;
  };
  for (const Case& c : {Case{640, 480, 80, 60}, Case{1000, 300, 80, 24}, Case{1000, 333, 80, 26},
                        Case{300, 1000, 18, 60}, Case{40, 30, 80, 60}}) {
    const Dib thumbnail = MakeThumbnail(Filled(c.width, c.height, 0x3366CC));
    ASSERT_EQ(thumbnail.width(), c.thumb_width);
    ASSERT_EQ(thumbnail.height(), c.thumb_height);
    // The picture covers the whole thumbnail, to its last row and column.
    for (int x : {0, c.thumb_width / 2, c.thumb_width - 1}) {
      for (int y : {0, c.thumb_height / 2, c.thumb_height - 1})
        EXPECT_EQ(thumbnail.PixelColour(x, y), 0x3366CCu) << c.width << "x" << c.height;
    }
  }

  const Dib surprise = MakeSurpriseThumbnail();
  EXPECT_EQ(surprise.width(), kSurpriseWidth);
  EXPECT_EQ(surprise.height(), kThumbnailHeight);
  EXPECT_EQ(surprise.PixelColour(1, 0), 0xFFFFFFu);
  EXPECT_EQ(surprise.PixelColour(1, kThumbnailHeight - kSurpriseBandHeight - 1), 0xFF0000u);
  // Dark means all three channels: the gradient ends in full blue.
  const int panel = kThumbnailHeight - kSurpriseBandHeight;
  int dark_panel = 0, dark_band = 0, plain_band = 0;
  for (int y = 0; y < kThumbnailHeight; ++y) {
    for (int x = 0; x < kSurpriseWidth; ++x) {
      const std::uint32_t colour = surprise.PixelColour(x, y);
      const int red = colour & 0xFF, green = colour >> 8 & 0xFF, blue = colour >> 16 & 0xFF;
      if (std::max({red, green, blue}) < 0x40) (y < panel ? dark_panel : dark_band)++;
      if (y < panel) continue;
      // The band is plain grey but for black text blended into it.
      if (colour == kSurpriseBand) {
        ++plain_band;
      } else {
        EXPECT_TRUE(red == green && green == blue && red < 0xC0) << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark_panel, 20);  // the "?"
  EXPECT_GT(dark_band, 20);   // "(Surprise)"
  EXPECT_GT(plain_band, kSurpriseWidth * kSurpriseBandHeight / 2);
}

TEST(MakePuzzle, FileNamesAvoidUnsafeCharacters) {
  EXPECT_EQ(PuzzleFileName("/home/ann/puzzles", "a/b:c").view(), "/home/ann/puzzles/a_b_c.puz");
  EXPECT_EQ(PuzzleFileName("/p/", "Dr. Who? *<|>\\").view(), "/p/Dr_ Who_ _____.puz");
  // A title in Windows-1252 names a file the desktop can show.
  EXPECT_EQ(PuzzleFileName("/p", "Perros \xF1\xE9").view(), "/p/Perros \u00F1\u00E9.puz");
}

TEST(MakePuzzle, ValuesOfANewPuzzle) {
  MakeRequest request;
  request.title = "  Harbour  ";
  request.level_texts = {"", " ", "12x9", "", "100"};
  request.background = 0x336699;
  Puz puz;
  puz.puzzle_seed = 77;
  SetPuzzleValues(puz, request, 400, 300);
  EXPECT_EQ(puz.title.view(), "Harbour");
  EXPECT_EQ(puz.DefinedLevels(), 2);
  EXPECT_EQ(puz.level_rows[0], 12);
  EXPECT_EQ(puz.level_columns[1], 12);
  EXPECT_TRUE(puz.state & kStateOwnLevels);
  EXPECT_EQ(RequiredProgramVersion(), kWrittenRequiredVersion);

  std::string options = ComposeOptions(puz, OptionMode::kPuzzle);
  EXPECT_NE(options.find("/Rndn:0"), std::string::npos);
  EXPECT_NE(options.find("/ImgFull/NoReduceImg"), std::string::npos);
  EXPECT_NE(options.find("/NoCustom"), std::string::npos);
  EXPECT_EQ(options.find("/Nopreview"), std::string::npos);
  EXPECT_EQ(options.find("/NoHelp"), std::string::npos);

  request.surprise = request.no_help = request.allow_custom = true;
  SetPuzzleValues(puz, request, 400, 300);
  options = ComposeOptions(puz, OptionMode::kPuzzle);
  EXPECT_NE(options.find("/Nopreview"), std::string::npos);
  EXPECT_NE(options.find("/NoHelp"), std::string::npos);
  EXPECT_EQ(options.find("/NoCustom"), std::string::npos);

  EXPECT_TRUE(CheckLevels(request, 400, 300).ok());
  // The first bad level is the one reported.
  request.level_texts[3] = "3";
  request.level_texts[4] = "40x40";
  EXPECT_EQ(CheckLevels(request, 400, 300).code(), kStatusTooFewPieces);
  request.level_texts[3] = "";
  EXPECT_EQ(CheckLevels(request, 400, 300).code(), kStatusPiecesTooSmall);
}

// A title is looked for in the puzzles' headers, whatever its case and
// whatever the puzzle's file is called; files that are no puzzles are
// passed over.
TEST(MakePuzzle, TitlesAreFoundInThePuzzlesHeaders) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("cbst_titles_" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(fs::path(CBST_TEST_DATA) / "two_levels.puz", folder / "terrace.PUZ");
  {
    std::FILE* bad = std::fopen((folder / "broken.puz").c_str(), "wb");
    std::fputs("not a puzzle", bad);
    std::fclose(bad);
  }
  EXPECT_EQ(PuzzleWithTitle(folder.string(), "cAF\xe9"), (folder / "terrace.PUZ").string());
  EXPECT_EQ(PuzzleWithTitle(folder.string(), "Caf"), "");
  EXPECT_EQ(PuzzleWithTitle(folder.string(), "broken"), "");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace cbst
