// report.cpp: routes every message of the foundation to the installed sink.
#include "base/report.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace cbst {
namespace {

// Without a sink (tools, early start-up) messages go to standard error.
class StandardErrorSink final : public ReportSink {
 public:
  ReportAnswer Show(const Report& report) override {
    std::fprintf(stderr, "%s: %s\n", report.title.c_str(), report.text.c_str());
    return ReportAnswer::kOk;
  }
};

StandardErrorSink standard_error_sink;
ReportSink* current_sink = &standard_error_sink;

}  // namespace

ReportSink* SetReportSink(ReportSink* sink) {
  ReportSink* previous = current_sink;
  current_sink = sink ? sink : &standard_error_sink;
  return previous == &standard_error_sink ? nullptr : previous;
}

void ReportError(const std::string& text) {
  current_sink->Show({ReportKind::kError, kErrorTitle, text});
}

void ReportErrorF(const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  ReportError(text);
}

ReportAnswer ReportUnexpected(const std::string& text, const char* title) {
  return current_sink->Show({ReportKind::kUnexpected, title ? title : kBreakPointTitle, text});
}

void FatalOutOfMemory() {
  current_sink->Show({ReportKind::kFatal, "Cobblestack", kOutOfMemoryText});
  std::exit(-1);
}

}  // namespace cbst
