// wave_file.cpp: the RIFF header, the format chunk and the samples.
#include "wavgen/wave_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace cbst::wavgen {
namespace {

constexpr std::uint32_t kFormatChunkSize = 16;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBytesPerSample = kBitsPerSample / 8;
// "WAVE", the format chunk and the data chunk's header, counted in the
// RIFF chunk's size along with the samples.
constexpr std::uint32_t kRiffOverhead = 4 + 8 + kFormatChunkSize + 8;
constexpr double kFullScale = 32767.0;

// Byte by byte: GCC 12 at -O3 takes a range insert here for an overflow
// (-Wstringop-overflow).
void PutTag(std::vector<std::uint8_t>& bytes, const char (&tag)[5]) {
  for (int index = 0; index < 4; ++index)
    bytes.push_back(static_cast<std::uint8_t>(tag[index]));
}

void Put16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  Put16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(bytes, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(const Samples& samples) {
  const auto data_size = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kRiffOverhead + 8 + data_size);
  PutTag(bytes, "RIFF");
  Put32(bytes, kRiffOverhead + data_size);
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  Put32(bytes, kFormatChunkSize);
  Put16(bytes, kFormatPcm);
  Put16(bytes, kChannels);
  Put32(bytes, kSampleRate);
  Put32(bytes, kSampleRate * kChannels * kBytesPerSample);
  Put16(bytes, kChannels * kBytesPerSample);
  Put16(bytes, kBitsPerSample);
  PutTag(bytes, "data");
  Put32(bytes, data_size);
  for (const float sample : samples) {
    const double level =
        std::round(std::clamp(static_cast<double>(sample), -1.0, 1.0) * kFullScale);
    Put16(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(level)));
  }
  return bytes;
}

bool WriteWave(const std::string& path, const Samples& samples) {
  const std::vector<std::uint8_t> bytes = EncodeWave(samples);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace cbst::wavgen
