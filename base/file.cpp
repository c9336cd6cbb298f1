// file.cpp: File on POSIX descriptors, with advisory locks for sharing.
#include "base/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_system.h"
#include "base/report.h"
#include "base/status_codes.h"

namespace cbst {
namespace {

int open_files = 0;

void RaiseHandleLimitOnce() {
  static bool raised = false;
  if (raised) return;
  raised = true;
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= rlim_t{kFileHandleLimit}) return;
  limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || limit.rlim_max >= rlim_t{kFileHandleLimit}
                       ? rlim_t{kFileHandleLimit}
                       : limit.rlim_max;
  setrlimit(RLIMIT_NOFILE, &limit);
}

// Keeps a descriptor that is open for a single transfer, and closes it after.
class OneTransfer {
 public:
  OneTransfer(File& file, int mode) : file_(file) {
    if (!file.IsOpen()) {
      status_ = file.Open(mode);
      opened_ = status_.peek() == 0;
    }
  }
  ~OneTransfer() {
    if (opened_) file_.Close().MarkHandled();
  }
  OneTransfer(const OneTransfer&) = delete;
  OneTransfer& operator=(const OneTransfer&) = delete;
  Status& status() { return status_; }

 private:
  File& file_;
  Status status_;
  bool opened_ = false;
};

}  // namespace

File::~File() {
  if (IsOpen()) Close().MarkHandled();
}

int File::OpenCount() {
  return open_files;
}

void File::SetPath(const char* path) {
  path_.Set(path);
}

VString File::FullName() const {
  return FullPathName(path_.Compose().c_str());
}

Status File::Open(int mode) {
  if (IsOpen()) Close().MarkHandled();
  RaiseHandleLimitOnce();
  const VString name = path_.Compose();
  const auto failure = [&](int error) {
    return Status::Format(kStatusOpenFailed, "%s (Doserr=%i)", FullName().c_str(), error);
  };

  if ((mode & kOpenWrite) && !(mode & kOpenCreate) && !FileExists(name.c_str())) {
    mode |= kOpenCreate;
  }
  if (mode & kOpenCreate) {
    const int created = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (created < 0) return failure(errno);
    ::close(created);
  }

  const bool read_only = (mode & kOpenRead) && !(mode & kOpenWrite);
  int descriptor = ::open(name.c_str(), (read_only ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  // A one-transfer read asks for read and write; a file we may only read
  // is still read.
  if (descriptor < 0 && mode == kOpenForOneRead && (errno == EACCES || errno == EROFS)) {
    descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (descriptor < 0) return failure(errno);

  const int lock = (mode & kOpenExclusive) ? LOCK_EX : (mode & kOpenDenyWrite) ? LOCK_SH : 0;
  if (lock && ::flock(descriptor, lock | LOCK_NB) != 0) {
    const int error = errno;
    ::close(descriptor);
    return failure(error);
  }
  descriptor_ = descriptor;
  ++open_files;
  return Status();
}

Status File::Close() {
  if (!IsOpen()) return Status();
  const int descriptor = descriptor_;
  descriptor_ = -1;
  --open_files;
  if (::close(descriptor) != 0) {
    ReportErrorF("Error close(%s)(Doserr=%i)", FullName().c_str(), errno);
  }
  return Status();
}

Status File::Write(std::int32_t count, const void* data) {
  OneTransfer transfer(*this, kOpenForOneWrite);
  if (transfer.status().peek() != 0) return std::move(transfer.status());
  const auto* bytes = static_cast<const char*>(data);
  std::int64_t written = 0;
  while (written < count) {
    const ssize_t step =
        ::write(descriptor_, bytes + written, static_cast<std::size_t>(count - written));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) break;
    written += step;
  }
  if (written < count) return Status(kStatusWriteFailed, FullName().view());
  return Status();
}

Status& File::Write(std::span<const std::byte> data, Status& result) {
  result = Write(static_cast<std::int32_t>(data.size()), data.data());
  return result;
}

std::int32_t File::Read(std::int32_t count, void* data) {
  OneTransfer transfer(*this, kOpenForOneRead);
  if (transfer.status().peek() != 0) {
    // Nothing to return it with: it waits, unreported, in the pending slot.
    PendingStatus() = std::move(transfer.status());
    return -1;
  }
  auto* bytes = static_cast<char*>(data);
  std::int32_t done = 0;
  while (done < count) {
    const ssize_t step = ::read(descriptor_, bytes + done, static_cast<std::size_t>(count - done));
    if (step < 0 && errno == EINTR) continue;
    if (step < 0) return -1;
    if (step == 0) break;
    done += static_cast<std::int32_t>(step);
  }
  return done;
}

std::int32_t File::Read(std::span<std::byte> data) {
  return Read(static_cast<std::int32_t>(data.size()), data.data());
}

std::int64_t File::Seek(std::int64_t position) {
  if (!IsOpen()) return -1;
  return ::lseek(descriptor_, position, SEEK_SET);
}

std::int64_t File::Tell() const {
  if (!IsOpen()) return -1;
  return ::lseek(descriptor_, 0, SEEK_CUR);
}

std::int64_t File::Size() const {
  struct stat facts {};
  if (IsOpen()) {
    if (::fstat(descriptor_, &facts) != 0) return -1;
  } else if (::stat(path_.Compose().c_str(), &facts) != 0) {
    return -1;
  }
  return facts.st_size;
}

Status File::SetLength(std::int64_t length) {
  OneTransfer transfer(*this, kOpenForOneWrite);
  if (transfer.status().peek() != 0) return std::move(transfer.status());
  const std::int64_t position = Tell();
  if (::ftruncate(descriptor_, length) != 0) {
    return Status::Format(kStatusWriteFailed, "chsize (Doserr=%i)", errno);
  }
  ::lseek(descriptor_, position, SEEK_SET);
  return Status();
}

}  // namespace cbst
