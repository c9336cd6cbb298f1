// stream.h: RXIO, the byte streams the picture codecs read and write.
//
// The JPEG codec reads and writes through a handful of stdio-shaped
// functions (stream_stdio.h). They are handed either a FILE or one of these
// streams, and tell them apart by the registry every live stream is entered
// in, so that the codec can work on disk files, byte arrays and Dibs alike.
#pragma once

#include <cstdint>
#include <memory>

#include "base/array_p.h"
#include "base/dyn_array.h"
#include "base/file.h"

namespace cbst {

class Dib;

inline constexpr const char* kStreamSeekMessage = "RXIO:Seek !FileTemp";
inline constexpr const char* kStreamNotRegisteredMessage = "FileTemp !RXIO";

class RXIO {
 public:
  RXIO();
  RXIO(const RXIO&) = delete;
  RXIO& operator=(const RXIO&) = delete;
  virtual ~RXIO();

  // The virtual operations, in their fixed order.
  //
  // Releases what the stream holds.
  virtual void Close() = 0;
  // The number of bytes written, 0 on failure.
  virtual std::int32_t Write(std::int32_t count, const void* data) = 0;
  // The number of bytes read, fewer at the end.
  virtual std::int32_t Read(std::int32_t count, void* data) = 0;
  // The Dib the stream carries, if any.
  virtual Dib* TargetDib() { return nullptr; }
  // Moves to an absolute position; 0 on success. Only file streams can:
  // the others report the misuse and stay where they are.
  virtual int Seek(std::int64_t position);
};

// Every live stream, in the order they were made. Not owning.
const ArrayP<RXIO>& StreamRegistry();
// Whether `pointer` is a live stream rather than a FILE.
bool IsRegisteredStream(const void* pointer);

// Appends to a byte array and reads it back from the start.
class MemStream final : public RXIO {
 public:
  // `bytes` must have one-byte elements and outlive the stream.
  explicit MemStream(DynArray& bytes);

  void Close() override {}
  std::int32_t Write(std::int32_t count, const void* data) override;
  std::int32_t Read(std::int32_t count, void* data) override;

  // Readers call this first: a failed growth then returns quietly instead of
  // ending the program.
  void PrepareForReading();

 private:
  DynArray& bytes_;
  std::int32_t position_ = 0;
};

// A file object, borrowed or owned.
class FileStream final : public RXIO {
 public:
  explicit FileStream(File& file) : file_(&file) {}
  explicit FileStream(std::unique_ptr<File> file) : owned_(std::move(file)), file_(owned_.get()) {}

  void Close() override;
  std::int32_t Write(std::int32_t count, const void* data) override;
  std::int32_t Read(std::int32_t count, void* data) override;
  int Seek(std::int64_t position) override;

  File& file() { return *file_; }

 private:
  std::unique_ptr<File> owned_;
  File* file_;
};

// Carries a Dib to the decoder, which fills it row by row; nothing is read
// or written through the stream itself.
class DibTarget final : public RXIO {
 public:
  explicit DibTarget(Dib& dib) : dib_(dib) {}

  void Close() override {}
  std::int32_t Write(std::int32_t, const void*) override { return 0; }
  std::int32_t Read(std::int32_t, void*) override { return 0; }
  Dib* TargetDib() override { return &dib_; }

 private:
  Dib& dib_;
};

// A stream on a new FileTemp for scratch storage, or none when the file
// could not be made. Closing the stream deletes the file.
std::unique_ptr<RXIO> MakeTemporaryStream();

}  // namespace cbst
