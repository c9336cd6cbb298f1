// progress_sink.h: where long work (pictures, puzzles, folder scans)
// reports how far it got.
#pragma once

namespace cbst {

// The progress window implements this; readers, codecs and the puzzle maker
// call it with the share done so far, in percent.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Progress(double percent) = 0;
};

// Passes progress on as a part of the owner's range: from `from` to `to`
// percent of it.
class ProgressRange final : public ProgressSink {
 public:
  ProgressRange(ProgressSink& owner, double from, double to)
      : owner_(owner), from_(from), to_(to) {}
  void Progress(double percent) override {
    owner_.Progress(from_ + percent * (to_ - from_) / 100.0);
  }

 private:
  ProgressSink& owner_;
  double from_;
  double to_;
};

}  // namespace cbst
