// sounds.cpp: wooden clicks and knocks, swishes, the finishing chord and
// the credits' music box, each made from a few partials and some noise.
#include "wavgen/sounds.h"

#include <cmath>

#include "platform/sound_names.h"

namespace cbst::wavgen {
namespace {

// Every sound peaks 3 dB under full scale and starts and ends at rest.
constexpr double kPeakDbfs = -3.0;
constexpr double kFadeIn = 0.001;
constexpr double kShortFadeOut = 0.01;

// The modes of a free wooden bar, as multiples of its lowest: what makes a
// knock sound like wood rather than a bell. Higher modes are weaker and die
// sooner.
struct Mode {
  double ratio;
  double amplitude;
  double decay_share;
};
constexpr Mode kWoodModes[] = {
    {1.0, 1.0, 1.0}, {2.756, 0.5, 0.5}, {5.404, 0.25, 0.3}, {8.933, 0.12, 0.2}};

// A struck piece of wood, pitched at `fundamental`, ringing `decay`
// seconds; `contact` is the loudness of the noise of the blow and
// `hardness` the highest frequency in it.
struct Wood {
  double fundamental;
  double decay;
  double contact;
  double hardness;
};
constexpr double kContactLength = 0.004;

void AddWood(Samples& samples, double start, const Wood& wood, Noise& noise) {
  std::vector<Partial> partials;
  for (const Mode& mode : kWoodModes)
    partials.push_back(
        {wood.fundamental * mode.ratio, mode.amplitude, wood.decay * mode.decay_share});
  AddStrike(samples, start, partials);
  AddNoiseBurst(samples, start, kContactLength, wood.contact, wood.hardness, noise);
}

// Fades, softens and levels a finished sound.
Samples Finish(Samples samples, double softness, double fade_out) {
  LowPass(samples, softness);
  Fade(samples, kFadeIn, fade_out);
  Normalise(samples, kPeakDbfs);
  return samples;
}

// The seeds of the noise, one a sound, fixed so that builds agree.
enum Seed : std::uint64_t {
  kSeedKnock = 1,
  kSeedPickUp,
  kSeedPutDown,
  kSeedJoin,
  kSeedSwish,
  kSeedWhoosh,
  kSeedMusicBox,
};

// A dragged piece bumping a window's edge: a soft, low knock.
Samples MakeKnock() {
  constexpr double kLength = 0.25;
  constexpr Wood kWood = {210.0, 0.045, 0.5, 1500.0};
  constexpr double kSoftness = 2500.0;
  Noise noise(kSeedKnock);
  Samples samples = Silence(kLength);
  AddWood(samples, 0.0, kWood, noise);
  return Finish(std::move(samples), kSoftness, kShortFadeOut);
}

// A piece lifted from the table: a light, high click.
Samples MakePickUp() {
  constexpr double kLength = 0.09;
  constexpr Wood kWood = {1250.0, 0.012, 0.6, 6000.0};
  constexpr double kSoftness = 7000.0;
  Noise noise(kSeedPickUp);
  Samples samples = Silence(kLength);
  AddWood(samples, 0.0, kWood, noise);
  return Finish(std::move(samples), kSoftness, kShortFadeOut);
}

// A piece put down: the same click a little lower and rounder.
Samples MakePutDown() {
  constexpr double kLength = 0.11;
  constexpr Wood kWood = {900.0, 0.016, 0.6, 4500.0};
  constexpr double kSoftness = 5000.0;
  Noise noise(kSeedPutDown);
  Samples samples = Silence(kLength);
  AddWood(samples, 0.0, kWood, noise);
  return Finish(std::move(samples), kSoftness, kShortFadeOut);
}

// Two pieces snapping together: a bright snap, then the fuller knock of
// the piece settling into its place.
Samples MakeJoin() {
  constexpr double kLength = 0.35;
  constexpr Wood kSnap = {640.0, 0.03, 0.8, 8000.0};
  constexpr double kSettle = 0.03;
  constexpr Wood kKnock = {420.0, 0.07, 0.4, 2500.0};
  constexpr double kSoftness = 6000.0;
  constexpr double kFadeOut = 0.03;
  Noise noise(kSeedJoin);
  Samples samples = Silence(kLength);
  AddWood(samples, 0.0, kSnap, noise);
  AddWood(samples, kSettle, kKnock, noise);
  return Finish(std::move(samples), kSoftness, kFadeOut);
}

// The frequency of a note of the equal-tempered scale, by its MIDI number.
double NoteFrequency(int note) {
  constexpr int kConcertA = 69;
  constexpr double kConcertAFrequency = 440.0;
  constexpr double kSemitonesPerOctave = 12.0;
  return kConcertAFrequency * std::pow(2.0, (note - kConcertA) / kSemitonesPerOctave);
}

// The notes used below, by MIDI number.
enum Note : int {
  kF3 = 53,
  kG3 = 55,
  kC4 = 60,
  kE4 = 64,
  kG4 = 67,
  kC5 = 72,
  kD5 = 74,
  kE5 = 76,
  kF5 = 77,
  kG5 = 79,
  kA5 = 81,
  kB5 = 83,
  kC6 = 84,
  kD6 = 86,
};

// The puzzle finished: a quick rising C major arpeggio that rings on as a
// chord, like small bells.
Samples MakeFinish() {
  constexpr double kLength = 1.4;
  constexpr double kSpacing = 0.11;
  constexpr int kArpeggio[] = {kC5, kE5, kG5, kC6};
  constexpr Partial kBell[] = {
      {1.0, 1.0, 0.6}, {2.0, 0.35, 0.3}, {3.0, 0.12, 0.15}, {4.2, 0.05, 0.06}};
  constexpr double kSoftness = 8000.0;
  constexpr double kFadeOut = 0.35;
  Samples samples = Silence(kLength);
  double start = 0.0;
  for (const int note : kArpeggio) {
    std::vector<Partial> partials;
    for (const Partial& partial : kBell)
      partials.push_back(
          {NoteFrequency(note) * partial.frequency, partial.amplitude, partial.decay});
    AddStrike(samples, start, partials);
    start += kSpacing;
  }
  return Finish(std::move(samples), kSoftness, kFadeOut);
}

// A piece turned: a short swish of air rising in pitch.
Samples MakeSwish() {
  constexpr double kLength = 0.24;
  constexpr double kSwishLength = 0.2;
  constexpr double kFrom = 500.0;
  constexpr double kTo = 1500.0;
  constexpr double kAmplitude = 1.0;
  constexpr Adsr kEnvelope = {0.06, 0.0, 1.0, 0.08, 0.12};
  constexpr double kSoftness = 3500.0;
  constexpr double kFadeOut = 0.03;
  Noise noise(kSeedSwish);
  Samples samples = Silence(kLength);
  AddSwish(samples, 0.0, kSwishLength, kFrom, kTo, 0.0, kAmplitude, kEnvelope, noise);
  return Finish(std::move(samples), kSoftness, kFadeOut);
}

// A box opening or closing: a slower, deeper whoosh that rises and falls.
Samples MakeWhoosh() {
  constexpr double kLength = 0.42;
  constexpr double kWhooshLength = 0.38;
  constexpr double kFrom = 350.0;
  constexpr double kTo = 1400.0;
  constexpr double kBack = 600.0;
  constexpr double kAmplitude = 1.0;
  constexpr Adsr kEnvelope = {0.12, 0.0, 1.0, 0.16, 0.22};
  constexpr double kSoftness = 2500.0;
  constexpr double kFadeOut = 0.04;
  Noise noise(kSeedWhoosh);
  Samples samples = Silence(kLength);
  AddSwish(samples, 0.0, kWhooshLength, kFrom, kTo, kBack, kAmplitude, kEnvelope, noise);
  return Finish(std::move(samples), kSoftness, kFadeOut);
}

// One note of the music box: a beat number and how strongly it is plucked.
struct Pluck {
  double beat;
  int note;
  double strength;
};

// The credits' music: a calm waltz of six bars on a music box, melody
// above and the harmony's root and fifth below.
Samples MakeMusicBox() {
  constexpr double kBeat = 0.32;
  constexpr double kRing = 1.8;  // after the last note
  constexpr double kMelody = 0.9;
  constexpr double kBass = 0.45;
  constexpr double kFifth = 0.25;
  constexpr Pluck kTune[] = {// C major
                             {0, kG5, kMelody},
                             {1, kE5, kMelody},
                             {2, kC6, kMelody},
                             {0, kC4, kBass},
                             {1, kG4, kFifth},
                             // G major
                             {3, kB5, kMelody},
                             {5, kG5, kMelody},
                             {3, kG3, kBass},
                             {4, kD5, kFifth},
                             // F major
                             {6, kA5, kMelody},
                             {7, kF5, kMelody},
                             {8, kD6, kMelody},
                             {6, kF3, kBass},
                             {7, kC5, kFifth},
                             // C major
                             {9, kC6, kMelody},
                             {11, kE5, kMelody},
                             {9, kC4, kBass},
                             {10, kG4, kFifth},
                             // G seventh
                             {12, kF5, kMelody},
                             {13, kA5, kMelody},
                             {14, kB5, kMelody},
                             {12, kG3, kBass},
                             {13, kD5, kFifth},
                             // C major, left to ring
                             {15, kC6, kMelody},
                             {15, kC4, kBass},
                             {15, kE4, kFifth},
                             {15, kG4, kFifth}};
  constexpr double kLastBeat = 15;
  // A steel tine: its fundamental, a weak octave and the brief high
  // partial of a plucked cantilever.
  constexpr Partial kTine[] = {{1.0, 1.0, 0.9}, {2.0, 0.18, 0.35}, {5.93, 0.07, 0.08}};
  constexpr double kPluckLength = 0.001;
  constexpr double kPluckNoise = 0.05;
  constexpr double kPluckHardness = 8000.0;
  constexpr double kSoftness = 6000.0;
  constexpr double kFadeOut = 0.4;

  Noise noise(kSeedMusicBox);
  Samples samples = Silence(kLastBeat * kBeat + kRing);
  for (const Pluck& pluck : kTune) {
    std::vector<Partial> partials;
    for (const Partial& partial : kTine)
      partials.push_back({NoteFrequency(pluck.note) * partial.frequency,
                          pluck.strength * partial.amplitude, partial.decay});
    const double start = pluck.beat * kBeat;
    AddStrike(samples, start, partials);
    AddNoiseBurst(samples, start, kPluckLength, pluck.strength * kPluckNoise, kPluckHardness,
                  noise);
  }
  return Finish(std::move(samples), kSoftness, kFadeOut);
}

}  // namespace

const std::vector<Recipe>& Recipes() {
  static const std::vector<Recipe> recipes = {
      {SoundName(kSoundEdge), MakeKnock},    {SoundName(kSoundPickUp), MakePickUp},
      {SoundName(kSoundDrop), MakePutDown},  {SoundName(kSoundJoin), MakeJoin},
      {SoundName(kSoundSolved), MakeFinish}, {SoundName(kSoundTurn), MakeSwish},
      {SoundName(kSoundEffect), MakeWhoosh}, {kCreditsSoundName, MakeMusicBox},
  };
  return recipes;
}

}  // namespace cbst::wavgen
