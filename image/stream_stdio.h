// stream_stdio.h: stdio-shaped access to streams and FILEs alike.
//
// The codec's data source and destination, and its scratch storage, call
// these instead of stdio. A pointer entered in the stream registry is served
// by its RXIO; any other pointer is taken to be a FILE.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cbst {

// fread and fwrite: the number of whole items transferred.
std::size_t StreamRead(void* buffer, std::size_t size, std::size_t count, void* stream);
std::size_t StreamWrite(const void* buffer, std::size_t size, std::size_t count, void* stream);
// fputc: the byte written, or -1.
int StreamPutByte(int byte, void* stream);
// fseek from the start: 0 on success.
int StreamSeek(void* stream, std::int64_t position);
// fflush and ferror: streams have nothing to flush and keep no error.
int StreamFlush(void* stream);
int StreamError(void* stream);

// tmpfile: a temporary stream (see MakeTemporaryStream), or null. The stream
// belongs to the caller until StreamClose.
void* StreamTemporary();
// Closes and destroys a stream from StreamTemporary, deleting its file. A
// pointer that is no stream is reported and left alone.
void StreamClose(void* stream);

}  // namespace cbst
