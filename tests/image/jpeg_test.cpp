// jpeg_test.cpp: JPEG pictures decoded in every colour treatment, encoded
// from every Dib depth, turned into BMP files and passed through the round
// trip; damaged files refused without leaking streams or files.
//
// The pictures are made afresh: a synthetic photograph written as BMP and
// compressed by cjpeg in its common variants. djpeg, the same library's own
// decoder, gives the pixels a faithful decode must match.
#include "image/jpeg.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <jerror.h>

#include "base/file_temp.h"
#include "base/status_codes.h"
#include "gfx/bitmap_file.h"
#include "gfx/palette.h"
#include "image/bmp_file.h"
#include "image/stream.h"
#include "platform/display.h"
#include "support/file_text.h"
#include "support/recording_sink.h"
#include "support/synthetic_photo.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::FileBytes;
using testing::WriteFileBytes;

// `length` bytes of a pattern, then `tail`.
Bytes Prefixed(std::size_t length, const Bytes& tail = {}) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i)
    bytes[i] = static_cast<std::uint8_t>(length + i * 7);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

DynArray ByteArray(const Bytes& bytes) {
  DynArray array(0, 4096, 1);
  if (!bytes.empty()) array.Append(bytes.data(), static_cast<int>(bytes.size()));
  return array;
}

// What an open file holds; the position moves.
Bytes Contents(File& file) {
  Bytes bytes(static_cast<std::size_t>(file.Size()));
  file.Seek(0);
  file.Read(static_cast<std::int32_t>(bytes.size()), bytes.data());
  return bytes;
}

void Append(File& file, const Bytes& bytes) {
  EXPECT_EQ(file.Write(static_cast<std::int32_t>(bytes.size()), bytes.data()).code(), 0);
}

std::uint32_t U32At(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Mean difference per colour component between `picture` and the area of
// `reference` with its top left at (left, top), over the first `rows` rows,
// or over blocks of `block` x `block` pixels: dithering makes single pixels
// wrong and small areas right.
double MeanError(const Dib& picture, const Dib& reference, int left = 0, int top = 0, int rows = -1,
                 int block = 1) {
  if (rows < 0) rows = picture.height();
  double total = 0;
  for (int y = 0; y + block <= rows; y += block) {
    for (int x = 0; x + block <= picture.width(); x += block) {
      for (int shift = 0; shift < 24; shift += 8) {
        int difference = 0;
        for (int j = 0; j < block * block; ++j) {
          difference +=
              (picture.PixelColour(x + j % block, y + j / block) >> shift & 0xFF) -
              (reference.PixelColour(left + x + j % block, top + y + j / block) >> shift & 0xFF);
        }
        total += std::abs(difference);
      }
    }
  }
  return total / (3.0 * (picture.width() / block * block) * (rows / block * block));
}

double BlockError(const Dib& picture, const Dib& reference, int block) {
  return MeanError(picture, reference, 0, 0, -1, block);
}

int LargestError(const Dib& picture, const Dib& reference) {
  int largest = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      for (int shift = 0; shift < 24; shift += 8) {
        const int a = picture.PixelColour(x, y) >> shift & 0xFF;
        largest = std::max(largest, std::abs(a - int(reference.PixelColour(x, y) >> shift & 0xFF)));
      }
    }
  }
  return largest;
}

int LargestIndex(const Dib& dib) {
  int largest = 0;
  for (int y = 0; y < dib.height(); ++y)
    largest = std::max<int>(largest, *std::max_element(dib.row(y), dib.row(y) + dib.width()));
  return largest;
}

// A failed decode may leave a Dib without pixels or with all of them, never
// with a pixel block too short for its header.
void ExpectNoShortPixelBlock(const Dib& dib) {
  if (dib.pixel_block().empty()) return;
  EXPECT_GE(dib.pixel_block().size(), std::size_t(dib.stride()) * dib.height());
}

// Reports reach the sink at most every 150 ms; a sink that takes longer
// over each report sees every percentage the codec passes on.
constexpr std::chrono::milliseconds kPastTheThrottle{170};

class ProgressLog final : public ProgressSink {
 public:
  explicit ProgressLog(std::chrono::milliseconds pause = {}) : pause_(pause) {}
  void Progress(double percent) override {
    reports.push_back(percent);
    std::this_thread::sleep_for(pause_);
  }

  // Within 0-100 and never backwards; with `strictly`, no value twice.
  void ExpectRising(bool strictly) const {
    for (std::size_t i = 0; i < reports.size(); ++i) {
      EXPECT_TRUE(reports[i] >= 0 && reports[i] <= 100) << reports[i];
      if (i == 0) continue;
      EXPECT_TRUE(strictly ? reports[i] > reports[i - 1] : reports[i] >= reports[i - 1])
          << "report " << i << ": " << reports[i - 1] << " then " << reports[i];
    }
  }

  std::vector<double> reports;

 private:
  std::chrono::milliseconds pause_;
};

// Simulates a display through its environment variable, restored afterwards.
class ScopedDisplay {
 public:
  explicit ScopedDisplay(const char* name) {
    if (const char* value = std::getenv(kDisplayVariable)) previous_ = value;
    setenv(kDisplayVariable, name, 1);
  }
  ~ScopedDisplay() {
    if (previous_) setenv(kDisplayVariable, previous_->c_str(), 1);
    if (!previous_) unsetenv(kDisplayVariable);
  }

 private:
  std::optional<std::string> previous_;
};

enum Variant : int { kBaseline, kProgressive, kGreyscale, kRestarts };
constexpr std::array<Variant, 4> kVariants = {kBaseline, kProgressive, kGreyscale, kRestarts};
constexpr std::array<const char*, 4> kVariantNames = {"baseline", "progressive", "greyscale",
                                                      "restarts"};
constexpr std::array<const char*, 4> kCjpegOptions = {"-quality 90", "-quality 90 -progressive",
                                                      "-grayscale", "-restart 1"};

struct TestPicture {
  Dib source;
  fs::path bmp;
  std::array<fs::path, 4> files;
  std::array<Bytes, 4> jpegs;
};

std::string Quoted(const fs::path& path) {
  return " '" + path.string() + "'";
}

// The pictures, made once per test program in a scratch folder.
class TestPictures {
 public:
  TestPictures() {
    char name[] = "/tmp/cbst-jpeg-test-XXXXXX";
    if (!mkdtemp(name)) problem = "no scratch folder";
    folder = name;
    Make(large, "large", 640, 480, 3780, 2835);  // 96 by 72 dots per inch
    Make(small, "small", 97, 61);
    Make(strip, "strip", 97, 12);
  }
  ~TestPictures() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // djpeg's decode of `jpeg` with `options`.
  Dib Djpeg(const fs::path& jpeg, const std::string& options = "") const {
    const fs::path output = folder / "djpeg.bmp";
    const std::string command =
        std::string(CBST_DJPEG) + " -bmp " + options + " -outfile" + Quoted(output) + Quoted(jpeg);
    Dib dib;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    File file(output.c_str());
    EXPECT_EQ(ReadBmp(dib, nullptr, false, 0, file).code(), 0);
    return dib;
  }

  fs::path folder;
  std::string problem;
  TestPicture large;  // with a resolution
  TestPicture small;  // odd sizes: padded rows and part-filled blocks
  TestPicture strip;  // fewer rows than there are percentages

 private:
  void Make(TestPicture& picture, const std::string& name, int width, int height,
            std::int32_t x_per_metre = 0, std::int32_t y_per_metre = 0) {
    picture.source = testing::SyntheticPhoto(width, height);
    picture.source.header().x_pixels_per_metre = x_per_metre;
    picture.source.header().y_pixels_per_metre = y_per_metre;
    picture.bmp = folder / (name + ".bmp");
    File bmp(picture.bmp.c_str());
    if (WriteBmp(picture.source, 0, bmp).code() != 0) problem += "cannot write " + name + "; ";
    for (Variant variant : kVariants) {
      picture.files[variant] = folder / (name + "-" + kVariantNames[variant] + ".jpg");
      const std::string command = std::string(CBST_CJPEG) + " " + kCjpegOptions[variant] +
                                  " -outfile" + Quoted(picture.files[variant]) +
                                  Quoted(picture.bmp);
      if (std::system(command.c_str()) != 0) problem += command + " failed; ";
      picture.jpegs[variant] = FileBytes(picture.files[variant]);
    }
  }
};

const TestPictures& Pictures() {
  static const TestPictures pictures;
  return pictures;
}

// Afterwards no stream may be left registered, no file open and nothing
// reported: the codec shows no messages of its own.
class Jpeg : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pictures_.problem.empty()) << pictures_.problem;
    open_files_ = File::OpenCount();
  }
  void TearDown() override {
    EXPECT_EQ(StreamRegistry().count(), 0);
    EXPECT_EQ(File::OpenCount(), open_files_);
    EXPECT_TRUE(reports_.texts().empty());
  }

  static Dib Decode(const Bytes& jpeg, std::uint32_t flags, int& colours) {
    DynArray bytes = ByteArray(jpeg);
    Dib dib;
    const Status status = LoadJpegBytes(dib, nullptr, flags, colours, bytes);
    EXPECT_EQ(status.code(), 0) << status.text();
    return dib;
  }
  static Dib Decode(const Bytes& jpeg) {
    int colours = 0;
    return Decode(jpeg, 0, colours);
  }
  static Bytes Encode(const Dib& dib, int quality, std::uint32_t flags = 0,
                      const PicturePart* part = nullptr) {
    DynArray bytes(0, 4096, 1);
    const Status status = SaveJpegBytes(dib, nullptr, flags, quality, part, bytes);
    EXPECT_EQ(status.code(), 0) << status.text();
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return {first, first + bytes.count()};
  }

  const TestPictures& pictures_ = Pictures();
  testing::RecordingSink reports_;
  int open_files_ = 0;
};

TEST_F(Jpeg, EveryVariantDecodesInTrueColourLikeItsSource) {
  for (const TestPicture* picture : {&pictures_.large, &pictures_.small}) {
    for (Variant variant : kVariants) {
      SCOPED_TRACE(picture->files[variant].filename().string());
      int colours = 0;
      const Dib dib = Decode(picture->jpegs[variant], 0, colours);
      EXPECT_EQ(colours, 0);
      ASSERT_EQ(dib.width(), picture->source.width());
      ASSERT_EQ(dib.height(), picture->source.height());
      ASSERT_GE(dib.pixel_block().size(), static_cast<std::size_t>(dib.stride()) * dib.height());
      if (variant == kGreyscale) {
        ASSERT_EQ(dib.bit_count(), 8);
        ASSERT_EQ(dib.colour_count(), 256);
        for (int i = 0; i < 256; ++i)
          EXPECT_EQ(dib.colours()[static_cast<std::size_t>(i)].green, i);
        EXPECT_NE(dib.palette(), nullptr);
      } else {
        ASSERT_EQ(dib.bit_count(), 24);
        EXPECT_LT(MeanError(dib, picture->source), 8.0);
      }
      // The library's own decoder, with its defaults, gives the same pixels.
      EXPECT_LE(LargestError(dib, pictures_.Djpeg(picture->files[variant])), 1);
    }
  }
  // Dots per centimetre come out as pixels per metre; without a unit, none.
  const Dib large = Decode(pictures_.large.jpegs[kBaseline]);
  EXPECT_EQ(large.header().x_pixels_per_metre, 3700);
  EXPECT_EQ(large.header().y_pixels_per_metre, 2800);
  EXPECT_EQ(Decode(pictures_.small.jpegs[kBaseline]).header().x_pixels_per_metre, 0);
}

TEST_F(Jpeg, PaletteRequestPicksAtMost235Colours) {
  for (const TestPicture* picture : {&pictures_.large, &pictures_.small}) {
    for (Variant variant : kVariants) {
      SCOPED_TRACE(picture->files[variant].filename().string());
      int colours = kColoursPalette256;
      const Dib dib = Decode(picture->jpegs[variant], 0, colours);
      ASSERT_EQ(dib.bit_count(), 8);
      ASSERT_EQ(dib.width(), picture->source.width());
      ASSERT_LT(LargestIndex(dib), static_cast<int>(dib.colours().size()));
      EXPECT_LT(LargestIndex(dib), kColoursPicked);
      EXPECT_NE(dib.palette(), nullptr);
      const Dib unquantised = pictures_.Djpeg(picture->files[variant]);
      if (variant == kGreyscale) {
        EXPECT_LT(MeanError(dib, unquantised), 5.0);
        continue;
      }
      EXPECT_TRUE(colours > 0 && colours <= kColoursPicked) << colours;
      EXPECT_EQ(dib.colours().size(), static_cast<std::size_t>(colours));
      EXPECT_EQ(dib.colour_count(), colours);
      EXPECT_LT(MeanError(dib, picture->source), 12.0);
      EXPECT_LT(BlockError(dib, unquantised, 4), 5.0);
    }
  }
}

TEST_F(Jpeg, FixedPalettesAndTheDisplaysColours) {
  // The standard palette, entry for entry.
  const Palette cube = Palette::ColourCube();
  for (Variant variant : {kBaseline, kGreyscale}) {
    SCOPED_TRACE(kVariantNames[variant]);
    int colours = 0;
    const Dib dib = Decode(pictures_.large.jpegs[variant], kLoadColourCube, colours);
    ASSERT_EQ(dib.bit_count(), 8);
    EXPECT_EQ(colours, cube.count());
    ASSERT_EQ(dib.colours().size(), static_cast<std::size_t>(cube.count()));
    for (int i = 0; i < cube.count(); ++i) {
      const ColourTableEntry& entry = dib.colours()[static_cast<std::size_t>(i)];
      EXPECT_EQ(PaletteEntry({entry.red, entry.green, entry.blue}),
                cube.entries()[static_cast<std::size_t>(i)]);
    }
    ASSERT_LT(LargestIndex(dib), cube.count());
    EXPECT_LT(BlockError(dib, pictures_.Djpeg(pictures_.large.files[variant]), 4), 5.0);
  }

  // Sixteen colours: the twenty every palette display has, in their order.
  constexpr std::array<std::uint32_t, kFixedColours> kFixed = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
      0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
      0xFFFF00, 0xFFFFFF, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
  for (const TestPicture* picture : {&pictures_.large, &pictures_.small}) {
    for (Variant variant : {kBaseline, kGreyscale}) {
      SCOPED_TRACE(picture->files[variant].filename().string());
      int colours = kColoursPalette16;
      const Dib dib = Decode(picture->jpegs[variant], 0, colours);
      EXPECT_EQ(colours, kFixedColours);
      ASSERT_EQ(dib.bit_count(), 8);
      ASSERT_EQ(dib.colours().size(), kFixed.size());
      for (std::size_t i = 0; i < kFixed.size(); ++i) {
        const ColourTableEntry& entry = dib.colours()[i];
        EXPECT_EQ(std::uint32_t(entry.red << 16 | entry.green << 8 | entry.blue), kFixed[i]) << i;
      }
      ASSERT_LT(LargestIndex(dib), kFixedColours);
      EXPECT_LT(BlockError(dib, pictures_.Djpeg(picture->files[variant]), 8), 30.0);
    }
  }

  // The display's colours, on palette displays of 16 and 256 colours and
  // on true-colour displays.
  for (const auto& [display, most] :
       {std::pair{"16", kFixedColours}, std::pair{"256", kColoursPicked}, std::pair{"24", 0},
        std::pair{"32", 0}}) {
    SCOPED_TRACE(display);
    const ScopedDisplay simulated(display);
    int colours = 0;
    const Dib dib = Decode(pictures_.small.jpegs[kBaseline], kLoadForDisplay, colours);
    ASSERT_EQ(dib.bit_count(), most ? 8 : 24);
    EXPECT_TRUE(colours >= std::min(most, 1) && colours <= most) << colours;
    EXPECT_LE(dib.colours().size(), static_cast<std::size_t>(most));
    if (most) {
      EXPECT_LT(LargestIndex(dib), static_cast<int>(dib.colours().size()));
    }
  }
}

// The photograph in each depth a Dib can have.
std::vector<std::pair<std::string, Dib>> EveryDepth(const Dib& photo, const fs::path& scratch) {
  const int width = photo.width();
  const int height = photo.height();
  Dib copy(width, height, 24);
  copy.pixel_block() = photo.pixel_block();
  Dib wide(width, height, 32);
  Dib fields(width, height, 16);
  fields.header().compression = kCompressionBitFields;
  fields.masks() = {0xF800, 0x07E0, 0x001F};
  Dib plain(width, height, 16);
  Dib indexed(width, height, 8);
  for (std::size_t index = 0; index < 256; ++index) {  // 3 bits red, 3 green, 2 blue
    indexed.colours()[index] = {std::uint8_t((index & 3) * 85), std::uint8_t((index >> 2 & 7) * 36),
                                std::uint8_t((index >> 5) * 36), 0};
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = photo.PixelColour(x, y);
      const std::uint32_t red = c & 0xFF, green = c >> 8 & 0xFF, blue = c >> 16;
      std::uint8_t* four = wide.row(y) + 4 * x;
      four[0] = std::uint8_t(blue);
      four[1] = std::uint8_t(green);
      four[2] = std::uint8_t(red);
      four[3] = 0x5A;  // unused, and must stay so
      const auto put16 = [&](Dib& dib, std::uint32_t value) {
        dib.row(y)[2 * x] = std::uint8_t(value);
        dib.row(y)[2 * x + 1] = std::uint8_t(value >> 8);
      };
      put16(fields, (red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
      put16(plain, (red >> 3) << 10 | (green >> 3) << 5 | blue >> 3);
      indexed.row(y)[x] = std::uint8_t((red * 7 + 127) / 255 << 5 | (green * 7 + 127) / 255 << 2 |
                                       (blue * 3 + 127) / 255);
    }
  }
  // Plain 16-bit pictures come from BMP files, which give them their masks.
  File file(scratch.c_str());
  EXPECT_EQ(WriteBmp(plain, 0, file).code(), 0);
  Dib plain_read;
  EXPECT_EQ(ReadBmp(plain_read, nullptr, false, 0, file).code(), 0);

  std::vector<std::pair<std::string, Dib>> dibs;
  dibs.emplace_back("24 bits", std::move(copy));
  dibs.emplace_back("32 bits", std::move(wide));
  dibs.emplace_back("16 bits 5-6-5", std::move(fields));
  dibs.emplace_back("16 bits 5-5-5", std::move(plain_read));
  dibs.emplace_back("8 bits", std::move(indexed));
  return dibs;
}

TEST_F(Jpeg, EveryDibDepthEncodesAndComesBack) {
  const fs::path encoded = pictures_.folder / "encoded.jpg";
  for (const auto& [name, dib] : EveryDepth(pictures_.small.source, pictures_.folder / "16.bmp")) {
    SCOPED_TRACE(name);
    const Bytes jpeg = Encode(dib, 90);
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_TRUE(jpeg[0] == 0xFF && jpeg[1] == 0xD8 && jpeg.back() == 0xD9);
    const Dib back = Decode(jpeg);
    ASSERT_EQ(back.width(), dib.width());
    ASSERT_EQ(back.height(), dib.height());
    ASSERT_EQ(back.bit_count(), 24);
    // The 8-bit picture is posterised: its steps are hard for any encoder.
    EXPECT_LT(MeanError(back, dib), dib.bit_count() == 8 ? 12.0 : 8.0);
    WriteFileBytes(encoded, jpeg);  // another decoder reads it the same way
    EXPECT_LE(LargestError(back, pictures_.Djpeg(encoded)), 1);
  }
  // Only the part asked for, counted from the top left.
  const Dib& photo = pictures_.small.source;
  for (const PicturePart part : {PicturePart{10, 5, 40, 30}, PicturePart{57, 31, 40, 30}}) {
    SCOPED_TRACE(::testing::Message() << "part at " << part.left << "," << part.top);
    const Dib back = Decode(Encode(photo, 95, 0, &part));
    ASSERT_EQ(back.width(), part.width);
    ASSERT_EQ(back.height(), part.height);
    const double error = MeanError(back, photo, part.left, part.top);
    EXPECT_LT(error, 8.0);
    EXPECT_GT(MeanError(back, photo, part.left, photo.height() - part.top - part.height),
              2 * error);
  }
}

// The frame markers and quantisation table precisions of a JPEG stream.
std::pair<Bytes, std::vector<int>> FramesAndTablePrecisions(const Bytes& jpeg) {
  Bytes frames;
  std::vector<int> precisions;
  for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at + 1] != 0xDA;) {
    const std::uint8_t marker = jpeg[at + 1];
    const std::size_t end = at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    if ((marker & 0xF0) == 0xC0 && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      frames.push_back(marker);
    for (std::size_t table = at + 4; marker == 0xDB && table < end;) {
      precisions.push_back(jpeg[table] >> 4);
      table += 1 + 64 * std::size_t(precisions.back() + 1);
    }
    at = end;
  }
  return {frames, precisions};
}

TEST_F(Jpeg, QualityAndCodingChoices) {
  const Dib& photo = pictures_.large.source;
  const Bytes coarse = Encode(photo, 10);
  const Bytes fine = Encode(photo, 100);
  EXPECT_LT(coarse.size(), fine.size());
  EXPECT_LT(MeanError(Decode(fine), photo), MeanError(Decode(coarse), photo));
  // Even at quality 10 every table fits 8 bits: a baseline file.
  const auto [frames, precisions] = FramesAndTablePrecisions(coarse);
  EXPECT_EQ(frames, Bytes{0xC0});
  EXPECT_FALSE(precisions.empty());
  EXPECT_EQ(std::count(precisions.begin(), precisions.end(), 0), std::ssize(precisions));

  const Bytes plain = Encode(photo, kRecompressQuality);
  const Bytes optimised = Encode(photo, kRecompressQuality, kSaveOptimiseCoding);
  EXPECT_LT(optimised.size(), plain.size());
  EXPECT_EQ(LargestError(Decode(optimised), Decode(plain)), 0);
}

TEST_F(Jpeg, FilesAtAnOffsetOpenOrClosed) {
  const Dib& photo = pictures_.small.source;
  const Bytes jpeg = Encode(photo, 80);
  const Dib expected = Decode(jpeg);
  const auto load_at = [&](File& file, std::int64_t offset) {
    Dib dib;
    int colours = 0;
    EXPECT_EQ(LoadJpegFile(dib, nullptr, 0, colours, offset, file).code(), 0);
    EXPECT_EQ(LargestError(dib, expected), 0);
  };

  FileTemp open;
  Append(open, Prefixed(1000));
  ASSERT_EQ(SaveJpegFile(photo, nullptr, 0, 80, nullptr, open, 1000).code(), 0);
  EXPECT_TRUE(open.IsOpen());
  EXPECT_EQ(Contents(open), Prefixed(1000, jpeg));
  load_at(open, 1000);
  EXPECT_TRUE(open.IsOpen());

  // A closed file is opened for writing, not made anew, and closed again.
  const fs::path path = pictures_.folder / "saved.bin";
  WriteFileBytes(path, Prefixed(777));
  File closed(path.c_str());
  ASSERT_EQ(SaveJpegFile(photo, nullptr, 0, 80, nullptr, closed, 777).code(), 0);
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_EQ(FileBytes(path), Prefixed(777, jpeg));
  load_at(closed, 777);
  EXPECT_FALSE(closed.IsOpen());
}

TEST_F(Jpeg, BmpFilesHoldTheDecodedPicture) {
  for (int request : {0, kColoursPalette256}) {
    for (const fs::path* path :
         {&pictures_.large.files[kBaseline], &pictures_.small.files[kGreyscale]}) {
      SCOPED_TRACE(::testing::Message() << path->filename() << ", colours " << request);
      int decoded_colours = request;
      const Dib decoded = Decode(FileBytes(*path), 0, decoded_colours);
      File input(path->c_str());
      FileTemp output;
      int colours = request;
      ASSERT_EQ(ConvertJpegToBmp(nullptr, 0, colours, input, 0, output, 0).code(), 0);
      EXPECT_EQ(colours, decoded_colours);
      Dib bmp;
      ASSERT_EQ(ReadBmp(bmp, nullptr, false, 0, output).code(), 0);
      ASSERT_EQ(bmp.width(), decoded.width());
      ASSERT_EQ(bmp.height(), decoded.height());
      ASSERT_EQ(bmp.bit_count(), decoded.bit_count());
      EXPECT_EQ(LargestError(bmp, decoded), 0);
      const Bytes file = Contents(output);
      const std::uint32_t table = bmp.bit_count() <= 8 ? U32At(file, 14 + 32) : 0;
      EXPECT_EQ(table, decoded.colours().size());
      EXPECT_EQ(U32At(file, 10), 54 + 4 * table);
      EXPECT_EQ(U32At(file, 2), 54 + 4 * table + std::uint32_t(bmp.stride() * bmp.height()));
      EXPECT_EQ(file.size(), U32At(file, 2));
    }
  }

  // From inside one file to the inside of another, then within one file:
  // the BMP goes after the JPEG, which stays as it was.
  const Bytes& jpeg = pictures_.small.jpegs[kProgressive];
  const Dib decoded = Decode(jpeg);
  const auto bmp_at = [&](File& file, std::int64_t offset) {
    Dib bmp;
    EXPECT_EQ(ReadBmp(bmp, nullptr, false, offset, file).code(), 0);
    EXPECT_EQ(bmp.width(), decoded.width());
    if (bmp.width() == decoded.width()) {
      EXPECT_EQ(LargestError(bmp, decoded), 0);
    }
  };
  int colours = 0;
  FileTemp input;
  Append(input, Prefixed(300, jpeg));
  FileTemp output;
  Append(output, Prefixed(500));
  ASSERT_EQ(ConvertJpegToBmp(nullptr, 0, colours, input, 300, output, 500).code(), 0);
  const Bytes written = Contents(output);
  ASSERT_GT(written.size(), 500u);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 500), Prefixed(500));
  EXPECT_EQ(U32At(written, 502), written.size() - 500);
  bmp_at(output, 500);

  const auto end = static_cast<std::int64_t>(jpeg.size());
  FileTemp both;
  Append(both, jpeg);
  ASSERT_EQ(ConvertJpegToBmp(nullptr, 0, colours, both, 0, both, end).code(), 0);
  EXPECT_TRUE(both.IsOpen());
  EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.end(), Contents(both).begin()));
  bmp_at(both, end);
}

TEST_F(Jpeg, ProgressRisesAtMostOncePerPercentage) {
  int colours = 0;
  ProgressLog quick;
  DynArray large = ByteArray(pictures_.large.jpegs[kProgressive]);
  Dib large_dib;
  ASSERT_EQ(LoadJpegBytes(large_dib, &quick, 0, colours, large).code(), 0);
  EXPECT_FALSE(quick.reports.empty());
  quick.ExpectRising(true);

  // With the throttle out of the way, twelve rows give a report each at most.
  ProgressLog patient(kPastTheThrottle);
  DynArray strip = ByteArray(pictures_.strip.jpegs[kBaseline]);
  Dib strip_dib;
  ASSERT_EQ(LoadJpegBytes(strip_dib, &patient, 0, colours, strip).code(), 0);
  patient.ExpectRising(true);
  EXPECT_GE(patient.reports.size(), 6u);
  EXPECT_LE(patient.reports.size(), 13u);
  EXPECT_GE(patient.reports.empty() ? 0 : patient.reports.back(), 90.0);

  // Writing a BMP file shares the range between decoding and writing.
  ProgressLog converting(kPastTheThrottle);
  File input(pictures_.strip.files[kBaseline].c_str());
  FileTemp output;
  ASSERT_EQ(ConvertJpegToBmp(&converting, 0, colours, input, 0, output, 0).code(), 0);
  converting.ExpectRising(true);
  EXPECT_LT(converting.reports.size(), 100u);
  EXPECT_EQ(converting.reports.empty() ? 0 : converting.reports.back(), 100.0);
}

TEST_F(Jpeg, RecompressingKeepsThePicture) {
  for (const TestPicture* picture : {&pictures_.large, &pictures_.strip}) {
    SCOPED_TRACE(picture->source.width() * picture->source.height());
    Dib dib;
    File bmp(picture->bmp.c_str());
    ASSERT_EQ(ReadBmp(dib, nullptr, false, 0, bmp).code(), 0);
    // Seen in full on the strip: the first half encoding, the second decoding.
    ProgressLog progress(picture == &pictures_.strip ? kPastTheThrottle
                                                     : std::chrono::milliseconds{0});
    ASSERT_EQ(RecompressDib(dib, &progress).code(), 0);
    ASSERT_EQ(dib.width(), picture->source.width());
    ASSERT_EQ(dib.height(), picture->source.height());
    ASSERT_EQ(dib.bit_count(), 24);
    const double error = MeanError(dib, picture->source);
    EXPECT_TRUE(error > 0 && error < 10) << error;
    ASSERT_FALSE(progress.reports.empty());
    progress.ExpectRising(false);
    EXPECT_LT(progress.reports.size(), 100u);
    if (picture != &pictures_.strip) continue;
    EXPECT_LT(progress.reports.front(), 50.0);
    EXPECT_GE(progress.reports.back(), 95.0);
  }
}

TEST_F(Jpeg, DamagedFilesFailCleanly) {
  const Bytes& good = pictures_.small.jpegs[kBaseline];
  const Bytes& progressive = pictures_.small.jpegs[kProgressive];
  const Dib full = Decode(good);
  const auto first = [](const Bytes& bytes, std::size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
  };
  struct Damaged {
    const char* name;
    Bytes bytes;
    bool has_rows;  // cut inside the picture data, after the headers
  };
  const Damaged cases[] = {
      {"first 10 bytes", first(good, 10), false},
      {"first 100 bytes", first(good, 100), false},
      {"half", first(good, good.size() / 2), true},
      {"all but 2 bytes", first(good, good.size() - 2), true},
      {"progressive half", first(progressive, progressive.size() / 2), true},
      {"garbage", Prefixed(5000), false},
      {"empty", Bytes(), false},
  };
  const fs::path path = pictures_.folder / "damaged.jpg";
  for (const Damaged& damaged : cases) {
    for (bool from_file : {false, true}) {
      SCOPED_TRACE(std::string(damaged.name) + (from_file ? " from a file" : " from bytes"));
      Dib dib;
      int colours = 0;
      Status status;
      WriteFileBytes(path, damaged.bytes);
      File file(path.c_str());
      DynArray bytes = ByteArray(damaged.bytes);
      status = from_file ? LoadJpegFile(dib, nullptr, 0, colours, 0, file)
                         : LoadJpegBytes(dib, nullptr, 0, colours, bytes);
      const std::uint16_t code = status.code();
      EXPECT_EQ(StreamRegistry().count(), 0);
      EXPECT_EQ(File::OpenCount(), open_files_);
      ExpectNoShortPixelBlock(dib);
      if (code == kStatusJpegDecodingFailed) {
        const std::string text = status.text();
        EXPECT_TRUE(!text.empty() && text.find_first_not_of("0123456789") == text.npos) << text;
      }
      if (!damaged.has_rows) {
        EXPECT_EQ(code, kStatusJpegDecodingFailed);
        if (damaged.bytes.size() == 5000) {
          EXPECT_EQ(status.text(), std::to_string(JERR_NO_SOI));
        }
        continue;
      }
      // A cut file shows as far as it goes, whether or not that is a failure.
      EXPECT_TRUE(code == 0 || code == kStatusJpegDecodingFailed) << code;
      ASSERT_EQ(dib.width(), full.width());
      ASSERT_EQ(dib.height(), full.height());
      ASSERT_EQ(dib.bit_count(), 24);
      if (damaged.bytes.size() == good.size() / 2) {
        EXPECT_LT(MeanError(dib, full, 0, 0, 8), 0.01);
      }
      if (damaged.bytes.size() == good.size() - 2) {
        EXPECT_EQ(LargestError(dib, full), 0);
      }
    }
  }
  EXPECT_EQ(LargestError(Decode(good), full), 0);  // ready for the next picture
}

TEST_F(Jpeg, LargeDeclaredSizesFailWithoutTakingTheMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory needs the whole address space";
#endif
  // As on a machine with 100 MB to spare: the address space is capped.
  rlimit saved{};
  getrlimit(RLIMIT_AS, &saved);
  std::uint64_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit capped = saved;
  capped.rlim_cur = std::min<rlim_t>(saved.rlim_max, pages * sysconf(_SC_PAGESIZE) + (100u << 20));
  // 8000 x 8000 pixels need 192 MB: out of memory. 60000 x 60000 need
  // 10.8 GB, more than 32 bits can count: out of memory or refused.
  for (const int side : {8000, 60000}) {
    SCOPED_TRACE(side);
    Bytes jpeg = pictures_.small.jpegs[kBaseline];
    const Bytes frame = {0xFF, 0xC0};
    const auto at = std::search(jpeg.begin(), jpeg.end(), frame.begin(), frame.end());
    ASSERT_NE(at, jpeg.end());
    at[5] = at[7] = static_cast<std::uint8_t>(side >> 8);
    at[6] = at[8] = static_cast<std::uint8_t>(side);
    DynArray bytes = ByteArray(jpeg);
    Dib dib;
    int colours = 0;
    setrlimit(RLIMIT_AS, &capped);
    const std::uint16_t code = LoadJpegBytes(dib, nullptr, 0, colours, bytes).code();
    setrlimit(RLIMIT_AS, &saved);
    if (side == 8000) {
      EXPECT_EQ(code, kStatusOutOfMemory);
      EXPECT_FALSE(dib.valid());  // no size without the pixels to show
    } else {
      EXPECT_TRUE(code == kStatusOutOfMemory || code == kStatusJpegDecodingFailed) << code;
    }
    ExpectNoShortPixelBlock(dib);
  }
  // The codec is ready for the next picture.
  EXPECT_EQ(Decode(pictures_.small.jpegs[kBaseline]).width(), pictures_.small.source.width());
}

TEST_F(Jpeg, LoadPictureTriesBmpThenJpeg) {
  const ScopedDisplay true_colour("32");
  const TestPicture& small = pictures_.small;
  const fs::path garbage = pictures_.folder / "garbage.bin";
  WriteFileBytes(garbage, Prefixed(3000));
  const fs::path cut_short = fs::path(CBST_TEST_DATA) / "fuzz/fuzz_jpeg/cut_after_600_bytes.jpg";
  struct Case {
    int kind;
    const fs::path& path;
    int found;
    std::uint16_t status;
  };
  for (const Case& c : {Case{kPictureAny, small.bmp, kPictureBmpFile, 0},
                        Case{kPictureAny, small.files[kBaseline], kPictureJpegFile, 0},
                        Case{kPictureAny, garbage, 0, kStatusJpegDecodingFailed},
                        Case{kPictureBmpFile, small.files[kBaseline], 0, kStatusNotReadable},
                        Case{kPictureJpegFile, small.bmp, 0, kStatusJpegDecodingFailed},
                        Case{kPictureJpegFile, small.files[kBaseline], kPictureJpegFile, 0},
                        // Headers and no picture data: refused, never finished in grey.
                        Case{kPictureAny, cut_short, 0, kStatusJpegDecodingFailed}}) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << ", " << c.path.filename());
    File file(c.path.c_str());
    Dib dib;
    Status status;
    EXPECT_EQ(LoadPicture(dib, nullptr, c.kind, file, status), c.found);
    EXPECT_EQ(status.code(), c.status);
    if (!c.found) continue;
    ASSERT_EQ(dib.bit_count(), 24);
    EXPECT_LT(MeanError(dib, small.source), c.found == kPictureBmpFile ? 0.01 : 8.0);
  }
  // JPEG files come with the display's colours.
  const ScopedDisplay palette("256");
  File file(small.files[kBaseline].c_str());
  Dib dib;
  Status status;
  EXPECT_EQ(LoadPicture(dib, nullptr, kPictureAny, file, status), kPictureJpegFile);
  EXPECT_EQ(status.code(), 0);
  EXPECT_EQ(dib.bit_count(), 8);
  EXPECT_LE(dib.colours().size(), std::size_t(kColoursPicked));
}

}  // namespace
}  // namespace cbst
