// recording_sink.h: a report sink for tests that keeps what was reported.
#pragma once

#include <string>
#include <vector>

#include "base/report.h"

namespace cbst::testing {

// Installed for its lifetime; restores the previous sink afterwards.
class RecordingSink final : public ReportSink {
 public:
  RecordingSink() : previous_(SetReportSink(this)) {}
  ~RecordingSink() override { SetReportSink(previous_); }
  RecordingSink(const RecordingSink&) = delete;
  RecordingSink& operator=(const RecordingSink&) = delete;

  ReportAnswer Show(const Report& report) override {
    reports.push_back(report);
    return answer;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Report& report : reports)
      result.push_back(report.text);
    return result;
  }
  void clear() { reports.clear(); }

  std::vector<Report> reports;
  ReportAnswer answer = ReportAnswer::kOk;

 private:
  ReportSink* previous_;
};

}  // namespace cbst::testing
