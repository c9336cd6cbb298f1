// memory.h: the one allocator behind the foundation's containers.
//
// Running out of memory is fatal: "Memory allocation failed" is shown and the
// process ends with exit code -1. Standard containers get the same treatment
// through the new-handler that InstallOutOfMemoryHandler sets.
#pragma once

#include <cstddef>

namespace cbst {

// Zero-filled block of `size` bytes (at least one). Reports a pending
// unreported module-wide status first. Never returns null.
void* Allocate(std::size_t size);
// Like Allocate, but gives null instead of ending the process.
void* TryAllocate(std::size_t size);
// Grows or shrinks a block from Allocate; new bytes are not cleared.
void* Reallocate(void* block, std::size_t size);
void Free(void* block);

// Makes operator new end the process the same way when memory runs out.
void InstallOutOfMemoryHandler();

// While one lives, a failed operator new throws std::bad_alloc instead, for
// work that can give up cleanly with the out-of-memory status (cutting a
// puzzle far too large for the machine, say).
class RecoverableAllocations {
 public:
  RecoverableAllocations();
  ~RecoverableAllocations();
  RecoverableAllocations(const RecoverableAllocations&) = delete;
  RecoverableAllocations& operator=(const RecoverableAllocations&) = delete;

 private:
  void (*previous_)();
};

}  // namespace cbst
