// wave_file.h: sounds written as 16-bit PCM mono wave files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wavgen/synth.h"

namespace cbst::wavgen {

// The bytes of a RIFF wave file holding `samples` as 16-bit mono PCM at
// kSampleRate; samples beyond [-1, 1] are held at its ends.
std::vector<std::uint8_t> EncodeWave(const Samples& samples);

// Writes the file; false when it could not be written whole.
bool WriteWave(const std::string& path, const Samples& samples);

}  // namespace cbst::wavgen
