// bmp_file_test.cpp: BMP images written and read back in every depth, at
// offsets, and refused when they are not what they claim.
#include "image/bmp_file.h"

#include <gtest/gtest.h>

#include <random>

#include "base/binary_io.h"
#include "base/file_temp.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

Dib RandomDib(int width, int height, int bits, std::uint32_t seed) {
  Dib dib(width, height, bits);
  std::mt19937 random(seed);
  for (auto& byte : dib.pixel_block())
    byte = static_cast<std::uint8_t>(random());
  for (auto& colour : dib.colours())
    colour = {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random()), 0};
  return dib;
}

// The bytes a pixel row really holds, without the padding to 32 bits.
std::vector<std::uint8_t> Pixels(const Dib& dib) {
  std::vector<std::uint8_t> bytes;
  const int used = (dib.width() * dib.bit_count() + 7) / 8;
  for (int y = 0; y < dib.height(); ++y) {
    const std::uint8_t* row = dib.row(y);
    if (dib.bit_count() < 8 && dib.width() * dib.bit_count() % 8) {
      bytes.insert(bytes.end(), row, row + used - 1);
      const int kept = dib.width() * dib.bit_count() % 8;
      bytes.push_back(row[used - 1] & static_cast<std::uint8_t>(0xFF00 >> kept));
    } else {
      bytes.insert(bytes.end(), row, row + used);
    }
  }
  return bytes;
}

class CountingProgress final : public ProgressSink {
 public:
  void Progress(double percent) override { reports.push_back(percent); }
  std::vector<double> reports;
};

TEST(BmpFile, EveryDepthComesBackUnchanged) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (bool bit_fields : {false, true}) {
      if (bit_fields && bits != 16 && bits != 32) continue;
      SCOPED_TRACE(::testing::Message() << bits << " bits, bit fields " << bit_fields);
      Dib written = RandomDib(13, 7, bits, static_cast<std::uint32_t>(bits));
      if (bit_fields) {
        written.header().compression = kCompressionBitFields;
        written.masks() = bits == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                     : std::array<std::uint32_t, 3>{0xFF, 0xFF00, 0xFF0000};
      }
      FileTemp file;
      ASSERT_TRUE(WriteBmp(written, 0, file).ok());
      EXPECT_EQ(file.Tell(), file.Size());  // left at the end

      Dib read;
      CountingProgress progress;
      ASSERT_TRUE(ReadBmp(read, &progress, false, 0, file).ok());
      EXPECT_EQ(read.width(), 13);
      EXPECT_EQ(read.height(), 7);
      EXPECT_EQ(read.bit_count(), bits);
      EXPECT_EQ(Pixels(read), Pixels(written));
      EXPECT_FALSE(progress.reports.empty());
      if (bits <= 8) {
        ASSERT_EQ(read.colours().size(), written.colours().size());
        for (std::size_t i = 0; i < read.colours().size(); ++i) {
          EXPECT_EQ(read.colours()[i].red, written.colours()[i].red);
          EXPECT_EQ(read.colours()[i].blue, written.colours()[i].blue);
        }
        EXPECT_NE(read.palette(), nullptr);
      } else if (bit_fields) {
        EXPECT_EQ(read.masks(), written.masks());
      } else if (bits == 16) {
        EXPECT_EQ(read.masks()[0], 0x7C00u);  // plain 16 bits are 5-5-5
      }
    }
  }
}

TEST(BmpFile, ImagesInsideOtherFilesAndLargePicturesInPieces) {
  FileTemp file;
  BinaryWriter(file).Zeros(100);
  Dib written = RandomDib(200, 100, 24, 5);  // 60000 bytes of pixels: two pieces
  ASSERT_TRUE(WriteBmp(written, 100, file).ok());
  const std::int64_t end = file.Tell();

  Dib read;
  CountingProgress progress;
  ASSERT_TRUE(ReadBmp(read, &progress, false, 100, file).ok());
  EXPECT_EQ(Pixels(read), Pixels(written));
  EXPECT_EQ(progress.reports.size(), 2u);
  EXPECT_DOUBLE_EQ(progress.reports.back(), 100.0);

  file.Seek(100 + 2);
  EXPECT_EQ(BinaryReader(file).U32(), static_cast<std::uint32_t>(end - 100));

  Dib header_only;
  ASSERT_TRUE(ReadBmp(header_only, nullptr, true, 100, file).ok());
  EXPECT_EQ(header_only.width(), 200);
  EXPECT_TRUE(header_only.pixel_block().empty());
}

TEST(BmpFile, ZeroImageSizeIsReadFromTheRemainingLength) {
  Dib written = RandomDib(10, 4, 8, 11);
  written.header().image_size = 0;
  FileTemp file;
  ASSERT_TRUE(WriteBmp(written, 0, file).ok());
  // The writer fills the size in; clear it again in the file.
  file.Seek(kBmpFileHeaderSize + 20);
  BinaryWriter(file).U32(0);
  Dib read;
  ASSERT_TRUE(ReadBmp(read, nullptr, false, 0, file).ok());
  EXPECT_EQ(Pixels(read), Pixels(written));
}

TEST(BmpFile, BadFilesAreRefusedWithTheirName) {
  testing::RecordingSink sink;
  const int open_files = File::OpenCount();
  Dib good = RandomDib(8, 8, 8, 3);
  FileTemp scratch;
  ASSERT_TRUE(WriteBmp(good, 0, scratch).ok());
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(scratch.Size()));
  scratch.Seek(0);
  scratch.Read(static_cast<std::int32_t>(bytes.size()), bytes.data());
  scratch.Close().MarkHandled();

  const auto refused = [&](std::vector<std::uint8_t> content) {
    File file("/tmp/cbst-bad-picture.bmp");
    EXPECT_TRUE(file.Open(kOpenWrite | kOpenCreate).ok());
    EXPECT_TRUE(file.Write(static_cast<std::int32_t>(content.size()), content.data()).ok());
    file.Close().MarkHandled();
    Dib dib;
    Status status = ReadBmp(dib, nullptr, false, 0, file);
    EXPECT_FALSE(file.IsOpen());  // opened and closed again
    EXPECT_TRUE(dib.pixel_block().empty());
    return status.code() == kStatusNotReadable && status.text() == "cbst-bad-picture.bmp";
  };
  auto wrong_magic = bytes;
  wrong_magic[0] = 'P';
  EXPECT_TRUE(refused(wrong_magic));
  auto too_many_colours = bytes;
  too_many_colours[kBmpFileHeaderSize + 32] = 0x10;  // 0x10000... colours: past the file
  too_many_colours[kBmpFileHeaderSize + 34] = 0x01;
  EXPECT_TRUE(refused(too_many_colours));
  auto run_length = bytes;
  run_length[kBmpFileHeaderSize + 16] = 1;
  EXPECT_TRUE(refused(run_length));
  for (std::size_t length : {std::size_t{3}, std::size_t{30}, bytes.size() - 1}) {
    EXPECT_TRUE(refused(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + length)));
  }
  std::remove("/tmp/cbst-bad-picture.bmp");
  EXPECT_EQ(File::OpenCount(), open_files);

  File missing("/nonexistent/picture.bmp");
  Dib dib;
  EXPECT_EQ(ReadBmp(dib, nullptr, false, 0, missing).code(), kStatusOpenFailed);
  EXPECT_TRUE(sink.reports.empty());
}

// Sizes are checked before anything is allocated: 70 bytes claiming
// 2^30 x 2^30 pixels, and a height of INT_MIN, are no pictures; a Dib
// with a side over 32767 or without all its pixels is not valid.
TEST(BmpFile, ClaimedSizesAreCheckedBeforeAnythingIsAllocated) {
  testing::RecordingSink sink;
  for (const char* name : {"huge_dimensions.bmp", "height_int_min.bmp"}) {
    File file((std::string(CBST_TEST_DATA) + "/fuzz/fuzz_bmp/" + name).c_str());
    Dib dib;
    EXPECT_EQ(ReadBmp(dib, nullptr, false, 0, file).code(), kStatusNotReadable) << name;
    EXPECT_FALSE(dib.valid()) << name;
    Bmp bitmap;
    EXPECT_EQ(LoadBitmapFile(file, bitmap).code(), kStatusNotReadable) << name;
    EXPECT_FALSE(bitmap.valid()) << name;
  }
  EXPECT_TRUE(Dib(kMaxPictureSide, 1, 1).valid());
  EXPECT_FALSE(Dib(kMaxPictureSide + 1, 1, 24).valid());
  EXPECT_FALSE(Dib(1, 0, 8).valid());
  EXPECT_FALSE(Dib(4, 4, 7).valid());
  Dib claims_more = RandomDib(8, 8, 24, 5);
  claims_more.header().height = 9;
  EXPECT_FALSE(claims_more.valid());
  EXPECT_TRUE(sink.reports.empty());
}

TEST(BmpFile, LoadsDeviceBitmapsOnceInstalled) {
  InstallBmpReader();
  FileTemp file;
  Dib written = RandomDib(6, 5, 24, 8);
  ASSERT_TRUE(WriteBmp(written, 0, file).ok());
  file.Seek(0);
  Bmp bitmap;
  ASSERT_TRUE(LoadBitmapFile(file, bitmap).ok());
  EXPECT_EQ(bitmap.width(), 6);
  EXPECT_EQ(bitmap.height(), 5);
}

}  // namespace
}  // namespace cbst
