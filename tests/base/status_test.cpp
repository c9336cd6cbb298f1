// status_test.cpp: moving, inspecting and self-reporting result words.
#include "base/status.h"

#include <gtest/gtest.h>

#include "base/status_codes.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

Status Failing(std::uint16_t code) {
  return Status(code);
}

Status PassesOn(std::uint16_t code) {
  CBST_TRY(Failing(code));
  return Status();
}

TEST(Status, DroppedFailureReportsItselfExactlyOnce) {
  testing::RecordingSink sink;
  { Status status(kStatusOpenFailed); }
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].title, "Error");
  EXPECT_EQ(sink.reports[0].text, "Error #12");
}

TEST(Status, InspectedOrSuccessfulStatusStaysQuiet) {
  testing::RecordingSink sink;
  { Status success; }
  {
    Status inspected(kStatusWriteFailed);
    EXPECT_EQ(inspected.code(), kStatusWriteFailed);
    EXPECT_TRUE(inspected.reported());
  }
  { Failing(3).failed(); }
  EXPECT_TRUE(sink.reports.empty());
}

TEST(Status, MoveHandsTheReportToTheTarget) {
  testing::RecordingSink sink;
  {
    Status target;
    {
      Status source(kStatusRenameFailed);
      target = std::move(source);
      EXPECT_TRUE(source.reported());
    }
    EXPECT_TRUE(sink.reports.empty());
  }
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Error #15"});
}

TEST(Status, OverwritingAnUnreportedFailureReportsIt) {
  testing::RecordingSink sink;
  Status status(kStatusOpenFailed);
  status = Status(kStatusWriteFailed);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Error #12"});
  status.MarkHandled();
}

TEST(Status, TryPassesTheFailureOnUnreported) {
  testing::RecordingSink sink;
  Status status = PassesOn(7);
  EXPECT_FALSE(status.reported());
  EXPECT_EQ(status.code(), 7);
  EXPECT_TRUE(sink.reports.empty());
}

TEST(Status, TextJoinsTheMessageAsTheDictionarySays) {
  testing::RecordingSink sink;
  { Status status(kStatusOpenFailed, "/tmp/x.puz"); }
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Error #12 /tmp/x.puz"});

  SetErrorTextLookup([](std::uint32_t code) -> std::string {
    return code == 1 ? "Cannot open %s." : code == 2 ? "  " : "Failed:";
  });
  EXPECT_EQ(StatusMessage(1, "a.puz"), "Cannot open a.puz.");
  EXPECT_EQ(StatusMessage(2, "a.puz"), "a.puz");
  EXPECT_EQ(StatusMessage(3, "a.puz"), "Failed: a.puz");
  // Paths come from the file system in UTF-8, messages are Windows-1252;
  // a name that is Windows-1252 already is left alone.
  EXPECT_EQ(StatusMessage(1, "/p/Caf\u00E9 \u00FC.sav"), "Cannot open /p/Caf\xE9 \xFC.sav.");
  EXPECT_EQ(StatusMessage(1, "/p/Caf\xE9.sav"), "Cannot open /p/Caf\xE9.sav.");
  SetErrorTextLookup(nullptr);
}

TEST(Status, OnlyTheNewestTextSurvives) {
  Status first(1, "first");
  Status second(2, "second");
  EXPECT_EQ(first.text(), "second");
  first.MarkHandled();
  second.MarkHandled();
}

}  // namespace
}  // namespace cbst
