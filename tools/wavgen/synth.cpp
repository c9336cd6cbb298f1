// synth.cpp: strikes, noise, swishes, filters and envelopes.
#include "wavgen/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace cbst::wavgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A partial below this fraction of its start is inaudible under the rest.
constexpr double kInaudible = 1e-3;
// Knuth's multiplier and increment for a 64-bit linear congruential step.
constexpr std::uint64_t kNoiseMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kNoiseIncrement = 1442695040888963407ULL;
// The top 53 bits of the state make one double in [0, 1).
constexpr int kNoiseShift = 11;
constexpr double kNoiseScale = 1.0 / 9007199254740992.0;  // 2^-53
// The swish's band-pass: how wide its band is (larger is wider).
constexpr double kSwishDamping = 0.9;

std::size_t SampleAt(double time) {
  return static_cast<std::size_t>(std::max(0.0, std::round(time * kSampleRate)));
}

// The coefficient of a one-pole low-pass at `cutoff` Hz.
double OnePole(double cutoff) {
  return 1.0 - std::exp(-kTwoPi * cutoff / kSampleRate);
}

}  // namespace

Samples Silence(double seconds) {
  return Samples(SampleAt(seconds), 0.0f);
}

double Noise::Next() {
  state_ = state_ * kNoiseMultiplier + kNoiseIncrement;
  return 2.0 * static_cast<double>(state_ >> kNoiseShift) * kNoiseScale - 1.0;
}

void AddStrike(Samples& samples, double start, const std::vector<Partial>& partials) {
  const std::size_t first = SampleAt(start);
  for (const Partial& partial : partials) {
    const double length = -std::log(kInaudible) * partial.decay;
    const std::size_t end = std::min(samples.size(), first + SampleAt(length));
    for (std::size_t i = first; i < end; ++i) {
      const double t = static_cast<double>(i - first) / kSampleRate;
      samples[i] += static_cast<float>(partial.amplitude * std::exp(-t / partial.decay) *
                                       std::sin(kTwoPi * partial.frequency * t));
    }
  }
}

void AddNoiseBurst(Samples& samples, double start, double length, double amplitude, double cutoff,
                   Noise& noise) {
  const std::size_t first = SampleAt(start);
  const std::size_t count = SampleAt(length);
  const double smoothing = OnePole(cutoff);
  double filtered = 0.0;
  for (std::size_t n = 0; n < count && first + n < samples.size(); ++n) {
    filtered += smoothing * (noise.Next() - filtered);
    const double edge = 1.0 - static_cast<double>(n) / static_cast<double>(count);
    samples[first + n] += static_cast<float>(amplitude * edge * edge * filtered);
  }
}

double Adsr::At(double time) const {
  if (time < 0.0) return 0.0;
  double level = sustain;
  if (time < attack) {
    level = time / attack;
  } else if (time < attack + decay) {
    level = 1.0 - (1.0 - sustain) * (time - attack) / decay;
  }
  if (time >= release_at) {
    const double released = (time - release_at) / release;
    level *= std::max(0.0, 1.0 - released);
  }
  return level;
}

void AddSwish(Samples& samples, double start, double length, double from, double to, double back,
              double amplitude, const Adsr& envelope, Noise& noise) {
  const std::size_t first = SampleAt(start);
  const std::size_t count = SampleAt(length);
  // A state-variable filter whose centre glides along the path.
  double low = 0.0;
  double band = 0.0;
  for (std::size_t n = 0; n < count && first + n < samples.size(); ++n) {
    const double progress = static_cast<double>(n) / static_cast<double>(count);
    double centre = from + (to - from) * progress;
    if (back > 0.0) {
      constexpr double kHalf = 0.5;
      centre = progress < kHalf ? from + (to - from) * progress / kHalf
                                : to + (back - to) * (progress - kHalf) / kHalf;
    }
    const double tuning = 2.0 * std::sin(std::numbers::pi * centre / kSampleRate);
    const double high = noise.Next() - low - kSwishDamping * band;
    band += tuning * high;
    low += tuning * band;
    const double t = static_cast<double>(n) / kSampleRate;
    samples[first + n] += static_cast<float>(amplitude * envelope.At(t) * band);
  }
}

void LowPass(Samples& samples, double cutoff) {
  const double smoothing = OnePole(cutoff);
  double filtered = 0.0;
  for (float& sample : samples) {
    filtered += smoothing * (sample - filtered);
    sample = static_cast<float>(filtered);
  }
}

void Fade(Samples& samples, double fade_in, double fade_out) {
  const std::size_t in = std::min(samples.size(), SampleAt(fade_in));
  const std::size_t out = std::min(samples.size(), SampleAt(fade_out));
  for (std::size_t n = 0; n < in; ++n)
    samples[n] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * n / in));
  // The last sample lands exactly on zero.
  for (std::size_t n = 0; n < out; ++n) {
    const double rest = out > 1 ? static_cast<double>(n) / static_cast<double>(out - 1) : 0.0;
    samples[samples.size() - 1 - n] *=
        static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * rest));
  }
}

void Normalise(Samples& samples, double peak_dbfs) {
  float loudest = 0.0f;
  for (const float sample : samples)
    loudest = std::max(loudest, std::abs(sample));
  if (loudest == 0.0f) return;
  constexpr double kDecibelsPerDecade = 20.0;
  const double target = std::pow(10.0, peak_dbfs / kDecibelsPerDecade);
  const auto gain = static_cast<float>(target / loudest);
  for (float& sample : samples)
    sample *= gain;
}

}  // namespace cbst::wavgen
