// file.h: File, the program's file object, and its open modes.
//
// Every failure comes back as a Status whose text names the file by its full
// path. Reading or writing a closed file opens it for that one transfer and
// closes it again, so no handle is ever left open behind the caller's back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/pathname.h"
#include "base/status.h"
#include "base/vstring.h"

namespace cbst {

// Open mode bits.
inline constexpr int kOpenWrite = 0x01;
inline constexpr int kOpenCreate = 0x02;  // create, or truncate an existing file
inline constexpr int kOpenRead = 0x04;
inline constexpr int kOpenExclusive = 0x10;  // nobody else may open it
inline constexpr int kOpenDenyWrite = 0x20;  // others may read, not write
// The modes of a transfer on a closed file.
inline constexpr int kOpenForOneRead = 0;
inline constexpr int kOpenForOneWrite = kOpenWrite;

// The first open raises the process's handle limit to at least this.
inline constexpr int kFileHandleLimit = 128;

class File {
 public:
  File() = default;
  explicit File(const char* path) { SetPath(path); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  virtual ~File();

  // The virtual operations, in their fixed order.
  //
  // Read-only access when kOpenRead comes without kOpenWrite, read and write
  // otherwise; kOpenWrite on a missing file adds kOpenCreate. Fails with
  // status 12 and the full name and system error.
  virtual Status Open(int mode);
  // Reports "Error close(%s)(Doserr=%i)" on failure; closed afterwards anyway.
  virtual Status Close();
  // Writing fewer bytes than asked gives status 22.
  virtual Status Write(std::int32_t count, const void* data);
  virtual Status& Write(std::span<const std::byte> data, Status& result);
  // The number of bytes read (short at the end of the file), -1 on failure.
  virtual std::int32_t Read(std::int32_t count, void* data);
  virtual std::int32_t Read(std::span<std::byte> data);

  // The new position, or -1.
  std::int64_t Seek(std::int64_t position);
  std::int64_t Tell() const;
  std::int64_t Size() const;
  // Truncates or extends to `length`; the position stays where it was.
  Status SetLength(std::int64_t length);

  void SetPath(const char* path);
  const PathName& path() const { return path_; }
  VString FullName() const;
  bool IsOpen() const { return descriptor_ >= 0; }
  // The system's descriptor while open, 0 while closed.
  int handle() const { return descriptor_ >= 0 ? descriptor_ : 0; }

  // Diagnostics: files open in the process through File.
  static int OpenCount();

 private:
  int descriptor_ = -1;
  PathName path_;
};

}  // namespace cbst
