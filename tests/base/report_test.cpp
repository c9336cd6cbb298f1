// report_test.cpp: assertion boxes and the fatal out-of-memory report.
#include "base/report.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/memory.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

TEST(Report, AssertionBoxesGoThroughTheSink) {
  testing::RecordingSink sink;
  sink.answer = ReportAnswer::kCancel;
  EXPECT_EQ(ReportUnexpected("RXIO:Seek !FileTemp"), ReportAnswer::kCancel);
  EXPECT_EQ(ReportUnexpected("x", nullptr), ReportAnswer::kCancel);
  ReportErrorF("Destroy !%s", "IsWindow");
  ASSERT_EQ(sink.reports.size(), 3u);
  EXPECT_EQ(sink.reports[0].kind, ReportKind::kUnexpected);
  EXPECT_EQ(sink.reports[0].title, "Situaci\xf3n imprevista");
  EXPECT_EQ(sink.reports[1].title, "BreakPoint (Cancel->brk)");
  EXPECT_EQ(sink.reports[2].kind, ReportKind::kError);
  EXPECT_EQ(sink.reports[2].title, "Error");
  EXPECT_EQ(sink.reports[2].text, "Destroy !IsWindow");
}

constexpr std::size_t kImpossibleSize = std::size_t{1} << 46;

TEST(ReportDeathTest, RunningOutOfMemoryEndsTheProcessWithMinusOne) {
  EXPECT_EXIT(Allocate(kImpossibleSize), ::testing::ExitedWithCode(255),
              "Memory allocation failed");
  EXPECT_EQ(TryAllocate(kImpossibleSize), nullptr);
}

// The sanitizers replace operator new with one that never calls the handler.
#ifndef __SANITIZE_ADDRESS__
TEST(ReportDeathTest, StandardContainersRunOutOfMemoryTheSameWay) {
  EXPECT_EXIT(
      {
        InstallOutOfMemoryHandler();
        std::vector<char> huge;
        huge.reserve(kImpossibleSize);
      },
      ::testing::ExitedWithCode(255), "Memory allocation failed");
}

TEST(ReportDeathTest, RecoverableWorkGetsBadAllocInstead) {
  EXPECT_EXIT(
      {
        InstallOutOfMemoryHandler();
        bool caught = false;
        try {
          const RecoverableAllocations recoverable;
          std::vector<char> huge;
          huge.reserve(kImpossibleSize);
        } catch (const std::bad_alloc&) {
          caught = true;
        }
        std::exit(caught ? 3 : 4);
      },
      ::testing::ExitedWithCode(3), "");
}
#endif

}  // namespace
}  // namespace cbst
