// jpeg_encode.cpp: Dibs encoded as JPEG into files and byte arrays, and
// the round trip that shows a picture as it will look once stored.
#include <algorithm>
#include <bit>
#include <memory>

#include "base/file_temp.h"
#include "base/status_codes.h"
#include "image/jpeg.h"
#include "image/jpeg_codec.h"
#include "image/stream.h"

namespace cbst {
namespace {

using codec::CodecState;

// 16-bit pixels without masks of their own are 5-5-5.
constexpr std::array<std::uint32_t, 3> kDefaultMasks16 = {0x7C00, 0x03E0, 0x001F};
constexpr double kRecompressEncodeShare = 50.0;

// One channel of a bit-field pixel widened to 8 bits.
struct Channel {
  std::uint32_t mask;
  int shift;  // the mask's trailing zero bits
  int widen;  // 8 - the mask's width
};

Channel ChannelOf(std::uint32_t mask) {
  if (mask == 0) return {0, 0, 0};
  return {mask, std::countr_zero(mask), 8 - std::popcount(mask)};
}

std::uint8_t Extract(std::uint32_t pixel, const Channel& channel) {
  const std::uint32_t value = (pixel & channel.mask) >> channel.shift;
  return static_cast<std::uint8_t>(channel.widen >= 0 ? value << channel.widen
                                                      : value >> -channel.widen);
}

struct EncodeJob {
  jpeg_compress_struct codec;
  jpeg_error_mgr errors;
  codec::Destination destination;
  void* output;
  const Dib* dib;
  PicturePart part;
  std::uint32_t flags;
  int quality;
  Channel channels[3];
};

// Row y of the part (counted from its top) as red-green-blue.
void ConvertRow(const EncodeJob& job, int y, JSAMPLE* rgb) {
  const Dib& dib = *job.dib;
  const std::uint8_t* row = dib.row(job.part.top + y);
  const int bits = dib.header().planes * dib.bit_count();
  for (int i = 0; i < job.part.width; ++i) {
    const int x = job.part.left + i;
    JSAMPLE* out = rgb + 3 * i;
    if (bits == 32 || bits == 24) {
      const std::uint8_t* pixel = row + x * (bits / 8);
      out[0] = pixel[2];
      out[1] = pixel[1];
      out[2] = pixel[0];
    } else if (bits == 16) {
      const std::uint32_t pixel = row[2 * x] | row[2 * x + 1] << 8;
      out[0] = Extract(pixel, job.channels[0]);
      out[1] = Extract(pixel, job.channels[1]);
      out[2] = Extract(pixel, job.channels[2]);
    } else {
      int index = row[x];
      if (bits < 8) {
        const int per_byte = 8 / bits;
        const int shift = 8 - bits * (1 + x % per_byte);
        index = row[x / per_byte] >> shift & ((1 << bits) - 1);
      }
      const auto& table = dib.colours();
      const ColourTableEntry colour =
          index < static_cast<int>(table.size()) ? table[index] : ColourTableEntry{};
      out[0] = colour.red;
      out[1] = colour.green;
      out[2] = colour.blue;
    }
  }
}

void RunEncode(EncodeJob& job) {
  if (setjmp(CodecState().jump)) return;
  jpeg_compress_struct& codec = job.codec;
  codec.err = codec::InstallErrorExit(job.errors);
  jpeg_create_compress(&codec);
  codec::AttachDestination(&codec, job.destination, job.output);
  codec.image_width = static_cast<JDIMENSION>(job.part.width);
  codec.image_height = static_cast<JDIMENSION>(job.part.height);
  codec.input_components = 3;
  codec.in_color_space = JCS_RGB;
  jpeg_set_defaults(&codec);
  if (job.flags & kSaveOptimiseCoding) codec.optimize_coding = TRUE;
  if (job.flags & kSaveFastIntegerDct) codec.dct_method = JDCT_IFAST;
  jpeg_set_quality(&codec, job.quality, TRUE);
  jpeg_start_compress(&codec, TRUE);
  JSAMPARRAY line = codec.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&codec), JPOOL_IMAGE,
                                            codec.image_width * 3, 1);
  while (codec.next_scanline < codec.image_height) {
    ConvertRow(job, static_cast<int>(codec.next_scanline), line[0]);
    jpeg_write_scanlines(&codec, line, 1);
    codec::ReportRows(codec.next_scanline, codec.image_height);
  }
  jpeg_finish_compress(&codec);
  jpeg_destroy_compress(&codec);
}

Status Encode(const Dib& dib, ProgressSink* progress, std::uint32_t flags, int quality,
              const PicturePart* part, void* output) {
  if (!dib.valid() || dib.pixel_block().size() < static_cast<std::size_t>(dib.stride()) *
                                                     static_cast<std::size_t>(dib.height())) {
    return Status::Format(kStatusJpegEncodingFailed, "%i", 0);
  }
  auto job = std::make_unique<EncodeJob>();
  job->output = output;
  job->dib = &dib;
  job->flags = flags;
  job->quality = std::clamp(quality, 0, 100);
  job->part = {0, 0, static_cast<std::int16_t>(dib.width()),
               static_cast<std::int16_t>(dib.height())};
  if (part) {
    // Only what lies inside the picture can be encoded.
    const int left = std::clamp<int>(part->left, 0, dib.width());
    const int top = std::clamp<int>(part->top, 0, dib.height());
    job->part = {static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
                 static_cast<std::int16_t>(std::clamp<int>(part->width, 0, dib.width() - left)),
                 static_cast<std::int16_t>(std::clamp<int>(part->height, 0, dib.height() - top))};
    if (job->part.width == 0 || job->part.height == 0) {
      return Status::Format(kStatusJpegEncodingFailed, "%i", JERR_EMPTY_IMAGE);
    }
  }
  std::array<std::uint32_t, 3> masks = dib.masks();
  if (masks == std::array<std::uint32_t, 3>{}) masks = kDefaultMasks16;
  for (int c = 0; c < 3; ++c)
    job->channels[c] = ChannelOf(masks[c]);

  codec::BeginOperation(progress, (flags & kSavePumpMessages) != 0, 1.0);
  RunEncode(*job);
  return codec::OperationStatus(kStatusJpegEncodingFailed);
}

}  // namespace

Status SaveJpegFile(const Dib& dib, ProgressSink* progress, std::uint32_t flags, int quality,
                    const PicturePart* part, File& file, std::int64_t offset) {
  const bool opened_here = !file.IsOpen();
  if (opened_here) CBST_TRY(file.Open(kOpenWrite));
  Status status;
  if (file.Seek(offset) != offset) {
    status = Status(kStatusWriteFailed, file.FullName().view());
  } else {
    FileStream output(file);
    status = Encode(dib, progress, flags, quality, part, &output);
  }
  if (opened_here) file.Close().MarkHandled();
  return status;
}

Status SaveJpegBytes(const Dib& dib, ProgressSink* progress, std::uint32_t flags, int quality,
                     const PicturePart* part, DynArray& bytes) {
  MemStream output(bytes);
  return Encode(dib, progress, flags, quality, part, &output);
}

Status RecompressDib(Dib& dib, ProgressSink* progress) {
  FileTemp file;
  if (!file.made()) return Status(kStatusOpenFailed, file.FullName().view());
  std::unique_ptr<ProgressRange> encoding, decoding;
  if (progress) {
    encoding = std::make_unique<ProgressRange>(*progress, 0, kRecompressEncodeShare);
    decoding = std::make_unique<ProgressRange>(*progress, kRecompressEncodeShare, 100);
  }
  CBST_TRY(SaveJpegFile(dib, encoding.get(), 0, kRecompressQuality, nullptr, file, 0));
  int colours = 0;
  Status status = LoadJpegFile(dib, decoding.get(), kLoadPumpMessages, colours, 0, file);
  file.Close().MarkHandled();
  return status;
}

}  // namespace cbst
