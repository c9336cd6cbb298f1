// puzzle_writer_test.cpp: complete puzzle files written and read back.
#include "puzzle/puzzle_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/binary_io.h"
#include "base/status_codes.h"
#include "gfx/palette.h"
#include "image/jpeg.h"
#include "puzzle/thumb.h"
#include "support/file_size_limit.h"
#include "support/file_text.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::FileText;

Dib Picture(int width, int height) {
  Dib dib(width, height, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = dib.row(y) + 3 * x;
      pixel[0] = static_cast<std::uint8_t>(x * 255 / width);
      pixel[1] = static_cast<std::uint8_t>(y * 255 / height);
      pixel[2] = static_cast<std::uint8_t>(128 + 100 * std::sin(x * 0.05 + y * 0.03));
    }
  }
  return dib;
}

class Recorder final : public ProgressSink {
 public:
  void Progress(double percent) override { seen.push_back(percent); }
  std::vector<double> seen;
};

class PuzzleWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-writer-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    puz_.title = "Sunset";
    puz_.level_rows = {3, 6};
    puz_.level_columns = {4, 8};
    puz_.option_flags = kOptionImgFull | kOptionNoReduceImg;
    puz_.state = kStateOwnLevels;
  }
  void TearDown() override { fs::remove_all(directory_); }
  std::string Path(const char* name) const { return (directory_ / name).string(); }

  fs::path directory_;
  Puz puz_;
};

TEST_F(PuzzleWriter, EncodedPictureWithThumbnailReadsBack) {
  const Dib picture = Picture(320, 200);
  const Dib thumbnail = Picture(80, 50);
  Recorder progress;
  const std::string path = Path("sunset.puz");
  ASSERT_TRUE(WritePuzzleFile(puz_, path.c_str(), &thumbnail, {&picture, nullptr}, &progress).ok());
  EXPECT_TRUE(std::is_sorted(progress.seen.begin(), progress.seen.end()));
  ASSERT_FALSE(progress.seen.empty());
  EXPECT_LE(progress.seen.back(), 100.0);

  Thumb thumb;
  ASSERT_TRUE(thumb.Open(path.c_str(), true).ok());
  EXPECT_EQ(thumb.title.view(), "Sunset");
  EXPECT_EQ(thumb.level_count, 2);
  EXPECT_EQ(thumb.picture_kind, kPicturePaletteAndJpeg);
  EXPECT_EQ(thumb.thumbnail_at, thumb.directory_at + kDirectoryBytes);
  EXPECT_EQ(thumb.cache_at, 0u);
  EXPECT_EQ(thumb.alternative_at, 0u);

  // The thumbnail is on the standard palette.
  EXPECT_EQ(thumb.thumbnail.width(), 80);
  EXPECT_EQ(thumb.thumbnail.height(), 50);
  EXPECT_EQ(thumb.thumbnail.bit_count(), 8);
  const Palette cube = Palette::ColourCube();
  ASSERT_EQ(thumb.thumbnail.colours().size(), static_cast<std::size_t>(cube.count()));
  for (int index = 0; index < cube.count(); ++index) {
    EXPECT_EQ(thumb.thumbnail.colours()[index].red, cube.entries()[index].red);
    EXPECT_EQ(thumb.thumbnail.colours()[index].blue, cube.entries()[index].blue);
  }

  // The palette block, then the JPEG stream that fills the picture size.
  File file(path.c_str());
  ASSERT_TRUE(file.Open(kOpenRead).ok());
  file.Seek(thumb.picture_at);
  const std::uint16_t count = BinaryReader(file).U16();
  EXPECT_GT(count, 16);
  EXPECT_LE(count, kPaletteBlockEntries);
  EXPECT_EQ(thumb.picture_at + thumb.picture_size, file.Size());
  Dib decoded;
  int colours = 0;
  ASSERT_TRUE(
      LoadJpegFile(decoded, nullptr, 0, colours, thumb.picture_at + kPaletteBlockBytes, file).ok());
  EXPECT_EQ(decoded.width(), 320);
  EXPECT_EQ(decoded.height(), 200);
  file.Close().MarkHandled();
}

TEST_F(PuzzleWriter, UsersJpegIsCopiedUnchanged) {
  const Dib picture = Picture(160, 120);
  const std::string jpeg_path = Path("photo.jpg");
  File jpeg(jpeg_path.c_str());
  ASSERT_TRUE(SaveJpegFile(picture, nullptr, 0, 90, nullptr, jpeg, 0).ok());
  const std::int64_t length = fs::file_size(jpeg_path);

  const std::string path = Path("photo.puz");
  ASSERT_TRUE(
      WritePuzzleFile(puz_, path.c_str(), nullptr, {nullptr, jpeg_path.c_str()}, nullptr).ok());
  Thumb thumb;
  ASSERT_TRUE(thumb.Open(path.c_str(), true).ok());
  EXPECT_EQ(thumb.thumbnail_at, 0u);
  EXPECT_EQ(thumb.picture_size, length);

  File file(path.c_str());
  ASSERT_TRUE(file.Open(kOpenRead).ok());
  std::vector<char> stored(static_cast<std::size_t>(length)), original(stored.size());
  file.Seek(thumb.picture_at + kPaletteBlockBytes);
  EXPECT_EQ(file.Read(static_cast<std::int32_t>(length), stored.data()), length);
  EXPECT_EQ(file.Size(), thumb.picture_at + kPaletteBlockBytes + length);
  file.Close().MarkHandled();
  ASSERT_TRUE(jpeg.Open(kOpenRead).ok());
  jpeg.Read(static_cast<std::int32_t>(length), original.data());
  jpeg.Close().MarkHandled();
  EXPECT_EQ(stored, original);
}

TEST_F(PuzzleWriter, FailuresComeBackAsStatus) {
  const Dib picture = Picture(40, 30);
  const int open_files = File::OpenCount();
  EXPECT_EQ(
      WritePuzzleFile(puz_, "/nonexistent/dir/a.puz", nullptr, {&picture, nullptr}, nullptr).code(),
      kStatusOpenFailed);
  const std::string garbage = Path("garbage.jpg");
  File(garbage.c_str()).Write(5, "hello").MarkHandled();
  EXPECT_EQ(
      WritePuzzleFile(puz_, Path("g.puz").c_str(), nullptr, {nullptr, garbage.c_str()}, nullptr)
          .code(),
      kStatusJpegDecodingFailed);
  EXPECT_EQ(File::OpenCount(), open_files);
}

// A write that stops at any byte (the file may grow no further, as on a
// full disk) fails, and leaves the puzzle that was there before exactly as
// it was, with no temporary file beside it.
TEST_F(PuzzleWriter, AnInterruptedWriteLeavesTheOldPuzzle) {
  const Dib old_picture = Picture(24, 18);
  const std::string path = Path("kept.puz");
  ASSERT_EQ(WritePuzzleFile(puz_, path.c_str(), nullptr, {&old_picture, nullptr}, nullptr).code(),
            0);
  const std::string old_bytes = FileText(path);
  const Dib picture = Picture(16, 12);
  puz_.title = "Replacement";

  bool written = false;
  for (rlim_t limit = 0; !written; ++limit) {
    Status status;
    {
      const testing::FileSizeLimit capped(limit);
      status = WritePuzzleFile(puz_, path.c_str(), nullptr, {&picture, nullptr}, nullptr);
    }
    written = status.code() == 0;
    if (!written) {
      ASSERT_EQ(FileText(path), old_bytes) << "stopped at byte " << limit;
    }
    ASSERT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1);
  }
  Thumb thumb;
  ASSERT_EQ(thumb.Open(path.c_str(), false).code(), 0);
  EXPECT_EQ(thumb.title, "Replacement");
}

// The user's JPEG is read while the puzzle is written: it may not be the
// puzzle's own name.
TEST_F(PuzzleWriter, APuzzleNeverReplacesItsOwnPicture) {
  const std::string photo = Path("photo.puz");
  const Dib picture = Picture(40, 30);
  File jpeg(photo.c_str());
  ASSERT_EQ(SaveJpegFile(picture, nullptr, 0, 90, nullptr, jpeg, 0).code(), 0);
  const std::string before = FileText(photo);
  EXPECT_EQ(WritePuzzleFile(puz_, photo.c_str(), nullptr, {nullptr, photo.c_str()}, nullptr).code(),
            kStatusCopyOntoItself);
  EXPECT_EQ(FileText(photo), before);
}

}  // namespace
}  // namespace cbst
