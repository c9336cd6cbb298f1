// status.h: Status, the 32-bit result word of nearly every operation.
//
// Bits 0-15 hold the result code (0 is success), bit 16 is set once the result
// has been reported or inspected, bit 18 when a text goes with it. The text
// lives in one module-wide string, so only the newest status text survives.
// A failure that is dropped or overwritten before anybody looked at it reports
// itself once, through the report hook.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cbst {

// A Status must be looked at: a dropped result is a compile error. Code that
// means to ignore one says so with MarkHandled().
class [[nodiscard]] Status {
 public:
  static constexpr std::uint32_t kCodeMask = 0xFFFF;
  static constexpr std::uint32_t kReportedBit = 1u << 16;
  static constexpr std::uint32_t kHasTextBit = 1u << 18;

  Status() = default;
  explicit Status(std::uint16_t code) : word_(code) {}
  // A failure with a text, which replaces the module-wide status text.
  Status(std::uint16_t code, std::string_view text);
  [[gnu::format(printf, 2, 3)]] static Status Format(std::uint16_t code, const char* format, ...);

  // Moving takes the result over and marks the source as reported.
  Status(Status&& other) noexcept;
  Status& operator=(Status&& other) noexcept;
  Status(const Status&) = delete;
  Status& operator=(const Status&) = delete;
  ~Status();

  // Inspection: reading the code counts as handling it.
  std::uint16_t code() const {
    word_ |= kReportedBit;
    return static_cast<std::uint16_t>(word_ & kCodeMask);
  }
  bool ok() const { return code() == 0; }
  bool failed() const { return code() != 0; }
  // Counts as handled without looking: for a result the caller has chosen to
  // let go (a close after a failure already returned, a fallback tried next).
  void MarkHandled() const { word_ |= kReportedBit; }

  // Reads the code without counting as handled: for passing a result on.
  std::uint16_t peek() const { return static_cast<std::uint16_t>(word_ & kCodeMask); }
  std::uint32_t word() const { return word_; }
  bool reported() const { return (word_ & kReportedBit) != 0; }
  bool has_text() const { return (word_ & kHasTextBit) != 0; }
  // The module-wide text when this status has one, else empty.
  std::string text() const;

  // Reports now unless already reported; marks reported in any case.
  void Report();

 private:
  void ReportIfPending();

  mutable std::uint32_t word_ = 0;
};

// The player said no: a failure that tells the caller to stop and has
// nothing to report.
Status QuietCancel();

// Returns from the enclosing function when `expression` yields a failure,
// handing the still unreported Status to the caller.
#define CBST_TRY(expression)                                   \
  do {                                                         \
    ::cbst::Status cbst_try_status_ = (expression);            \
    if (cbst_try_status_.peek() != 0) return cbst_try_status_; \
  } while (false)

// The module-wide status slot that operations without a return value store
// into. The allocator reports it, when unreported, before allocating.
Status& PendingStatus();

// The message for a code, from the dictionary once it is loaded ("Error #%i"
// until then). The dictionary installs its lookup here.
using ErrorTextLookup = std::string (*)(std::uint32_t code);
void SetErrorTextLookup(ErrorTextLookup lookup);

// The text a self-reporting status shows: the message for `code` combined with
// the status text (alone when the message is blank, at its "%s" when it has
// one, else after one blank). A UTF-8 text (a path) is shown in the
// message's Windows-1252.
std::string StatusMessage(std::uint16_t code, const std::string& text);

}  // namespace cbst
