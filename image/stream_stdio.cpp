// stream_stdio.cpp: the stdio-shaped functions over streams and FILEs.
#include "image/stream_stdio.h"

#include <climits>
#include <cstdio>
#include <memory>

#include "base/report.h"
#include "image/stream.h"

namespace cbst {
namespace {

RXIO* AsStream(void* pointer) {
  return IsRegisteredStream(pointer) ? static_cast<RXIO*>(pointer) : nullptr;
}

std::int32_t TransferSize(std::size_t size, std::size_t count) {
  if (size == 0 || count > static_cast<std::size_t>(INT32_MAX) / size) return 0;
  return static_cast<std::int32_t>(size * count);
}

}  // namespace

std::size_t StreamRead(void* buffer, std::size_t size, std::size_t count, void* stream) {
  RXIO* rxio = AsStream(stream);
  if (!rxio) return std::fread(buffer, size, count, static_cast<std::FILE*>(stream));
  std::int32_t bytes = TransferSize(size, count);
  if (bytes == 0) return 0;
  return static_cast<std::size_t>(rxio->Read(bytes, buffer)) / size;
}

std::size_t StreamWrite(const void* buffer, std::size_t size, std::size_t count, void* stream) {
  RXIO* rxio = AsStream(stream);
  if (!rxio) return std::fwrite(buffer, size, count, static_cast<std::FILE*>(stream));
  std::int32_t bytes = TransferSize(size, count);
  if (bytes == 0) return 0;
  return static_cast<std::size_t>(rxio->Write(bytes, buffer)) / size;
}

int StreamPutByte(int byte, void* stream) {
  RXIO* rxio = AsStream(stream);
  if (!rxio) return std::fputc(byte, static_cast<std::FILE*>(stream));
  auto value = static_cast<unsigned char>(byte);
  return rxio->Write(1, &value) == 1 ? value : -1;
}

int StreamSeek(void* stream, std::int64_t position) {
  RXIO* rxio = AsStream(stream);
  if (!rxio)
    return std::fseek(static_cast<std::FILE*>(stream), static_cast<long>(position), SEEK_SET);
  return rxio->Seek(position);
}

int StreamFlush(void* stream) {
  if (AsStream(stream)) return 0;
  return std::fflush(static_cast<std::FILE*>(stream));
}

int StreamError(void* stream) {
  if (AsStream(stream)) return 0;
  return std::ferror(static_cast<std::FILE*>(stream));
}

void* StreamTemporary() {
  return MakeTemporaryStream().release();
}

void StreamClose(void* stream) {
  RXIO* rxio = AsStream(stream);
  if (!rxio) {
    ReportUnexpected(kStreamNotRegisteredMessage);
    return;
  }
  // Made by StreamTemporary, which handed its ownership to the caller.
  std::unique_ptr<RXIO> owned(rxio);
  owned->Close();
}

}  // namespace cbst
