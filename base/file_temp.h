// file_temp.h: FileTemp, a scratch file in the system's temporary directory.
#pragma once

#include "base/file.h"

namespace cbst {

inline constexpr const char* kTempFilePrefix = "tmp";
inline constexpr int kTempFileMode = kOpenWrite | kOpenCreate | kOpenRead;

// Made with a unique name and opened for reading and writing. Closing it
// deletes it; so does destroying it, so nothing is ever left behind.
class FileTemp final : public File {
 public:
  FileTemp();
  ~FileTemp() override;

  // Whether the constructor managed to make and open the file.
  bool made() const { return made_; }

  Status Close() override;

 private:
  void Delete();

  bool made_ = false;
};

// The system's temporary directory, ending without a separator.
VString TemporaryDirectory();

}  // namespace cbst
