// jpeg_codec.h: what the JPEG entry points share: the error exit that
// brings control back to them, the data source and destination over
// streams, the progress reports and the codec's scratch memory.
//
// libjpeg reports fatal errors through a callback that must not return, so
// the error exit jumps back to the entry point with longjmp. A jump skips
// destructors: the functions that set the jump target and everything the
// codec calls back hold only plain data. Objects with destructors live in
// the entry points' callers, which release them after the codec returned.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>
// After jpeglib.h, which it needs: the message codes and macros.
#include <jerror.h>

#include "base/status.h"
#include "image/progress_sink.h"

namespace cbst::codec {

inline constexpr std::size_t kStreamBufferBytes = 4096;
// Progress is reported at most this often.
inline constexpr std::int64_t kProgressIntervalMs = 150;
// A scratch request is probed with this much more than it asks for, and
// lowered by the step after each failure.
inline constexpr std::int64_t kMemoryProbeMargin = 5000;
inline constexpr std::int64_t kMemoryProbeStep = 50000;

// The codec state of the one JPEG operation that may run at a time.
struct State {
  std::jmp_buf jump;
  int last_code = 0;  // the codec's last message number, 0 for none
  ProgressSink* progress = nullptr;
  bool pump_messages = false;
  int last_percent = -1;
  std::int64_t last_report_ms = 0;
  double progress_scale = 1.0;
  // A stream that ends before its picture is complete is an error rather
  // than a picture finished in grey.
  bool whole_stream = false;
};
State& CodecState();

// Starts an operation: no message yet, progress to `progress`.
void BeginOperation(ProgressSink* progress, bool pump_messages, double scale);
// The error manager with the program's exit: destroy the codec object,
// remember the message number and jump to CodecState().jump. Warnings are
// only counted and no message text is ever made.
jpeg_error_mgr* InstallErrorExit(jpeg_error_mgr& errors);
// Raises a codec error with `code` (e.g. a write error found by the
// program) through the error exit.
[[noreturn]] void RaiseError(j_common_ptr codec, int code);

// Reads from, and writes to, a stream or FILE through the stdio-shaped
// functions. The managers live in plain storage the caller provides.
struct Source {
  jpeg_source_mgr manager;
  void* stream;
  bool at_start;
  JOCTET buffer[kStreamBufferBytes];
};
void AttachSource(j_decompress_ptr codec, Source& source, void* stream);

struct Destination {
  jpeg_destination_mgr manager;
  void* stream;
  JOCTET buffer[kStreamBufferBytes];
};
void AttachDestination(j_compress_ptr codec, Destination& destination, void* stream);

// Reports `done` of `total` rows, scaled by the operation's factor, once
// per percentage and at most every 150 ms; pumps messages first when asked.
void ReportRows(double done, double total);

// The Status of the operation that just ended: 2 for the codec's
// out-of-memory message, else `failure` with the message number as text.
Status OperationStatus(std::uint16_t failure);

// How much of `wanted` bytes of scratch memory the codec may have: all when
// the heap has it to spare, 0 when neither the heap nor the temporary
// directory can help.
std::int64_t MemoryAvailable(std::int64_t wanted);

}  // namespace cbst::codec
