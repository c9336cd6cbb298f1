// tokenizer.cpp: the module-wide scan, its rotating buffers and save stack.
#include "base/tokenizer.h"

#include <array>
#include <cstring>

#include "base/report.h"

namespace cbst {
namespace {

struct ScanState {
  const char* scan = nullptr;  // the rest of the text
  int offset = 0;              // of `scan` from the start of the text
};

ScanState state;
std::array<ScanState, kTokenStackDepth> saved;
int depth = 0;
std::array<VString, kTokenBufferCount> buffers;
int next_buffer = 0;

// Finds the next token; false at the end. Leaves the token in [from, from+length).
bool NextToken(const char*& from, std::size_t& length, int* start, char* delimiter,
               const char* delimiters, const char* text) {
  if (text) state = {text, 0};
  if (start) *start = 0;
  if (delimiter) *delimiter = 0;
  if (!state.scan || !*state.scan) return false;

  from = state.scan;
  length = delimiters && *delimiters ? std::strcspn(from, delimiters) : std::strlen(from);
  if (start) *start = state.offset;
  const char found = from[length];
  if (delimiter) *delimiter = found;
  const std::size_t consumed = length + (found ? 1 : 0);
  state.scan += consumed;
  state.offset += static_cast<int>(consumed);
  return true;
}

}  // namespace

const char* Token(int* start, char* delimiter, const char* delimiters, const char* text) {
  const char* from = nullptr;
  std::size_t length = 0;
  if (!NextToken(from, length, start, delimiter, delimiters, text)) return nullptr;
  VString& buffer = buffers[next_buffer];
  next_buffer = (next_buffer + 1) % kTokenBufferCount;
  buffer.Assign(from, 0, static_cast<int>(length));
  return buffer.c_str();
}

bool Token(VString& token, int* start, char* delimiter, const char* delimiters, const char* text) {
  const char* from = nullptr;
  std::size_t length = 0;
  if (!NextToken(from, length, start, delimiter, delimiters, text)) return false;
  token.Assign(from, 0, static_cast<int>(length));
  return true;
}

int TokenSave() {
  if (depth >= kTokenStackDepth) {
    ReportError("Token Stack Ovflw");
    return -1;
  }
  saved[depth] = state;
  return depth++;
}

void TokenRestore(int handle) {
  if (depth == 0) {
    ReportError("Token Stack UndrFlw");
    return;
  }
  --depth;
  if (handle != -1 && handle != depth) ReportError("Token Unbalanced");
  state = saved[depth];
}

}  // namespace cbst
