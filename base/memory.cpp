// memory.cpp: allocation with the program's fatal out-of-memory rule.
#include "base/memory.h"

#include <cstdlib>
#include <new>

#include "base/report.h"
#include "base/status.h"

namespace cbst {

void* TryAllocate(std::size_t size) {
  if (Status& pending = PendingStatus(); !pending.reported()) pending.Report();
  return std::calloc(size ? size : 1, 1);
}

void* Allocate(std::size_t size) {
  void* block = TryAllocate(size);
  if (!block) FatalOutOfMemory();
  return block;
}

void* Reallocate(void* block, std::size_t size) {
  void* grown = std::realloc(block, size ? size : 1);
  if (!grown) FatalOutOfMemory();
  return grown;
}

void Free(void* block) {
  std::free(block);
}

void InstallOutOfMemoryHandler() {
  std::set_new_handler(&FatalOutOfMemory);
}

RecoverableAllocations::RecoverableAllocations() : previous_(std::set_new_handler(nullptr)) {}

RecoverableAllocations::~RecoverableAllocations() {
  std::set_new_handler(previous_);
}

}  // namespace cbst
