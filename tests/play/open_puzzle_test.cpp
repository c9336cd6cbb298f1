// open_puzzle_test.cpp: puzzle files opened on a virtual table, from the
// header to the scattered pieces, with the picture cache.
#include "puzzle/open_puzzle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "gfx/bitmap_file.h"
#include "gfx/pixel_access.h"
#include "play/virtual_table.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "puzzle/table_picture.h"
#include "puzzle/thumb.h"
#include "support/file_text.h"
#include "support/synthetic_photo.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::FileText;

std::uint32_t CacheOffset(const fs::path& path) {
  Thumb thumb;
  EXPECT_EQ(thumb.Open(path.c_str(), false).code(), 0);
  return thumb.cache_at;
}

class OpenPuzzle : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-open-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
  }
  void TearDown() override {
    fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add);
    for (const auto& entry : fs::directory_iterator(directory_))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(directory_);
  }

  // A puzzle of a width x height photograph with three levels, or with
  // the levels given.
  fs::path Make(const char* name, int width, int height, std::uint32_t seed,
                std::uint32_t options = 0, std::array<std::int16_t, 2> rows = {},
                std::array<std::int16_t, 2> columns = {}) {
    Puz puz;
    puz.title = "Harbour";
    puz.level_rows = {3, 6, 12};
    puz.level_columns = {4, 8, 16};
    if (rows[0] != 0) {
      puz.level_rows = {rows[0], rows[1]};
      puz.level_columns = {columns[0], columns[1]};
    }
    puz.puzzle_seed = seed;
    puz.option_flags = options;
    puz.background = 0x204060;
    puz.state = kStateOwnLevels;
    const Dib photo = testing::SyntheticPhoto(width, height);
    const fs::path path = directory_ / name;
    EXPECT_EQ(WritePuzzleFile(puz, path.c_str(), nullptr, {&photo, nullptr}, nullptr).code(), 0);
    return path;
  }

  Status Open(Puz& puz, VirtualTable& table, const fs::path& path, int level = 0,
              OpenTimings* timings = nullptr, std::uint32_t options = 0) {
    OpenRequest request;
    request.path = path.c_str();
    request.level = level;
    request.options = options;
    request.cache_allowed = cache_allowed_;
    return OpenPuzzleForPlay(puz, request, table, timings);
  }

  fs::path directory_;
  bool cache_allowed_ = true;
};

TEST_F(OpenPuzzle, EveryLevelAndACustomSizeOpenScattered) {
  const fs::path path = Make("harbour.puz", 800, 600, 1234);
  for (int level = 0; level < 4; ++level) {
    Puz puz;
    VirtualTable table(puz, 1920, 1080);
    table.set_custom_size(5, 7);
    ASSERT_EQ(Open(puz, table, path, level).code(), 0) << level;
    const int rows = level < 3 ? puz.level_rows[static_cast<std::size_t>(level)] : 5;
    const int columns = level < 3 ? puz.level_columns[static_cast<std::size_t>(level)] : 7;
    EXPECT_EQ(puz.level, level < 3 ? level : kCustomLevel);
    EXPECT_EQ(static_cast<int>(puz.cut.pieces.size()), rows * columns);
    // 800 x 600 is less than half the table: shown at its own size.
    EXPECT_EQ(puz.picture_rect, (Rect16{0, 0, 800, 600}));
    EXPECT_EQ(puz.preview_picture->width(), 400);
    // Displays of 16 colours show every puzzle on light grey.
    const int colours = table.display().Colours();
    const std::uint32_t background = colours >= 1 && colours <= 16 ? 0xC0C0C0 : 0x204060;
    EXPECT_EQ(puz.background, background);
    EXPECT_EQ(table.background(), background);
    EXPECT_EQ(puz.boxes.size(), 6u);
    EXPECT_EQ(puz.state & (kStateBuilding | kStateBuildingBusy), 0u);
    ASSERT_TRUE(puz.sheets.image);
    const Rect16 assembly = table.AssemblyArea();
    for (const SPuz& piece : puz.cut.pieces) {
      EXPECT_TRUE((Rect16{0, 0, 1920, 1080}).Contains(piece.window)) << piece.id;
      EXPECT_FALSE(piece.window.Overlaps(assembly)) << piece.id;
    }
  }
  EXPECT_EQ(OpeningsInProgress(), 0);

  // Cancelling the custom size is quiet, and leaves nothing behind.
  Puz puz;
  VirtualTable table(puz, 1920, 1080);
  Status cancelled = Open(puz, table, path, 3);
  EXPECT_EQ(cancelled.peek(), 1);
  EXPECT_TRUE(cancelled.reported());
  EXPECT_TRUE(puz.cut.pieces.empty());
  EXPECT_FALSE(puz.picture);
}

TEST(DefaultBoxes, SixClosedBoxesParkAlongTheBottom) {
  const std::vector<PieceBox> boxes = DefaultBoxes(1024, 768);
  // Navy, green, maroon, teal, olive and silver, as 0x00BBGGRR.
  constexpr std::uint32_t kColours[] = {0x800000, 0x008000, 0x000080, 0x808000, 0x008080, 0xC0C0C0};
  ASSERT_EQ(boxes.size(), 6u);
  for (std::size_t index = 0; index < boxes.size(); ++index) {
    const PieceBox& box = boxes[index];
    EXPECT_TRUE(box.closed());
    EXPECT_EQ(box.closed_x, 846 + 30 * static_cast<int>(index));
    EXPECT_EQ(box.closed_y, 768 - 28);
    EXPECT_EQ(box.open, (Rect16{static_cast<std::int16_t>(28 + 28 * index),
                                static_cast<std::int16_t>(28 + 28 * index), 341, 256}));
    EXPECT_EQ(box.colour, kColours[index]) << index;
  }
}

TEST_F(OpenPuzzle, PicturesAreReducedToAboutHalfTheTable) {
  // Small pictures stay as they are; large ones cover half the table.
  Reduction small = ReducePicture(1920, 1080, 800, 600, false);
  EXPECT_EQ(small.scale, 1.0f);
  EXPECT_FALSE(small.scatter_full);
  Reduction large = ReducePicture(1920, 1080, 4000, 3000, false);
  EXPECT_LT(large.scale, 1.0f);
  EXPECT_NEAR(large.width * large.height, 1920 * 1080 / 2, 1920 * 1080 / 100);
  EXPECT_FALSE(large.scatter_full);
  // ImgFull may fill the table, up to 5 pixels short of the bottom, and
  // then the pieces go anywhere.
  Reduction full = ReducePicture(1920, 1080, 4000, 3000, true);
  EXPECT_EQ(full.height, 1075);
  EXPECT_TRUE(full.scatter_full);
  // Wide pictures are held to the table's width.
  Reduction wide = ReducePicture(1920, 1080, 8000, 1000, true);
  EXPECT_EQ(wide.width, 1920);
  // At 70 % of the table and more the pieces go anywhere.
  EXPECT_TRUE(ReducePicture(1000, 1000, 840, 840, true).scatter_full);
  EXPECT_FALSE(ReducePicture(1000, 1000, 830, 840, true).scatter_full);

  // NoReduceImg on a table too small for the picture: 1005, nothing kept.
  const fs::path path = Make("fixed.puz", 800, 600, 5, kOptionNoReduceImg);
  Puz puz;
  VirtualTable table(puz, 640, 480);
  EXPECT_EQ(Open(puz, table, path).code(), kStatusPictureTooLarge);
  EXPECT_FALSE(puz.picture);
  EXPECT_TRUE(puz.cut.pieces.empty());
  VirtualTable roomy(puz, 1920, 1080);
  EXPECT_EQ(Open(puz, roomy, path).code(), 0);
}

TEST_F(OpenPuzzle, TheDecodedPictureIsCachedPerScreen) {
  const fs::path path = Make("cached.puz", 1000, 700, 77);
  const std::string written = FileText(path);
  const auto picture_of = [](const Puz& puz) {
    const PixelView pixels = puz.picture->pixels();
    return std::string(reinterpret_cast<const char*>(pixels.data),
                       static_cast<std::size_t>(pixels.stride) * puz.picture->height());
  };

  Puz first;
  VirtualTable table(first, 1920, 1080);
  OpenTimings timings;
  ASSERT_EQ(Open(first, table, path, 0, &timings).code(), 0);
  EXPECT_FALSE(timings.from_cache);
  const std::uint32_t cache_at = CacheOffset(path);
  ASSERT_EQ(cache_at, written.size());
  const std::string now = FileText(path);

  Puz second;
  VirtualTable same(second, 1920, 1080);
  ASSERT_EQ(Open(second, same, path, 0, &timings).code(), 0);
  EXPECT_TRUE(timings.from_cache);
  EXPECT_EQ(picture_of(second), picture_of(first));
  EXPECT_EQ(FileText(path), now);

  // Ctrl and Alt held: decoded again, and the cache rewritten in place.
  Puz forced;
  VirtualTable held(forced, 1920, 1080);
  held.set_ctrl_and_alt(true);
  ASSERT_EQ(Open(forced, held, path, 0, &timings).code(), 0);
  EXPECT_FALSE(timings.from_cache);
  EXPECT_EQ(CacheOffset(path), cache_at);

  // Another screen: decoded again, the old cache replaced, not added to.
  Puz other;
  VirtualTable smaller(other, 1280, 720);
  ASSERT_EQ(Open(other, smaller, path, 0, &timings).code(), 0);
  EXPECT_FALSE(timings.from_cache);
  EXPECT_EQ(CacheOffset(path), cache_at);
  EXPECT_EQ(FileText(path).size(), now.size());
  ASSERT_EQ(Open(other, smaller, path, 0, &timings).code(), 0);
  EXPECT_TRUE(timings.from_cache);
  // Only the directory's cache offset (13 bytes into it) ever changed.
  Thumb thumb;
  ASSERT_EQ(thumb.Open(path.c_str(), false).code(), 0);
  std::string head = FileText(path).substr(0, written.size());
  for (int byte = 0; byte < 4; ++byte)
    head[thumb.directory_at + 13 + byte] = written[thumb.directory_at + 13 + byte];
  EXPECT_EQ(head, written);
}

TEST_F(OpenPuzzle, ReadOnlyFilesAndAClosedCacheOptionAreLeftAlone) {
  const fs::path path = Make("locked.puz", 900, 600, 8);
  const std::string written = FileText(path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Puz puz;
  VirtualTable table(puz, 1920, 1080);
  ASSERT_EQ(Open(puz, table, path).code(), 0);
  EXPECT_FALSE(puz.cut.pieces.empty());
  EXPECT_EQ(FileText(path), written);

  const fs::path open = Make("open.puz", 900, 600, 8);
  cache_allowed_ = false;
  ASSERT_EQ(Open(puz, table, open).code(), 0);
  EXPECT_EQ(FileText(open), FileText(path));
}

TEST_F(OpenPuzzle, ASeededPuzzleCutsTheSameEveryTime) {
  const auto cut_of = [&](const fs::path& path, std::uint32_t& seed) {
    Puz puz;
    VirtualTable table(puz, 1920, 1080);
    EXPECT_EQ(Open(puz, table, path, 1).code(), 0);
    seed = puz.game_seed;
    std::vector<std::int16_t> shape;
    for (const SPuz& piece : puz.cut.pieces) {
      shape.insert(shape.end(), {piece.bound.width, piece.bound.height, piece.rotation});
    }
    return shape;
  };
  std::uint32_t first_seed = 0, second_seed = 0;
  const fs::path seeded = Make("seeded.puz", 800, 600, 4242);
  EXPECT_EQ(cut_of(seeded, first_seed), cut_of(seeded, second_seed));
  EXPECT_EQ(first_seed, 4242u);

  const fs::path unseeded = Make("unseeded.puz", 800, 600, 0);
  const auto first = cut_of(unseeded, first_seed);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
  const auto second = cut_of(unseeded, second_seed);
  EXPECT_NE(first_seed, second_seed);
  EXPECT_NE(first, second);

  // Turning off and mosaic from the new-game choices.
  Puz puz;
  VirtualTable table(puz, 1920, 1080);
  ASSERT_EQ(Open(puz, table, seeded, 0, nullptr, kOpenNoTurning | kOpenMosaic).code(), 0);
  EXPECT_TRUE(puz.HasOption(kOptionNoRotable));
  EXPECT_TRUE(puz.HasOption(kOptionNoDeform));
  for (const SPuz& piece : puz.cut.pieces)
    EXPECT_EQ(piece.rotation, 0);

  // Not a puzzle: 20 with the name.
  EXPECT_EQ(Open(puz, table, directory_ / "notes.txt").code(), kStatusNotReadable);
}

// What a damaged directory may say of the cache: that it lies in the
// header, in the thumbnail, inside the JPEG stream, too near the end for its
// own header, or past the end. None of these is read, cut off or replaced:
// the puzzle opens from its picture and every byte stays as it was.
TEST_F(OpenPuzzle, ADamagedCacheOffsetLeavesTheFileUntouched) {
  const fs::path path = Make("damaged.puz", 900, 600, 5);
  Thumb thumb;
  ASSERT_EQ(thumb.Open(path.c_str(), false).code(), 0);
  const std::uint32_t size = static_cast<std::uint32_t>(fs::file_size(path));
  for (const std::uint32_t cache_at :
       {std::uint32_t{10}, thumb.picture_at + 500, thumb.picture_at + thumb.picture_size / 2,
        size - 2, size + 100, std::uint32_t{0x7FFFFFF0}}) {
    SCOPED_TRACE(cache_at);
    std::string bytes = FileText(path);
    for (int byte = 0; byte < 4; ++byte)
      bytes[thumb.directory_at + 13 + byte] = static_cast<char>(cache_at >> (8 * byte));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    Puz puz;
    VirtualTable table(puz, 1920, 1080);
    ASSERT_EQ(Open(puz, table, path).code(), 0);
    EXPECT_EQ(puz.cut.pieces.size(), 12u);
    EXPECT_EQ(FileText(path), bytes);
  }
}

// A valid cache made for another screen stays when the cache option is
// off; an opening that fails writes no cache even with the option on.
TEST_F(OpenPuzzle, OnlyAnOpeningThatSucceedsWithTheOptionOnWritesACache) {
  const fs::path path = Make("other-screen.puz", 1000, 700, 6);
  Puz puz;
  VirtualTable large(puz, 1920, 1080);
  ASSERT_EQ(Open(puz, large, path).code(), 0);
  const std::string cached = FileText(path);
  cache_allowed_ = false;
  VirtualTable smaller(puz, 1280, 720);
  ASSERT_EQ(Open(puz, smaller, path).code(), 0);
  EXPECT_EQ(FileText(path), cached);

  cache_allowed_ = true;
  const fs::path fixed = Make("fixed-size.puz", 1000, 700, 6, kOptionNoReduceImg);
  const std::string written = FileText(fixed);
  VirtualTable tiny(puz, 640, 480);
  EXPECT_EQ(Open(puz, tiny, fixed).code(), kStatusPictureTooLarge);
  EXPECT_EQ(FileText(fixed), written);
  // Decoded, reduced and then refused at the cut: still nothing written.
  tiny.set_custom_size(100, 100);
  EXPECT_EQ(Open(puz, tiny, path, 3).code(), kStatusLevelUnplayable);
  EXPECT_EQ(FileText(path), cached);
}

// Levels whose pieces cannot exist are refused with their size, quickly
// and with nothing left behind: no rows, more pieces than piece ids can
// number, pieces under the smallest side the knobs fit in.
TEST_F(OpenPuzzle, LevelsWithoutRoomForTheirPiecesAreRefused) {
  struct Case {
    const char* name;
    int width, height;
    std::int16_t rows, columns;
    int table_width, table_height;
    const char* text;
  };
  for (const Case& c : {Case{"none.puz", 800, 600, 3, 5, 1920, 1080, "0x5"},
                        Case{"ids.puz", 2000, 2000, 182, 181, 1920, 1080, "182x181"},
                        Case{"thin.puz", 2000, 2000, 32767, 3, 1920, 1080, "32767x3"},
                        Case{"panorama.puz", 3000, 48, 4, 5, 640, 480, "4x5"}}) {
    SCOPED_TRACE(c.name);
    const fs::path path = Make(c.name, c.width, c.height, 9, 0, {c.rows, 2}, {c.columns, 2});
    // A level of no rows, which the writer would never write.
    std::string written = FileText(path);
    if (c.text == std::string("0x5")) written.replace(written.find("Med0:3#"), 7, "Med0:0#");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << written;
    Puz puz;
    VirtualTable table(puz, c.table_width, c.table_height);
    Status status = Open(puz, table, path);
    EXPECT_EQ(status.code(), kStatusLevelUnplayable);
    EXPECT_EQ(status.text(), c.text);
    EXPECT_TRUE(puz.cut.pieces.empty());
    EXPECT_EQ(FileText(path), written);
  }
}

// Files made by hand: a picture claiming 2^30 x 2^30 pixels in 70 bytes,
// and a JPEG one pixel wide cut into 2 x 2.
TEST_F(OpenPuzzle, DamagedPicturesGiveAStatus) {
  const fs::path data = fs::path(CBST_TEST_DATA) / "fuzz/fuzz_open_puzzle";
  Puz puz;
  VirtualTable table(puz, 640, 480);
  EXPECT_EQ(Open(puz, table, data / "picture_huge_dimensions.puz").code(), kStatusNotReadable);
  EXPECT_EQ(Open(puz, table, data / "one_pixel_wide.puz").code(), kStatusLevelUnplayable);
  EXPECT_TRUE(puz.cut.pieces.empty());
}

// A failed opening leaves the game on the table as it was, whether it fails
// on the header, the picture or the cut; the board still plays it.
TEST_F(OpenPuzzle, AFailedOpeningLeavesTheGameOnTheTable) {
  const fs::path good = Make("harbour.puz", 800, 600, 77);
  const fs::path data = fs::path(CBST_TEST_DATA) / "fuzz/fuzz_open_puzzle";
  const fs::path not_a_puzzle = directory_ / "not_a_puzzle.puz";
  std::ofstream(not_a_puzzle, std::ios::binary) << "no puzzle in here";
  Puz puz;
  VirtualTable table(puz, 640, 480);
  ASSERT_EQ(Open(puz, table, good).code(), 0);
  ASSERT_TRUE(puz.sheets.image);
  std::vector<Rect16> places;
  for (const SPuz& piece : puz.cut.pieces)
    places.push_back(piece.window);
  const BmpMem* sheets = puz.sheets.image.get();
  const BmpMem* picture = puz.picture.get();
  const std::uint32_t background = table.background();

  for (const fs::path& damaged :
       {not_a_puzzle, data / "picture_huge_dimensions.puz", data / "one_pixel_wide.puz"}) {
    SCOPED_TRACE(damaged.filename().string());
    EXPECT_NE(Open(puz, table, damaged).code(), 0);
    EXPECT_STREQ(puz.title.c_str(), "Harbour");
    EXPECT_STREQ(puz.file_path.c_str(), good.c_str());
    EXPECT_EQ(puz.sheets.image.get(), sheets);
    EXPECT_EQ(puz.picture.get(), picture);
    EXPECT_EQ(puz.boxes.size(), 6u);
    EXPECT_EQ(puz.state & (kStateBuilding | kStateBuildingBusy), 0u);
    EXPECT_EQ(table.background(), background);
    ASSERT_EQ(puz.cut.pieces.size(), places.size());
    for (std::size_t index = 0; index < places.size(); ++index)
      EXPECT_EQ(puz.cut.pieces[index].window, places[index]) << index;
  }
  EXPECT_EQ(OpeningsInProgress(), 0);
  // The board still moves the first game's pieces.
  EXPECT_TRUE(table.board().MovePiece(0, 0, 3, 4));
  EXPECT_EQ(puz.cut.pieces[0].window.x, 3);
}

}  // namespace
}  // namespace cbst
