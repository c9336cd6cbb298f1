// synth.h: the few pieces of sound synthesis the game's sounds are made of.
//
// A sound is a buffer of mono samples in [-1, 1] at kSampleRate. Voices
// are added into it at a time in seconds; filters and envelopes shape it.
#pragma once

#include <cstdint>
#include <vector>

namespace cbst::wavgen {

inline constexpr int kSampleRate = 44100;

using Samples = std::vector<float>;

// A buffer of `seconds` of silence.
Samples Silence(double seconds);

// A deterministic noise source, so that every build makes the same files.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed) {}
  // A value evenly spread over [-1, 1).
  double Next();

 private:
  std::uint64_t state_;
};

// One partial of a struck body: a sine at `frequency` starting at phase 0,
// dying away with time constant `decay` seconds.
struct Partial {
  double frequency;
  double amplitude;
  double decay;
};

// Adds the partials, struck together at `start`, until they have died
// away below a thousandth or the buffer ends.
void AddStrike(Samples& samples, double start, const std::vector<Partial>& partials);

// Adds a burst of noise at `start`, `length` seconds long with a falling
// edge, through a low-pass at `cutoff` Hz: the contact of a strike.
void AddNoiseBurst(Samples& samples, double start, double length, double amplitude, double cutoff,
                   Noise& noise);

// Attack, decay, sustain and release, in seconds and a sustain level; the
// release begins at `release_at`.
struct Adsr {
  double attack;
  double decay;
  double sustain;
  double release_at;
  double release;
  double At(double time) const;
};

// Adds noise through a band-pass whose centre moves from `from` to `to`
// Hz (and with `back` > 0 on to `back` Hz), shaped by `envelope`: the air
// of a quick movement.
void AddSwish(Samples& samples, double start, double length, double from, double to, double back,
              double amplitude, const Adsr& envelope, Noise& noise);

// A gentle one-pole low-pass at `cutoff` Hz over the whole buffer.
void LowPass(Samples& samples, double cutoff);

// Raised-cosine fades at both ends, so that a sound starts and ends at
// rest and never clicks.
void Fade(Samples& samples, double fade_in, double fade_out);

// Scales the buffer so that its loudest sample is at `peak_dbfs`.
void Normalise(Samples& samples, double peak_dbfs);

}  // namespace cbst::wavgen
