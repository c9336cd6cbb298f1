// dir_cache.h: DirCache, the puzzle browser's memory of a folder, kept in
// the folder as "dircache.tmp" so that the browser opens at once over a
// thousand puzzles. For each puzzle or saved game it holds the lines the
// file gave and the size and modification time of the file (and of a
// saved game's puzzle) they were read from; an entry is reused only while
// both still match. A cache that is missing, damaged or of another version
// is simply not used, and the next scan writes a new one.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/browser_lines.h"
#include "base/status.h"

namespace cbst {

inline constexpr char kDirCacheName[] = "dircache.tmp";
// Raised whenever what an entry holds changes.
inline constexpr std::uint16_t kDirCacheVersion = 2;

// A version of a file: its size and modification time (nanoseconds), or
// zeros when there is no such file.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const std::string& path);

// What one file of the folder gave. The lines' own paths are the file's;
// a file that could not be read has no lines and is remembered as such.
struct CachedFile {
  FileStamp stamp;
  // Saved games: the puzzle they were read with, and its version then.
  std::string puzzle;
  FileStamp puzzle_stamp;
  std::vector<BrowserLine> lines;
};

class DirCache {
 public:
  // The cache kept in `directory`; empty when there is none to trust.
  static DirCache Load(const std::string& directory);
  // Replaces the cache file of `directory` as a whole.
  Status Save(const std::string& directory) const;

  // The entry of the file `name` when it was read from the version of the
  // file (and of its puzzle) there is now.
  CachedFile* Find(const std::string& name, const FileStamp& stamp);

  std::map<std::string, CachedFile> entries;  // by file name in the folder
};

// The cache's bytes, and back: false for bytes that are not a whole cache
// of this version. Lines get their paths inside `directory`.
std::vector<std::uint8_t> EncodeDirCache(const DirCache& cache);
bool DecodeDirCache(const std::vector<std::uint8_t>& bytes, const std::string& directory,
                    DirCache& cache);

}  // namespace cbst
