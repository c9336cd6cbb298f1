// jpeg_extent_test.cpp: the end of a JPEG stream found inside a larger file.
#include "image/jpeg_extent.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/jpeg.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

class JpegExtent : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("cbst-extent-" + std::to_string(::getpid()) + ".bin");
    Dib picture(64, 48, 24);
    for (std::size_t index = 0; index < picture.pixel_block().size(); ++index)
      picture.pixel_block()[index] = static_cast<std::uint8_t>(index * 7919 >> 3);
    File file(path_.c_str());
    ASSERT_EQ(SaveJpegFile(picture, nullptr, 0, 90, nullptr, file, 0).code(), 0);
    std::ifstream in(path_, std::ios::binary);
    jpeg_.assign(std::istreambuf_iterator<char>(in), {});
  }
  void TearDown() override { fs::remove(path_); }

  std::optional<std::int64_t> EndIn(const std::string& bytes, std::int64_t start) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    File file(path_.c_str());
    EXPECT_EQ(file.Open(kOpenRead).code(), 0);
    return JpegStreamEnd(file, start);
  }

  fs::path path_;
  std::string jpeg_;
};

TEST_F(JpegExtent, TheStreamEndsAtItsEndMarkerWhereverItLies) {
  const auto size = static_cast<std::int64_t>(jpeg_.size());
  // Inside a file, after a prefix and before bytes that look like markers.
  const std::string prefix(942, '\xFF');
  const std::string after = std::string("\xFF\xD9\xFF\xD8 cache", 10);
  EXPECT_EQ(EndIn(jpeg_, 0), size);
  EXPECT_EQ(EndIn(prefix + jpeg_ + after, 942), 942 + size);

  // An end marker inside a segment (a thumbnail in the metadata) is skipped
  // with its segment.
  const std::string segment = std::string("\xFF\xE1\x00\x06\xFF\xD9\xFF\xD9", 8);
  const std::string with_metadata = jpeg_.substr(0, 2) + segment + jpeg_.substr(2);
  EXPECT_EQ(EndIn(with_metadata, 0), size + 8);
}

TEST_F(JpegExtent, NoEndWithoutAWholeStream) {
  EXPECT_FALSE(EndIn(jpeg_.substr(0, jpeg_.size() - 2), 0));
  EXPECT_FALSE(EndIn(jpeg_.substr(0, 600), 0));
  EXPECT_FALSE(EndIn("GIF89a" + jpeg_, 0));
  // A segment claiming more bytes than the file holds.
  EXPECT_FALSE(EndIn(jpeg_.substr(0, 2) + std::string("\xFF\xE1\xFF\xFF", 4), 0));
  EXPECT_FALSE(EndIn(jpeg_, static_cast<std::int64_t>(jpeg_.size()) + 10));
}

}  // namespace
}  // namespace cbst
