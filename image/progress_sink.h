// progress_sink.h: where long picture work reports how far it got.
#pragma once

namespace cbst {

// The progress window implements this; readers and codecs call it with the
// share done so far, in percent.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Progress(double percent) = 0;
};

}  // namespace cbst
