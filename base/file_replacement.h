// file_replacement.h: FileReplacement, a new version of a file written beside
// it and put in its place only once it is whole.
//
// A file the program writes from start to end is never rewritten in place:
// the writer fills a temporary file in the same folder, and Commit() renames
// it over the old one. A write that fails or is interrupted at any byte
// leaves the old file as it was, and no temporary file behind.
#pragma once

#include <cstdint>
#include <span>

#include "base/status.h"
#include "base/vstring.h"

namespace cbst {

class File;

class FileReplacement {
 public:
  // Makes the empty temporary file beside `target`, with the permissions
  // the target has (or would get as a new file).
  explicit FileReplacement(const char* target);
  // Deletes the temporary file unless it was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Whether the temporary file could be made; status 12 with its name if not.
  Status TakeStatus() { return std::move(status_); }
  // Where the writer writes the new contents.
  const char* path() const { return temporary_.c_str(); }
  const char* target() const { return target_.c_str(); }

  // Flushes the new contents to the disk and renames them over the target.
  // Call it after the writer has closed the temporary file.
  Status Commit();

 private:
  VString target_;
  VString temporary_;
  Status status_;
  bool committed_ = false;
};

// Writes `bytes` as the file `path` through a FileReplacement: a failed
// write leaves the old file as it was. `through`, when given, is the file
// object that does the writing (its path is set to the temporary file).
Status WriteWholeFile(const char* path, std::span<const std::uint8_t> bytes,
                      File* through = nullptr);

// Whether two paths name the same existing file (through links too).
bool SameFile(const char* one, const char* other);

}  // namespace cbst
