// jpeg_decode.cpp: JPEG streams decoded into Dibs and into BMP files.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

#include "base/memory.h"
#include "base/status_codes.h"
#include "gfx/palette.h"
#include "image/bmp_file.h"
#include "image/jpeg.h"
#include "image/jpeg_codec.h"
#include "image/stream.h"
#include "image/stream_stdio.h"
#include "platform/display.h"

namespace cbst {
namespace {

using codec::CodecState;
using codec::RaiseError;

// The colours every palette display keeps, as red-green-blue.
constexpr std::array<std::uint32_t, kFixedColours> kFixedColourMap = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
    0xFFFF00, 0xFFFFFF, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};

// A hardware palette this small is matched with weights of its own (see
// MapRowWeighted).
constexpr int kSmallPaletteLimit = 21;
constexpr int kSmallPaletteWeights[3] = {12, 2, 9};

constexpr int kDotsPerCentimetre = 2;
constexpr int kCentimetresPerMetre = 100;
constexpr int kMaxTableEntries = 256;
// The program places pictures with 16-bit coordinates, and keeps them in
// memory whole; a picture that claims more is refused before any memory is
// spent on it.
constexpr JDIMENSION kMaxPictureSide = 32767;
constexpr std::size_t kMaxPictureBytes = std::size_t{1} << 30;
// Progress shares of the decoding when a BMP file is written afterwards.
constexpr double kDecodeShareOfFile = 0.5;
constexpr double kDecodeShareOfFileQuantised = 0.75;

// Inverse colour map cells: 5 bits a channel.
constexpr int kCellBits = 5;
constexpr int kCells = 1 << (3 * kCellBits);
constexpr std::uint8_t kUnknownCell = 0xFF;

struct ColourMap {
  int count = 0;
  std::uint8_t red[kMaxTableEntries];
  std::uint8_t green[kMaxTableEntries];
  std::uint8_t blue[kMaxTableEntries];
};

// Rows of a BMP file being decoded, kept until they can be written
// bottom-up: in memory when the codec may have it, else in a temporary file.
struct RowStore {
  std::uint8_t* memory;
  void* spill;
  std::size_t stride;
};

// Everything one decoding needs, in plain storage: see jpeg_codec.h.
struct DecodeJob {
  jpeg_decompress_struct codec;
  jpeg_error_mgr errors;
  codec::Source source;
  void* input;
  std::uint32_t flags;
  int colours;
  bool quantised_by_us;
  ColourMap map;
  // Where the rows go: a Dib, or a BMP file on `output`.
  Dib* dib;
  void* output;
  BitmapInfoHeader header;
  ColourTableEntry table[kMaxTableEntries];
  int table_entries;
  std::size_t stride;
  std::uint8_t* pixels;
  RowStore rows;
  double file_share;
  // Error rows and inverse map of our own colour matching.
  int* errors_this;
  int* errors_next;
  std::uint8_t* cells;
};

int DisplayPaletteSize() {
  const DisplayFacts facts = QueryDisplay();
  return facts.palette_based ? facts.palette_size : 0;
}

void TakeMap(ColourMap& map, const std::vector<PaletteEntry>& entries) {
  map.count = std::min<int>(static_cast<int>(entries.size()), kMaxTableEntries);
  for (int index = 0; index < map.count; ++index) {
    map.red[index] = entries[index].red;
    map.green[index] = entries[index].green;
    map.blue[index] = entries[index].blue;
  }
}

// The colour treatment, applied before the header is read and again after
// (reading the header resets the codec's choices).
void ApplyColourSettings(DecodeJob& job, bool after_header) {
  jpeg_decompress_struct& codec = job.codec;
  if (job.flags & kLoadForDisplay) {
    const int size = DisplayPaletteSize();
    if (size >= 1 && size <= kFixedColours) {
      job.flags |= kLoadSystemPalette;
    } else if (size > kFixedColours && size <= kMaxTableEntries) {
      job.colours = kColoursPalette256;
    }
  }
  codec.quantize_colors = FALSE;
  if (job.colours == kColoursPalette256) {
    codec.quantize_colors = TRUE;
    codec.desired_number_of_colors = kColoursPicked;
  }
  // The library's two-pass quantiser weighs red 2, green 3 and blue 1
  // already, which is what pictures want on every display but the smallest.
  if (after_header) {
    job.map.count = 0;
    if (job.flags & kLoadSystemPalette) {
      const int size = DisplayPaletteSize();
      if (size >= 1 && size <= kMaxTableEntries)
        TakeMap(job.map, LogicalPalette::FromSystem().entries);
    } else if (job.flags & kLoadColourCube) {
      TakeMap(job.map, Palette::ColourCube().entries());
    }
    if (job.map.count > 0) job.colours = job.map.count;
    if (job.colours == kColoursPalette16) {
      job.map.count = kFixedColours;
      for (int index = 0; index < kFixedColours; ++index) {
        job.map.red[index] = static_cast<std::uint8_t>(kFixedColourMap[index] >> 16);
        job.map.green[index] = static_cast<std::uint8_t>(kFixedColourMap[index] >> 8);
        job.map.blue[index] = static_cast<std::uint8_t>(kFixedColourMap[index]);
      }
      job.colours = kFixedColours;
    }
    if (job.map.count > 0) {
      codec.out_color_space = JCS_RGB;
      codec.quantize_colors = TRUE;
      codec.desired_number_of_colors = job.map.count;
      codec.actual_number_of_colors = job.map.count;
    }
    job.quantised_by_us =
        (job.flags & kLoadSystemPalette) && job.map.count > 0 && job.map.count < kSmallPaletteLimit;
  }
  if (job.flags & kLoadFastIntegerDct) codec.dct_method = JDCT_IFAST;
  if (job.flags & kLoadOrderedDither) codec.dither_mode = JDITHER_ORDERED;
  if (job.flags & kLoadOnePass) codec.two_pass_quantize = FALSE;
  if (job.flags & kLoadFast) {
    codec.two_pass_quantize = FALSE;
    codec.dither_mode = JDITHER_ORDERED;
    codec.dct_method = JDCT_IFAST;
    codec.do_fancy_upsampling = FALSE;
  }
}

// Settles the output form the settings imply before decoding starts.
void SettleOutput(DecodeJob& job) {
  jpeg_decompress_struct& codec = job.codec;
  if (job.quantised_by_us) {
    // The library's weights are fixed when it is built, and a palette of
    // twenty colours needs others (red 12, green 2, blue 9) to keep skin
    // and sky from turning grey. So the library gives plain colour and
    // MapRowWeighted matches it, with the same error diffusion.
    codec.quantize_colors = FALSE;
    codec.out_color_space = JCS_RGB;
    return;
  }
  if (codec.quantize_colors && job.map.count > 0) {
    JSAMPARRAY map = codec.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&codec), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(job.map.count), 3);
    std::memcpy(map[0], job.map.red, static_cast<std::size_t>(job.map.count));
    std::memcpy(map[1], job.map.green, static_cast<std::size_t>(job.map.count));
    std::memcpy(map[2], job.map.blue, static_cast<std::size_t>(job.map.count));
    codec.colormap = map;
    codec.actual_number_of_colors = job.map.count;
  }
  if (codec.quantize_colors) {
    // Colour quantising works on three components; grey comes out as grey
    // entries of the picked palette.
    codec.out_color_space = JCS_RGB;
  } else if (codec.out_color_space != JCS_GRAYSCALE) {
    codec.out_color_space = JCS_EXT_BGR;  // the order Dib pixels are stored in
  }
}

// The header and colour table of the decoded picture.
void DescribeOutput(DecodeJob& job) {
  jpeg_decompress_struct& codec = job.codec;
  int bits = 24;
  job.table_entries = 0;
  if (job.quantised_by_us || (codec.quantize_colors && codec.out_color_space == JCS_RGB)) {
    bits = 8;
    const int entries = job.quantised_by_us ? job.map.count : codec.actual_number_of_colors;
    if (entries > kMaxTableEntries)
      RaiseError(reinterpret_cast<j_common_ptr>(&codec), kCodecColourMapTooLarge);
    job.table_entries = entries;
    for (int index = 0; index < entries; ++index) {
      if (job.quantised_by_us) {
        job.table[index] = {job.map.blue[index], job.map.green[index], job.map.red[index], 0};
      } else {
        job.table[index] = {codec.colormap[2][index], codec.colormap[1][index],
                            codec.colormap[0][index], 0};
      }
    }
    job.colours = entries;
  } else if (codec.out_color_space == JCS_GRAYSCALE) {
    bits = 8;
    job.table_entries = kMaxTableEntries;
    for (int index = 0; index < kMaxTableEntries; ++index) {
      const auto grey = static_cast<std::uint8_t>(index);
      job.table[index] = {grey, grey, grey, 0};
    }
  }
  job.stride = (static_cast<std::size_t>(bits) * codec.output_width + 31) / 32 * 4;
  if (codec.output_width > kMaxPictureSide || codec.output_height > kMaxPictureSide ||
      job.stride * codec.output_height > kMaxPictureBytes) {
    RaiseError(reinterpret_cast<j_common_ptr>(&codec), JERR_IMAGE_TOO_BIG);
  }
  BitmapInfoHeader& header = job.header;
  header = BitmapInfoHeader{};
  header.width = static_cast<std::int32_t>(codec.output_width);
  header.height = static_cast<std::int32_t>(codec.output_height);
  header.bit_count = static_cast<std::uint16_t>(bits);
  header.image_size = static_cast<std::uint32_t>(job.stride * codec.output_height);
  if (codec.density_unit == kDotsPerCentimetre) {
    header.x_pixels_per_metre = codec.X_density * kCentimetresPerMetre;
    header.y_pixels_per_metre = codec.Y_density * kCentimetresPerMetre;
  }
  header.colours_used = static_cast<std::uint32_t>(job.table_entries);
}

// Gives the Dib its header, table and pixel block; false when the memory
// is not there. Returns before the codec can jump.
bool PrepareDib(DecodeJob& job) {
  Dib& dib = *job.dib;
  try {
    RecoverableAllocations recoverable;
    dib.header() = job.header;
    dib.colours().assign(job.table, job.table + job.table_entries);
    dib.masks() = {};
    dib.pixel_block().assign(job.stride * job.header.height, 0);
  } catch (const std::bad_alloc&) {
    dib.pixel_block().clear();
    return false;
  }
  job.pixels = dib.pixel_block().data();
  return true;
}

void WriteOrFail(DecodeJob& job, const void* data, std::size_t count) {
  if (StreamWrite(data, 1, count, job.output) != count) {
    RaiseError(reinterpret_cast<j_common_ptr>(&job.codec), JERR_FILE_WRITE);
  }
}

void StartBmpFile(DecodeJob& job) {
  const std::uint32_t tables = static_cast<std::uint32_t>(job.table_entries) * 4;
  const std::uint32_t pixel_offset = kBmpFileHeaderSize + kInfoHeaderSize + tables;
  const auto file_header = EncodeFileHeader(pixel_offset + job.header.image_size, pixel_offset);
  const auto info = EncodeInfoHeader(job.header);
  WriteOrFail(job, file_header.data(), file_header.size());
  WriteOrFail(job, info.data(), info.size());
  WriteOrFail(job, job.table, tables);

  j_common_ptr common = reinterpret_cast<j_common_ptr>(&job.codec);
  const auto total = static_cast<std::int64_t>(job.header.image_size);
  job.rows = {nullptr, nullptr, job.stride};
  if (codec::MemoryAvailable(total) >= total) {
    job.rows.memory = static_cast<std::uint8_t*>(
        job.codec.mem->alloc_large(common, JPOOL_IMAGE, static_cast<std::size_t>(total)));
  } else {
    job.rows.spill = StreamTemporary();
    if (!job.rows.spill) RaiseError(common, JERR_TFILE_CREATE);
  }
}

void StoreRow(DecodeJob& job, int y, const std::uint8_t* row) {
  RowStore& rows = job.rows;
  if (rows.memory) {
    std::memcpy(rows.memory + static_cast<std::size_t>(y) * rows.stride, row, rows.stride);
    return;
  }
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&job.codec);
  if (StreamSeek(rows.spill,
                 static_cast<std::int64_t>(y) * static_cast<std::int64_t>(rows.stride)) != 0) {
    RaiseError(common, JERR_TFILE_SEEK);
  }
  if (StreamWrite(row, 1, rows.stride, rows.spill) != rows.stride)
    RaiseError(common, JERR_TFILE_WRITE);
}

const std::uint8_t* LoadRow(DecodeJob& job, int y, std::uint8_t* buffer) {
  RowStore& rows = job.rows;
  if (rows.memory) return rows.memory + static_cast<std::size_t>(y) * rows.stride;
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&job.codec);
  if (StreamSeek(rows.spill,
                 static_cast<std::int64_t>(y) * static_cast<std::int64_t>(rows.stride)) != 0) {
    RaiseError(common, JERR_TFILE_SEEK);
  }
  if (StreamRead(buffer, 1, rows.stride, rows.spill) != rows.stride)
    RaiseError(common, JERR_TFILE_READ);
  return buffer;
}

std::uint8_t NearestWeighted(DecodeJob& job, int red, int green, int blue) {
  const int cell = (red >> 3) << (2 * kCellBits) | (green >> 3) << kCellBits | (blue >> 3);
  if (job.cells[cell] != kUnknownCell) return job.cells[cell];
  // The middle of the cell stands for all of it.
  const int r = (red & ~7) + 4, g = (green & ~7) + 4, b = (blue & ~7) + 4;
  long best_distance = -1;
  int best = 0;
  for (int index = 0; index < job.map.count; ++index) {
    const long dr = kSmallPaletteWeights[0] * (r - job.map.red[index]);
    const long dg = kSmallPaletteWeights[1] * (g - job.map.green[index]);
    const long db = kSmallPaletteWeights[2] * (b - job.map.blue[index]);
    const long distance = dr * dr + dg * dg + db * db;
    if (best_distance < 0 || distance < best_distance) {
      best_distance = distance;
      best = index;
    }
  }
  job.cells[cell] = static_cast<std::uint8_t>(best);
  return job.cells[cell];
}

// Floyd-Steinberg error diffusion onto the small palette, serpentine like
// the library's own quantiser, with errors kept in sixteenths.
void MapRowWeighted(DecodeJob& job, const JSAMPLE* rgb, std::uint8_t* out, int y) {
  const int width = static_cast<int>(job.codec.output_width);
  int* here = job.errors_this;
  int* next = job.errors_next;
  std::memset(next, 0, sizeof(int) * 3 * static_cast<std::size_t>(width + 2));
  const bool backwards = (y & 1) != 0;
  const int step = backwards ? -1 : 1;
  const std::uint8_t* map[3] = {job.map.red, job.map.green, job.map.blue};
  for (int i = 0; i < width; ++i) {
    const int x = backwards ? width - 1 - i : i;
    const int slot = (x + 1) * 3;
    int value[3];
    for (int c = 0; c < 3; ++c) {
      value[c] = std::clamp(rgb[x * 3 + c] + (here[slot + c] + 8) / 16, 0, 255);
    }
    const std::uint8_t index = NearestWeighted(job, value[0], value[1], value[2]);
    out[x] = index;
    for (int c = 0; c < 3; ++c) {
      const int error = value[c] - map[c][index];
      here[slot + step * 3 + c] += error * 7;
      next[slot - step * 3 + c] += error * 3;
      next[slot + c] += error * 5;
      next[slot + step * 3 + c] += error;
    }
  }
  job.errors_this = next;
  job.errors_next = here;
}

void PrepareOwnMapping(DecodeJob& job) {
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&job.codec);
  const std::size_t row = sizeof(int) * 3 * (job.codec.output_width + 2);
  job.errors_this = static_cast<int*>(job.codec.mem->alloc_large(common, JPOOL_IMAGE, row));
  job.errors_next = static_cast<int*>(job.codec.mem->alloc_large(common, JPOOL_IMAGE, row));
  std::memset(job.errors_this, 0, row);
  job.cells = static_cast<std::uint8_t*>(job.codec.mem->alloc_large(common, JPOOL_IMAGE, kCells));
  std::memset(job.cells, kUnknownCell, kCells);
}

// The protected part: from creating the codec to destroying it. An error
// exit lands back at the setjmp with the codec already destroyed.
void RunDecode(DecodeJob& job) {
  if (setjmp(CodecState().jump)) return;
  jpeg_decompress_struct& codec = job.codec;
  codec.err = codec::InstallErrorExit(job.errors);
  jpeg_create_decompress(&codec);
  ApplyColourSettings(job, false);
  codec::AttachSource(&codec, job.source, job.input);
  jpeg_read_header(&codec, TRUE);
  if (codec.image_width > kMaxPictureSide || codec.image_height > kMaxPictureSide) {
    RaiseError(reinterpret_cast<j_common_ptr>(&codec), JERR_IMAGE_TOO_BIG);
  }
  ApplyColourSettings(job, true);
  SettleOutput(job);
  jpeg_start_decompress(&codec);
  DescribeOutput(job);
  if (job.quantised_by_us) PrepareOwnMapping(job);

  const bool quantised = job.table_entries > 0 && !(codec.out_color_space == JCS_GRAYSCALE);
  CodecState().progress_scale =
      job.dib ? 1.0 : (quantised ? kDecodeShareOfFileQuantised : kDecodeShareOfFile);
  if (job.dib) {
    if (!PrepareDib(job)) RaiseError(reinterpret_cast<j_common_ptr>(&codec), JERR_OUT_OF_MEMORY);
  } else {
    StartBmpFile(job);
  }
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&codec);
  JSAMPARRAY line = codec.mem->alloc_sarray(
      common, JPOOL_IMAGE, codec.output_width * static_cast<JDIMENSION>(codec.output_components),
      1);
  std::uint8_t* padded =
      static_cast<std::uint8_t*>(codec.mem->alloc_large(common, JPOOL_IMAGE, job.stride));
  std::memset(padded, 0, job.stride);
  const int height = static_cast<int>(codec.output_height);
  const std::size_t used = codec.output_width * static_cast<std::size_t>(codec.output_components);
  while (codec.output_scanline < codec.output_height) {
    jpeg_read_scanlines(&codec, line, 1);
    const int y = static_cast<int>(codec.output_scanline) - 1;
    std::uint8_t* into =
        job.dib ? job.pixels + static_cast<std::size_t>(height - 1 - y) * job.stride : padded;
    if (job.quantised_by_us) {
      MapRowWeighted(job, line[0], into, y);
    } else {
      std::memcpy(into, line[0], used);
    }
    if (!job.dib) StoreRow(job, y, padded);
    codec::ReportRows(codec.output_scanline, codec.output_height);
  }
  if (!job.dib) {
    // The file pass reports the rest of the range. It runs before the
    // decompressor finishes, which frees the rows' storage.
    const double share = CodecState().progress_scale;
    CodecState().progress_scale = 1.0;
    for (int y = height - 1; y >= 0; --y) {
      WriteOrFail(job, LoadRow(job, y, padded), job.stride);
      codec::ReportRows(share * height + (1.0 - share) * (height - y), height);
    }
    codec::ReportRows(1, 1);
  }
  jpeg_finish_decompress(&codec);
  jpeg_destroy_decompress(&codec);
}

// Runs one decoding from `input` into `dib` or a BMP file on `output`.
Status Decode(ProgressSink* progress, std::uint32_t flags, int& colours, void* input, Dib* dib,
              void* output) {
  auto job = std::make_unique<DecodeJob>();
  job->input = input;
  job->flags = flags;
  job->colours = colours;
  job->dib = dib;
  job->output = output;
  codec::BeginOperation(progress, (flags & kLoadPumpMessages) != 0, 1.0);
  CodecState().whole_stream = (flags & kLoadWholeStream) != 0;
  RunDecode(*job);
  if (job->rows.spill) StreamClose(job->rows.spill);
  colours = job->colours;
  Status status = codec::OperationStatus(kStatusJpegDecodingFailed);
  if (dib && status.peek() != 0 && dib->pixel_block().empty()) {
    // No pixels arrived: the Dib must not claim a size it cannot show.
    dib->header() = BitmapInfoHeader{};
    dib->colours().clear();
  }
  if (status.peek() == 0 && dib) dib->BuildPalette();
  return status;
}

// Opens a closed file for one operation and moves to the offset.
class FileAccess {
 public:
  FileAccess(File& file, int mode, std::int64_t offset)
      : file_(file), opened_here_(!file.IsOpen()) {
    if (opened_here_) status_ = file.Open(mode);
    if (status_.peek() == 0 && file.Seek(offset) != offset) {
      status_ = Status(kStatusWriteFailed, file.FullName().view());
    }
  }
  ~FileAccess() {
    if (opened_here_ && file_.IsOpen()) file_.Close().MarkHandled();
  }
  FileAccess(const FileAccess&) = delete;
  FileAccess& operator=(const FileAccess&) = delete;
  Status TakeStatus() { return std::move(status_); }

 private:
  File& file_;
  bool opened_here_;
  Status status_;
};

}  // namespace

Status LoadJpegFile(Dib& dib, ProgressSink* progress, std::uint32_t flags, int& colours,
                    std::int64_t offset, File& file) {
  FileAccess access(file, kOpenRead, offset);
  CBST_TRY(access.TakeStatus());
  FileStream input(file);
  DibTarget target(dib);
  return Decode(progress, flags, colours, &input, target.TargetDib(), nullptr);
}

Status LoadJpegBytes(Dib& dib, ProgressSink* progress, std::uint32_t flags, int& colours,
                     DynArray& bytes) {
  MemStream input(bytes);
  input.PrepareForReading();
  DibTarget target(dib);
  return Decode(progress, flags, colours, &input, target.TargetDib(), nullptr);
}

Status ConvertJpegToBmp(ProgressSink* progress, std::uint32_t flags, int& colours, File& input,
                        std::int64_t input_offset, File& output, std::int64_t output_offset) {
  FileAccess reading(input, kOpenRead, input_offset);
  CBST_TRY(reading.TakeStatus());
  // One file object cannot be at two places at once: the output gets a
  // second one on the same path.
  std::unique_ptr<File> second;
  File* writing_file = &output;
  if (&output == &input) {
    second = std::make_unique<File>(input.FullName().c_str());
    writing_file = second.get();
  }
  FileAccess writing(*writing_file, kOpenWrite, output_offset);
  CBST_TRY(writing.TakeStatus());
  FileStream in(input);
  FileStream out(*writing_file);
  return Decode(progress, flags, colours, &in, nullptr, &out);
}

}  // namespace cbst
