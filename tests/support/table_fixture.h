// table_fixture.h: a real table window playing a puzzle file that is
// written once for a whole suite of tests.
//
// A suite derives from TableTest<Suite> and tells its puzzle with a static
// Puzzle(); each test gets a fresh application, table and game, and opens
// the puzzle with the options it needs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gfx/pixel_access.h"
#include "platform/mouse_buttons.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "support/synthetic_photo.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst::testing {

// The puzzle of a suite: its levels and what its cut and table look like.
struct SuitePuzzle {
  const char* title = "";
  std::vector<std::int16_t> rows;
  std::vector<std::int16_t> columns;
  std::uint32_t seed = 0;
  std::uint32_t background = 0;
};

// Time passes only as the table waits for its next frame; before each wait
// the test may look at the frame just drawn.
class TestClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override { return now_; }
  void Sleep(std::int64_t microseconds) override {
    ++waits;
    if (on_wait) on_wait(now_);
    now_ += microseconds;
  }

  std::function<void(std::int64_t)> on_wait;
  int waits = 0;

 private:
  std::int64_t now_ = 0;
};

template <typename Suite>
class TableTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    const SuitePuzzle wanted = Suite::Puzzle();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("cbst-") + wanted.title + "-" + std::to_string(::getpid()) + ".puz");
    Puz made;
    made.title = wanted.title;
    for (std::size_t level = 0; level < wanted.rows.size(); ++level) {
      made.level_rows[level] = wanted.rows[level];
      made.level_columns[level] = wanted.columns[level];
    }
    made.puzzle_seed = wanted.seed;
    made.background = wanted.background;
    made.state = kStateOwnLevels;
    const Dib photo = SyntheticPhoto(kPhotoWidth, kPhotoHeight);
    written_ = WritePuzzleFile(made, path_.c_str(), nullptr, {&photo, nullptr}, nullptr).ok();
  }
  static void TearDownTestSuite() { std::filesystem::remove(path_); }

 protected:
  void SetUp() override {
    ASSERT_TRUE(written_) << "the suite's puzzle file was not written";
    table_ = application_.Make<WPuz>(puz_);
    ASSERT_TRUE(table_->CreateTable("Table"));
    table_->play().clock = &clock_;
  }
  void TearDown() override { NoteMouseButton(MouseButton::kLeft, false); }
  // The table and whatever it holds (a selection marks pieces) go while
  // the game they point into is still there.
  ~TableTest() override { application_.CloseAll(); }

  // Opens the suite's puzzle on the table.
  void OpenPuzzle(OpenRequest request) {
    request.path = path_.c_str();
    ASSERT_EQ(OpenPuzzleForPlay(puz_, request, *table_, nullptr).code(), 0);
    table_->Refresh();
  }

  Board& board() { return table_->board(); }
  SPuz& piece(int index) { return board().piece(index); }
  void Mouse(int subcode, int x, int y, std::uint8_t modifiers = 0) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, modifiers});
    table_->Dispatch(event);
  }
  // The table's back buffer, byte for byte.
  std::vector<std::uint8_t> Buffer() {
    table_->back_buffer().dc().Flush();
    const PixelView pixels = table_->back_buffer().pixels();
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < pixels.height; ++y)
      bytes.insert(bytes.end(), pixels.At(0, y), pixels.At(0, y) + pixels.width * pixels.bytes);
    return bytes;
  }

  int argc_ = 1;
  char name_[16] = "play_tests";
  char* argv_[2] = {name_, nullptr};
  Application application_{argc_, argv_};
  Puz puz_;
  WPuz* table_ = nullptr;
  TestClock clock_;

 private:
  static constexpr int kPhotoWidth = 480;
  static constexpr int kPhotoHeight = 360;
  static inline std::filesystem::path path_;
  static inline bool written_ = false;
};

}  // namespace cbst::testing
