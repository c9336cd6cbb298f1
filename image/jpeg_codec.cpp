// jpeg_codec.cpp: the error exit, stream source and destination, progress
// and scratch memory behind the JPEG entry points.
#include "image/jpeg_codec.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "base/status_codes.h"
#include "image/stream_stdio.h"
#include "platform/busy.h"

namespace cbst::codec {
namespace {

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ErrorExit(j_common_ptr codec) {
  const int code = codec->err->msg_code;
  jpeg_destroy(codec);
  CodecState().last_code = code;
  std::longjmp(CodecState().jump, 1);
}

void EmitMessage(j_common_ptr codec, int level) {
  if (level < 0) ++codec->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

void FormatMessage(j_common_ptr, char* buffer) {
  buffer[0] = '\0';
}

void InitSource(j_decompress_ptr codec) {
  reinterpret_cast<Source*>(codec->src)->at_start = true;
}

boolean FillInputBuffer(j_decompress_ptr codec) {
  auto* source = reinterpret_cast<Source*>(codec->src);
  std::size_t count = StreamRead(source->buffer, 1, kStreamBufferBytes, source->stream);
  if (count == 0) {
    if (source->at_start) RaiseError(reinterpret_cast<j_common_ptr>(codec), JERR_INPUT_EMPTY);
    if (CodecState().whole_stream)
      RaiseError(reinterpret_cast<j_common_ptr>(codec), JERR_INPUT_EOF);
    // A stream that ends early ends with a picture end marker, so what was
    // decoded so far stays.
    WARNMS(codec, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    count = 2;
  }
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = count;
  source->at_start = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr codec, long count) {
  jpeg_source_mgr* manager = codec->src;
  while (count > static_cast<long>(manager->bytes_in_buffer)) {
    count -= static_cast<long>(manager->bytes_in_buffer);
    FillInputBuffer(codec);
  }
  if (count > 0) {
    manager->next_input_byte += count;
    manager->bytes_in_buffer -= static_cast<std::size_t>(count);
  }
}

void TermSource(j_decompress_ptr) {}

void InitDestination(j_compress_ptr codec) {
  auto* destination = reinterpret_cast<Destination*>(codec->dest);
  destination->manager.next_output_byte = destination->buffer;
  destination->manager.free_in_buffer = kStreamBufferBytes;
}

boolean EmptyOutputBuffer(j_compress_ptr codec) {
  auto* destination = reinterpret_cast<Destination*>(codec->dest);
  if (StreamWrite(destination->buffer, 1, kStreamBufferBytes, destination->stream) !=
      kStreamBufferBytes) {
    RaiseError(reinterpret_cast<j_common_ptr>(codec), JERR_FILE_WRITE);
  }
  InitDestination(codec);
  return TRUE;
}

void TermDestination(j_compress_ptr codec) {
  auto* destination = reinterpret_cast<Destination*>(codec->dest);
  const std::size_t count = kStreamBufferBytes - destination->manager.free_in_buffer;
  if (count > 0 && StreamWrite(destination->buffer, 1, count, destination->stream) != count) {
    RaiseError(reinterpret_cast<j_common_ptr>(codec), JERR_FILE_WRITE);
  }
  if (StreamFlush(destination->stream) != 0 || StreamError(destination->stream) != 0) {
    RaiseError(reinterpret_cast<j_common_ptr>(codec), JERR_FILE_WRITE);
  }
}

}  // namespace

State& CodecState() {
  static State state;
  return state;
}

void BeginOperation(ProgressSink* progress, bool pump_messages, double scale) {
  State& state = CodecState();
  state.last_code = 0;
  state.progress = progress;
  state.pump_messages = pump_messages;
  state.last_percent = -1;
  state.last_report_ms = 0;
  state.progress_scale = scale;
  state.whole_stream = false;
}

jpeg_error_mgr* InstallErrorExit(jpeg_error_mgr& errors) {
  jpeg_std_error(&errors);
  errors.error_exit = ErrorExit;
  errors.emit_message = EmitMessage;
  errors.output_message = OutputMessage;
  errors.format_message = FormatMessage;
  errors.jpeg_message_table = nullptr;
  errors.last_jpeg_message = 0;
  return &errors;
}

void RaiseError(j_common_ptr codec, int code) {
  codec->err->msg_code = code;
  codec->err->error_exit(codec);
  std::abort();  // the error exit never returns
}

void AttachSource(j_decompress_ptr codec, Source& source, void* stream) {
  source.stream = stream;
  source.at_start = true;
  source.manager.next_input_byte = nullptr;
  source.manager.bytes_in_buffer = 0;
  source.manager.init_source = InitSource;
  source.manager.fill_input_buffer = FillInputBuffer;
  source.manager.skip_input_data = SkipInputData;
  source.manager.resync_to_restart = jpeg_resync_to_restart;
  source.manager.term_source = TermSource;
  codec->src = &source.manager;
}

void AttachDestination(j_compress_ptr codec, Destination& destination, void* stream) {
  destination.stream = stream;
  destination.manager.init_destination = InitDestination;
  destination.manager.empty_output_buffer = EmptyOutputBuffer;
  destination.manager.term_destination = TermDestination;
  codec->dest = &destination.manager;
}

void ReportRows(double done, double total) {
  State& state = CodecState();
  if (state.pump_messages) PumpMessages();
  if (!state.progress || total <= 0) return;
  const int percent = static_cast<int>(done * state.progress_scale * 100.0 / total);
  const std::int64_t now = NowMs();
  if (percent == state.last_percent || now - state.last_report_ms < kProgressIntervalMs) return;
  state.last_percent = percent;
  state.last_report_ms = now;
  state.progress->Progress(percent);
}

Status OperationStatus(std::uint16_t failure) {
  const int code = CodecState().last_code;
  if (code == 0) return Status();
  if (code == JERR_OUT_OF_MEMORY) return Status(kStatusOutOfMemory);
  return Status::Format(failure, "%i", code);
}

std::int64_t MemoryAvailable(std::int64_t wanted) {
  bool disk_tested = false;
  for (std::int64_t asked = wanted; asked >= 0; asked -= kMemoryProbeStep) {
    if (void* block = std::malloc(static_cast<std::size_t>(asked + kMemoryProbeMargin))) {
      std::free(block);
      return asked;
    }
    if (!disk_tested) {
      // Without memory the rows may still go to a temporary file.
      disk_tested = true;
      void* scratch = StreamTemporary();
      const bool written = scratch && StreamPutByte('1', scratch) == '1';
      if (scratch) StreamClose(scratch);
      if (!written) return 0;
    }
  }
  return 0;
}

}  // namespace cbst::codec
