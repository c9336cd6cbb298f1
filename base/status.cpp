// status.cpp: moving, inspecting and self-reporting result words.
#include "base/status.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

#include "base/cp1252.h"
#include "base/report.h"
#include "base/status_codes.h"
#include "base/text_tests.h"

namespace cbst {
namespace {

std::string status_text;  // the text of the newest status that had one
ErrorTextLookup error_text_lookup = nullptr;

std::string ErrorText(std::uint16_t code) {
  if (error_text_lookup) return error_text_lookup(code);
  return "Error #" + std::to_string(code);
}

}  // namespace

Status::Status(std::uint16_t code, std::string_view text) : word_(code | kHasTextBit) {
  status_text.assign(text);
}

Status Status::Format(std::uint16_t code, const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return Status(code, text);
}

Status::Status(Status&& other) noexcept
    : word_(std::exchange(other.word_, other.word_ | kReportedBit)) {}

Status& Status::operator=(Status&& other) noexcept {
  if (this != &other) {
    ReportIfPending();
    word_ = other.word_;
    other.word_ |= kReportedBit;
  }
  return *this;
}

Status::~Status() {
  ReportIfPending();
}

std::string Status::text() const {
  return has_text() ? status_text : std::string();
}

void Status::Report() {
  if (!reported() && peek() != 0) {
    word_ |= kReportedBit;
    ReportError(StatusMessage(peek(), text()));
  }
  word_ |= kReportedBit;
}

void Status::ReportIfPending() {
  if (!reported() && peek() != 0) Report();
}

Status& PendingStatus() {
  static Status pending;
  return pending;
}

void SetErrorTextLookup(ErrorTextLookup lookup) {
  error_text_lookup = lookup;
}

std::string StatusMessage(std::uint16_t code, const std::string& given) {
  // A status's text is mostly a path, which the file system gives as UTF-8,
  // while messages are Windows-1252; a text that is not UTF-8 is taken to
  // be Windows-1252 already.
  const std::string text = IsUtf8(given) ? Utf8ToCp1252(given) : given;
  std::string message = ErrorText(code);
  if (IsBlank(message.c_str())) return text;
  if (auto at = message.find("%s"); at != std::string::npos) {
    message.replace(at, 2, text);
    return message;
  }
  if (!text.empty()) message += ' ' + text;
  return message;
}

Status QuietCancel() {
  Status cancelled(kStatusQuietCancel);
  cancelled.MarkHandled();
  return cancelled;
}

}  // namespace cbst
