// recording_host.h: a board host for tests and benchmarks that keeps what
// the rules asked for and answers with a table of a chosen size.
#pragma once

#include <memory>
#include <vector>

#include "play/board_codes.h"
#include "play/board_host.h"

namespace cbst::testing {

class RecordingHost final : public BoardHost {
 public:
  void Redraw(std::uint8_t, const Rect16&) override { ++redraws; }
  void RedrawPiece(int) override { ++redraws; }
  void LockPainting(bool locked) override { locks += locked ? 1 : -1; }
  bool LiftGroup(const std::vector<int>& group, const Rect16&) override {
    lifted = lift ? static_cast<int>(group.size()) : 0;
    return lift;
  }
  void DropLiftedGroup() override { lifted = 0; }
  Rect16 Surface(std::uint8_t) override { return surface; }
  std::vector<Rect16> CoveredAreas(std::uint8_t, bool) override { return covered; }
  Rect16 AssemblyArea() override { return assembly; }
  void Fly(int, int, int, int) override {}
  void PlaySound(BoardSound sound) override { sounds.push_back(sound); }
  void Sparkle(std::uint8_t, int, int) override {}
  void StartCompletionEffect(int sparkles) override { completion = sparkles; }
  void StopClock() override { clock_stopped = true; }
  void CountJoinedSides(int sides) override { joined_sides += sides; }
  void CountMove() override { ++moves; }
  void CountHelp(int cost) override { help_costs.push_back(cost); }
  void AskForSave(bool urgent) override {
    ++save_requests;
    urgent_saves += urgent ? 1 : 0;
  }
  // Progress goes into `progress`, each window's reports after its label.
  std::unique_ptr<ProgressSink> ProgressWindowFor(int message) override {
    progress.push_back(-message);
    return std::make_unique<Recorder>(progress);
  }
  std::uint8_t BoxUnder(std::uint8_t, const Rect16&) override { return kTableWindow; }
  void FitBox(std::uint8_t) override {}

  Rect16 surface{0, 0, 1920, 1080};
  Rect16 assembly{1100, 0, 800, 600};
  std::vector<Rect16> covered;
  bool lift = false;  // carry dragged groups as one picture
  int lifted = 0;
  int redraws = 0;
  int locks = 0;
  int joined_sides = 0;
  int completion = 0;
  int save_requests = 0;
  int urgent_saves = 0;
  int moves = 0;
  bool clock_stopped = false;
  std::vector<BoardSound> sounds;
  std::vector<int> help_costs;
  std::vector<double> progress;

 private:
  class Recorder final : public ProgressSink {
   public:
    explicit Recorder(std::vector<double>& into) : into_(into) {}
    void Progress(double percent) override { into_.push_back(percent); }

   private:
    std::vector<double>& into_;
  };
};

}  // namespace cbst::testing
