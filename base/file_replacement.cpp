// file_replacement.cpp: FileReplacement on mkstemp, fsync and rename.
#include "base/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/file.h"
#include "base/status_codes.h"

namespace cbst {
namespace {

// Permissions of a new file: what the user's umask leaves of rw-rw-rw-.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool SyncPath(const char* path, int flags) {
  const int descriptor = ::open(path, flags | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = ::fsync(descriptor) == 0;
  ::close(descriptor);
  return synced;
}

}  // namespace

FileReplacement::FileReplacement(const char* target) : target_(target) {
  std::string pattern = std::string(target) + ".tmpXXXXXX";
  const int descriptor = ::mkstemp(pattern.data());
  if (descriptor < 0) {
    // The player knows the file by its own name, not its temporary one.
    status_ = Status::Format(kStatusOpenFailed, "%s (Doserr=%i)", target, errno);
    return;
  }
  struct stat existing {};
  const mode_t mode = ::stat(target, &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
  ::fchmod(descriptor, mode);
  ::close(descriptor);
  temporary_ = VString(pattern.c_str());
}

FileReplacement::~FileReplacement() {
  if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
}

Status FileReplacement::Commit() {
  if (temporary_.empty()) return Status(kStatusOpenFailed, target_.view());
  if (!SyncPath(temporary_.c_str(), O_RDONLY)) {
    return Status::Format(kStatusWriteFailed, "%s (Doserr=%i)", temporary_.c_str(), errno);
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    return Status::Format(kStatusRenameFailed, "%s->%s", temporary_.c_str(), target_.c_str());
  }
  committed_ = true;
  // The rename itself lasts only once the folder is on the disk too.
  const std::filesystem::path folder = std::filesystem::path(target_.c_str()).parent_path();
  SyncPath(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  return Status();
}

bool SameFile(const char* one, const char* other) {
  std::error_code error;
  return std::filesystem::equivalent(one, other, error) && !error;
}

Status WriteWholeFile(const char* path, std::span<const std::uint8_t> bytes, File* through) {
  FileReplacement replacement(path);
  CBST_TRY(replacement.TakeStatus());
  File own;
  File& file = through ? *through : own;
  file.SetPath(replacement.path());
  CBST_TRY(file.Open(kOpenWrite | kOpenCreate));
  Status written = file.Write(static_cast<std::int32_t>(bytes.size()), bytes.data());
  Status closed = file.Close();
  CBST_TRY(std::move(written));
  CBST_TRY(std::move(closed));
  return replacement.Commit();
}

}  // namespace cbst
