// file_system.h: whole-file operations: rename, copy, delete, path forms,
// drive facts, free space and the writability test.
#pragma once

#include <cstdint>

#include "base/status.h"
#include "base/vstring.h"

namespace cbst {

// Drive types, numbered as the program has always numbered them.
inline constexpr int kDriveUnknown = 0;
inline constexpr int kDriveNoRoot = 1;  // the path does not exist
inline constexpr int kDriveRemovable = 2;
inline constexpr int kDriveFixed = 3;
inline constexpr int kDriveRemote = 4;
inline constexpr int kDriveCdRom = 5;
inline constexpr int kDriveRamDisk = 6;

// Fails with status 15 and "old->new" in full names.
Status RenameFile(const char* old_name, const char* new_name);
// Copies the data and gives the copy the source's file times. Copying a file
// onto itself shows "No puede copiarse un archivo sobre si mismo (%s)",
// changes nothing and gives status 16, already reported.
Status CopyFile(const char* source, const char* destination, bool fail_if_exists = false);
bool DeleteFile(const char* name);
bool FileExists(const char* name);
// Absolute and without "." or ".." steps; "\" is read as a separator.
VString FullPathName(const char* name);
// This system has no short names: the full path.
VString ShortPathName(const char* name);
int DriveType(const char* path);
// Writes "test" to a fresh file in `directory` and deletes it again.
bool IsDirectoryWritable(const char* directory);
// A = 1 ... Z = 26 (either case); anything else is the current drive, 0.
int DriveNumber(char letter);
// Bytes free to the user on the file system holding `path`. A drive form
// such as "w:" has no drive here and means the current directory's.
std::uint64_t FreeDiskSpace(const char* path);

}  // namespace cbst
