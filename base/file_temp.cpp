// file_temp.cpp: making, and always removing, temporary files.
#include "base/file_temp.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/file_system.h"

namespace cbst {

VString TemporaryDirectory() {
  const char* directory = std::getenv("TMPDIR");
  std::string path = directory && *directory ? directory : "/tmp";
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return VString(path);
}

FileTemp::FileTemp() {
  std::string pattern = TemporaryDirectory().str() + "/" + kTempFilePrefix + "XXXXXX";
  // mkostemp claims the unique name; the file is then opened the usual way.
  const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor < 0) return;
  ::close(descriptor);
  SetPath(pattern.c_str());
  Status status = Open(kTempFileMode);
  made_ = status.peek() == 0;
  if (!made_) Delete();
}

FileTemp::~FileTemp() {
  File::Close().MarkHandled();
  Delete();
}

Status FileTemp::Close() {
  Status status = File::Close();
  Delete();
  return status;
}

void FileTemp::Delete() {
  const VString name = path().Compose();
  if (!name.empty()) DeleteFile(name.c_str());
  SetPath(nullptr);
}

}  // namespace cbst
