// file_system.cpp: whole-file operations on POSIX and std::filesystem.
#include "base/file_system.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/pathname.h"
#include "base/report.h"
#include "base/status_codes.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSelfCopyMessage = "No puede copiarse un archivo sobre si mismo (%s)";
constexpr char kProbeText[] = "test";
constexpr int kProbeBytes = 4;

// File-system magic numbers that tell what kind of drive a path is on.
constexpr long kNfsMagic = 0x6969;
constexpr long kSmbMagic = 0x517B;
constexpr long kCifsMagic = 0xFF534D42;
constexpr long kSmb2Magic = 0xFE534D42;
constexpr long kFuseMagic = 0x65735546;
constexpr long kIsoMagic = 0x9660;
constexpr long kUdfMagic = 0x15013346;
constexpr long kTmpfsMagic = 0x01021994;
constexpr long kRamfsMagic = 0x858458F6;

std::string ForwardSlashes(const char* name) {
  std::string path(name ? name : "");
  for (char& character : path) {
    if (character == '\\') character = '/';
  }
  return path;
}

bool SameFile(const char* first, const char* second) {
  struct stat a {};
  struct stat b {};
  if (::stat(first, &a) != 0 || ::stat(second, &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

Status RenameFile(const char* old_name, const char* new_name) {
  if (::rename(old_name, new_name) != 0) {
    return Status::Format(kStatusRenameFailed, "%s->%s", FullPathName(old_name).c_str(),
                          FullPathName(new_name).c_str());
  }
  return Status();
}

Status CopyFile(const char* source, const char* destination, bool fail_if_exists) {
  if (FullPathName(source) == FullPathName(destination) || SameFile(source, destination)) {
    ReportErrorF(kSelfCopyMessage, FullPathName(source).c_str());
    Status status(kStatusCopyOntoItself, FullPathName(source).view());
    status.MarkHandled();  // shown already
    return status;
  }
  struct stat facts {};
  if (::stat(source, &facts) != 0) {
    return Status::Format(kStatusOpenFailed, "%s (Doserr=%i)", FullPathName(source).c_str(), errno);
  }
  std::error_code error;
  const auto options =
      fail_if_exists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
  if (!fs::copy_file(source, destination, options, error)) {
    return Status::Format(kStatusOpenFailed, "%s (Doserr=%i)", FullPathName(destination).c_str(),
                          error.value());
  }
  const timespec times[2] = {facts.st_atim, facts.st_mtim};
  ::utimensat(AT_FDCWD, destination, times, 0);
  return Status();
}

bool DeleteFile(const char* name) {
  return name && ::unlink(name) == 0;
}

bool FileExists(const char* name) {
  struct stat facts {};
  return name && *name && ::stat(name, &facts) == 0;
}

VString FullPathName(const char* name) {
  std::error_code error;
  const fs::path absolute = fs::absolute(ForwardSlashes(name), error);
  if (error) return VString(name);
  return VString(absolute.lexically_normal().string());
}

VString ShortPathName(const char* name) {
  return FullPathName(name);
}

int DriveType(const char* path) {
  struct statfs facts {};
  if (!path || ::statfs(ForwardSlashes(path).c_str(), &facts) != 0) return kDriveNoRoot;
  switch (static_cast<long>(facts.f_type)) {
    case kNfsMagic:
    case kSmbMagic:
    case kCifsMagic:
    case kSmb2Magic:
    case kFuseMagic:
      return kDriveRemote;
    case kIsoMagic:
    case kUdfMagic:
      return kDriveCdRom;
    case kTmpfsMagic:
    case kRamfsMagic:
      return kDriveRamDisk;
    default:
      return kDriveFixed;
  }
}

bool IsDirectoryWritable(const char* directory) {
  // Each string is made whole at once: GCC 12 at -O3 takes a short
  // literal assigned over a string for an overlapping copy (-Wrestrict).
  const std::string folder = ForwardSlashes(directory && *directory ? directory : ".");
  std::string pattern = folder + (folder.back() == '/' ? "" : "/") + "tmpXXXXXX";
  const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool written = ::write(descriptor, kProbeText, kProbeBytes) == kProbeBytes;
  const bool closed = ::close(descriptor) == 0;
  const bool deleted = ::unlink(pattern.c_str()) == 0;
  return written && closed && deleted;
}

int DriveNumber(char letter) {
  const int upper = std::toupper(static_cast<unsigned char>(letter));
  return upper >= 'A' && upper <= 'Z' ? upper - 'A' + 1 : 0;
}

std::uint64_t FreeDiskSpace(const char* path) {
  const std::string named = ForwardSlashes(path);
  const bool drive_form = named.size() >= 2 && named[1] == ':' && DriveNumber(named[0]) != 0 &&
                          (named.size() == 2 || named[2] == '/');
  // A drive of the old system stands for the current directory.
  const std::string where = named.empty() || drive_form ? std::string(".") : named;
  struct statvfs facts {};
  if (::statvfs(where.c_str(), &facts) != 0) return 0;
  return static_cast<std::uint64_t>(facts.f_bavail) * facts.f_frsize;
}

}  // namespace cbst
