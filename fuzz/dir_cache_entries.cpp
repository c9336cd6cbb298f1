// dir_cache_entries.cpp: the fuzz entry for the browser's folder cache: a
// "dircache.tmp" read as the browser reads it; one that reads must write
// back to bytes that read to the same entries.
#include <string>
#include <vector>

#include "app/dir_cache.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"

namespace cbst::fuzz {

int FuzzDirCache(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  WriteInput(kDirCacheName, data, size);
  const DirCache cache = DirCache::Load(WorkspaceFolder());
  const std::vector<std::uint8_t> bytes(data, data + size);
  DirCache decoded;
  const bool read = DecodeDirCache(bytes, WorkspaceFolder(), decoded);
  Require(read || cache.entries.empty(), "a cache refused in memory was taken from the file");
  if (!read) return 0;
  const std::vector<std::uint8_t> written = EncodeDirCache(decoded);
  DirCache again;
  Require(DecodeDirCache(written, WorkspaceFolder(), again), "a cache written does not read");
  Require(EncodeDirCache(again) == written, "a cache read back is not the one written");
  return 0;
}

}  // namespace cbst::fuzz
