// failing_file.h: a file that takes only its first `budget` bytes and then
// fails, as a full disk or a pulled drive would, for tests of writers that
// must never leave half a file behind.
#pragma once

#include <algorithm>
#include <cstdint>

#include "base/file.h"
#include "base/status.h"
#include "base/status_codes.h"

namespace cbst::testing {

class FailingFile final : public File {
 public:
  explicit FailingFile(std::int32_t budget) : budget_(budget) {}
  Status Write(std::int32_t count, const void* data) override {
    const std::int32_t taken = std::min(count, budget_);
    if (taken > 0) CBST_TRY(File::Write(taken, data));
    budget_ -= taken;
    return taken < count ? Status(kStatusWriteFailed, "full") : Status();
  }

 private:
  std::int32_t budget_;
};

}  // namespace cbst::testing
