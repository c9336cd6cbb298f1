// thumb_test.cpp: puzzle-file headers written, read back, and refused.
#include "puzzle/thumb.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/file_system.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"
#include "puzzle/puz.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// Header bytes built by hand, for files this program would never write.
struct HeaderBytes {
  std::string bytes;
  void U16(int value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
  }
  void Text(std::string_view text) {
    U16(static_cast<int>(text.size()));
    bytes += text;
  }
};

class ThumbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("cbst-thumb-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  std::string Path(const char* name) const { return (directory_ / name).string(); }
  void Make(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  // A header as the writer leaves it, with a picture block of `picture`.
  std::string WritePuzzle(const char* name, const Puz& puz, const std::string& picture) {
    Thumb thumb;
    thumb.file.SetPath(Path(name).c_str());
    EXPECT_EQ(thumb.WriteHeader(puz).code(), 0);
    thumb.picture_at = static_cast<std::uint32_t>(thumb.file.Tell());
    EXPECT_EQ(thumb.file.Write(static_cast<std::int32_t>(picture.size()), picture.data()).code(),
              0);
    thumb.picture_size = static_cast<std::uint32_t>(picture.size());
    thumb.picture_kind = kPictureJpeg;
    EXPECT_EQ(thumb.WriteDirectory().code(), 0);
    EXPECT_EQ(thumb.file.Close().code(), 0);
    return Path(name);
  }

  static Puz Sample() {
    Puz puz;
    puz.title = "Two dogs";
    puz.level_rows = {3, 6, 0, 12, 0, 0};
    puz.level_columns = {4, 8, 0, 16, 0, 0};
    puz.puzzle_seed = 99;
    puz.option_flags = kOptionNoPreview;
    puz.size_flags = kSizeNoCustom;
    return puz;
  }

  fs::path directory_;
  testing::RecordingSink sink_;
};

TEST_F(ThumbTest, AWrittenHeaderReadsBack) {
  const std::string path = WritePuzzle("dogs.PUZ", Sample(), "JPEGDATA");
  Thumb thumb;
  ASSERT_EQ(thumb.Open(path.c_str(), true).code(), 0);
  EXPECT_EQ(thumb.format_version, kPuzzleFormat);
  EXPECT_EQ(thumb.required_version, kWrittenRequiredVersion);
  EXPECT_EQ(thumb.title, "Two dogs");
  EXPECT_EQ(thumb.level_count, 2);
  EXPECT_EQ(thumb.level_rows, (std::array<std::int16_t, 5>{3, 6, 0, 12, 0}));
  EXPECT_EQ(thumb.level_columns, (std::array<std::int16_t, 5>{4, 8, 0, 16, 0}));
  EXPECT_EQ(thumb.flags, kThumbHeaderRead | kThumbNoPreview | kThumbNoCustomSize);
  EXPECT_EQ(thumb.thumbnail_at, 0u);
  EXPECT_EQ(thumb.picture_at, thumb.directory_at + kDirectoryBytes);
  EXPECT_EQ(thumb.picture_size, 8u);
  EXPECT_EQ(thumb.picture_kind, kPictureJpeg);
  EXPECT_FALSE(thumb.file.IsOpen());
  EXPECT_EQ(static_cast<std::uint64_t>(thumb.picture_at + 8), fs::file_size(path));
}

TEST_F(ThumbTest, TheTitleKeyWinsButTheHeaderCutsItAtADash) {
  Puz puz = Sample();
  puz.title = "Mont-Blanc";
  const std::string path = WritePuzzle("mont.puz", puz, "");
  Thumb thumb;
  ASSERT_EQ(thumb.Open(path.c_str(), false).code(), 0);
  EXPECT_EQ(thumb.title, "Mont");
}

TEST_F(ThumbTest, ANewerProgramIsNamedByVersionAndTheTitleStaysKnown) {
  EXPECT_EQ(Thumb::VersionText(230), "2.3");
  EXPECT_EQ(Thumb::VersionText(205), "2.05");
  EXPECT_EQ(Thumb::VersionText(202), "2.02");
  EXPECT_EQ(Thumb::VersionText(200), "2.0");

  HeaderBytes header;
  header.U16(200);
  header.U16(202);
  header.Text("Future");
  header.U16(4);
  header.bytes += '\0';
  Make("future.puz", header.bytes);
  Thumb thumb;
  Status status = thumb.Open(Path("future.puz").c_str(), false);
  EXPECT_EQ(status.code(), kStatusNeedsNewerProgram);
  EXPECT_EQ(status.text(), "2.02");
  EXPECT_EQ(thumb.title, "Future");
  EXPECT_EQ(thumb.level_count, 1);
  EXPECT_TRUE(thumb.flags & kThumbNeedsNewerProgram);
  EXPECT_FALSE(thumb.file.IsOpen());
}

// A file cut short that also claims a newer version is simply no puzzle:
// one status, and nothing reported behind the caller's back.
TEST_F(ThumbTest, ATruncatedFileFromTheFutureGivesOneStatus) {
  HeaderBytes header;
  header.U16(200);
  header.U16(230);
  header.Text("Cut");
  Make("cut.puz", header.bytes);
  Thumb thumb;
  EXPECT_EQ(thumb.Open(Path("cut.puz").c_str(), false).code(), kStatusNotReadable);
  EXPECT_TRUE(sink_.reports.empty());

  // A thumbnail whose height is INT_MIN is refused, not negated.
  const std::string damaged =
      std::string(CBST_TEST_DATA) + "/fuzz/fuzz_puzzle_header/thumbnail_height_int_min.puz";
  Thumb with_thumbnail;
  EXPECT_EQ(with_thumbnail.Open(damaged.c_str(), true).code(), kStatusNotReadable);
  EXPECT_FALSE(with_thumbnail.file.IsOpen());
}

TEST_F(ThumbTest, OldFormatsHaveNoTitle) {
  HeaderBytes header;
  header.U16(198);
  header.U16(120);
  header.U16(1);
  header.bytes += '\0';
  header.bytes += "PUZZ";
  header.Text("/Med0:2#2");
  header.bytes += std::string(2 * kReservedBytes + kDirectoryBytes, '\0');
  Make("old.puz", header.bytes);
  Thumb thumb;
  ASSERT_EQ(thumb.Open(Path("old.puz").c_str(), false).code(), 0);
  EXPECT_TRUE(thumb.title.empty());
  EXPECT_EQ(thumb.level_count, 1);
  EXPECT_EQ(thumb.level_rows[0], 2);
}

TEST_F(ThumbTest, BadFilesGiveAClearStatusAndNeverStayOpen) {
  const int open_before = File::OpenCount();
  Thumb wrong_extension;
  Status status = wrong_extension.Open(Path("picture.jpg").c_str(), false);
  EXPECT_EQ(status.code(), kStatusNotReadable);
  EXPECT_EQ(status.text(), Path("picture.jpg"));

  Thumb missing;
  status = missing.Open(Path("missing.puz").c_str(), false);
  EXPECT_EQ(status.code(), kStatusOpenFailed);
  EXPECT_EQ(status.text(), "(" + Path("missing.puz") + ")");

  HeaderBytes huge;
  huge.U16(200);
  huge.U16(200);
  huge.U16(65535);  // a title longer than the file
  huge.bytes += "short";
  Make("huge.puz", huge.bytes);
  Thumb thumb;
  EXPECT_EQ(thumb.Open(Path("huge.puz").c_str(), false).code(), kStatusNotReadable);

  std::string good;
  {
    const std::string path = WritePuzzle("good.puz", Sample(), "");
    std::ifstream in(path, std::ios::binary);
    good.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::string wrong_magic = good;
  wrong_magic.replace(wrong_magic.find("PUZZ"), 4, "PUZX");
  Make("magic.puz", wrong_magic);
  EXPECT_EQ(Thumb().Open(Path("magic.puz").c_str(), false).code(), kStatusNotReadable);

  for (std::size_t length = 0; length < good.size(); ++length) {
    Make("cut.puz", good.substr(0, length));
    Thumb cut;
    EXPECT_EQ(cut.Open(Path("cut.puz").c_str(), false).code(), kStatusNotReadable)
        << "cut after " << length << " bytes";
  }
  EXPECT_EQ(File::OpenCount(), open_before);
  EXPECT_TRUE(sink_.reports.empty());
}

}  // namespace
}  // namespace cbst
