// fuzz_workspace.cpp: the fuzzers' scratch folder and their shared check.
#include "fuzz/fuzz_workspace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace cbst::fuzz {
namespace {

// Every input is written, and some rewritten, as a file: on a disk file
// system creating and renaming files costs more than reading them, so the
// workspace is in memory (/dev/shm) unless TMPDIR names a place.
std::string ScratchRoot() {
  const char* temporary = std::getenv("TMPDIR");
  if (temporary && *temporary) return temporary;
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return "/tmp";
}

class Workspace {
 public:
  Workspace() {
    std::string pattern = ScratchRoot() + "/cbst-fuzz-" + std::to_string(::getpid()) + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
      std::perror("cbst fuzz: cannot make a scratch folder");
      std::abort();
    }
    folder_ = pattern;
  }
  ~Workspace() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

}  // namespace

const std::string& WorkspaceFolder() {
  static const Workspace workspace;
  return workspace.folder();
}

std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
  std::string path = WorkspaceFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "cannot create the input file");
  const bool written = std::fwrite(data, 1, size, file) == size;
  Require(std::fclose(file) == 0 && written, "cannot write the input file");
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Require(bool holds, const char* message) {
  if (holds) return;
  std::fprintf(stderr, "cbst fuzz: %s\n", message);
  std::abort();
}

}  // namespace cbst::fuzz
