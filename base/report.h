// report.h: the one way the foundation shows a message or ends the process.
//
// Self-reporting statuses, assertion boxes and the fatal out-of-memory message
// all end up in ReportSink::Show. The program installs a sink that opens real
// message boxes; tests install a recording sink and look at what was said.
#pragma once

#include <string>

namespace cbst {

enum class ReportKind {
  kError,       // task-modal, titled "Error", stop icon, OK
  kUnexpected,  // task-modal, exclamation icon, OK and Cancel
  kFatal,       // system-modal; the process ends after it
};

enum class ReportAnswer { kOk, kCancel };

// Title and text are Windows-1252 bytes; the sink converts them for display.
struct Report {
  ReportKind kind = ReportKind::kError;
  std::string title;
  std::string text;
};

class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual ReportAnswer Show(const Report& report) = 0;
};

// Installs `sink` (not owned; null restores the default, which writes to
// standard error) and returns the one it replaced.
ReportSink* SetReportSink(ReportSink* sink);

// Shows `text` in the ordinary error box ("Error", stop icon, OK). Used for
// misuse: the text names the operation, a "!" and the failed condition.
void ReportError(const std::string& text);

// printf-style ReportError.
[[gnu::format(printf, 1, 2)]] void ReportErrorF(const char* format, ...);

// Titles of the boxes, in Windows-1252 like every text the program shows.
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kUnexpectedTitle = "Situaci\xf3n imprevista";
inline constexpr const char* kBreakPointTitle = "BreakPoint (Cancel->brk)";
inline constexpr const char* kOutOfMemoryText = "Memory allocation failed";

// The second assertion form: OK and Cancel, titled "Situación imprevista"
// unless `title` says otherwise; a null title asks "BreakPoint (Cancel->brk)".
ReportAnswer ReportUnexpected(const std::string& text, const char* title = kUnexpectedTitle);

// Shows "Memory allocation failed" and ends the process with exit code -1.
[[noreturn]] void FatalOutOfMemory();

}  // namespace cbst
