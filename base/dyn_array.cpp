// dyn_array.cpp: DynArray growth, tail moves and the diagnostics counters.
#include "base/dyn_array.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "base/memory.h"
#include "base/report.h"

namespace cbst {
namespace {

DynArray::Counters counters;

}  // namespace

DynArray::Counters DynArray::LiveCounters() {
  return counters;
}

DynArray::DynArray(std::uint8_t flags, int growth_step, int element_size, int initial_capacity)
    : element_size_(element_size), growth_step_(growth_step), flags_(flags) {
  ++counters.live_arrays;
  if (element_size_ < 1) {
    Misuse("DynArray !element_size");
    element_size_ = 1;
  }
  if (growth_step_ < 0) {
    Misuse("DynArray !growth_step");
    growth_step_ = 0;
  }
  if (initial_capacity < 0) {
    Misuse("DynArray !initial_capacity");
    initial_capacity = 0;
  }
  if (initial_capacity > 0) Reserve(initial_capacity);
}

DynArray::DynArray(const DynArray& other)
    : element_size_(other.element_size_), growth_step_(other.growth_step_), flags_(other.flags_) {
  ++counters.live_arrays;
  if (other.capacity_ > 0 && Reserve(other.capacity_)) {
    if (other.count_ > 0) std::memcpy(block_, other.block_, Bytes(other.count_));
    count_ = other.count_;
  }
}

DynArray::DynArray(DynArray&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)),
      element_size_(other.element_size_),
      capacity_(std::exchange(other.capacity_, 0)),
      growth_step_(other.growth_step_),
      count_(std::exchange(other.count_, 0)),
      flags_(other.flags_) {
  ++counters.live_arrays;
}

DynArray& DynArray::operator=(const DynArray& other) {
  if (this != &other) *this = DynArray(other);
  return *this;
}

DynArray& DynArray::operator=(DynArray&& other) noexcept {
  if (this != &other) {
    FreeBlock();
    block_ = std::exchange(other.block_, nullptr);
    element_size_ = other.element_size_;
    capacity_ = std::exchange(other.capacity_, 0);
    growth_step_ = other.growth_step_;
    count_ = std::exchange(other.count_, 0);
    flags_ = other.flags_;
  }
  return *this;
}

DynArray::~DynArray() {
  FreeBlock();
  --counters.live_arrays;
}

void DynArray::FreeBlock() {
  counters.total_bytes -= static_cast<long>(Bytes(capacity_));
  Free(block_);
  block_ = nullptr;
  capacity_ = 0;
  count_ = 0;
}

int DynArray::Misuse(const char* condition) const {
  if (!(flags_ & kArrayFailSilently)) ReportError(condition);
  return -1;
}

bool DynArray::Reserve(long long capacity) {
  std::byte* grown = nullptr;
  if (capacity <= INT_MAX && Bytes(capacity) <= kDynArrayMaxBytes)
    grown = static_cast<std::byte*>(TryAllocate(Bytes(capacity)));
  if (!grown) {
    if (flags_ & kArrayGrowthReturnsError) return false;
    FatalOutOfMemory();
  }
  // The new block comes zero-filled, and the old one is zero past the count.
  if (count_ > 0) std::memcpy(grown, block_, Bytes(count_));
  Free(block_);
  counters.total_bytes += static_cast<long>(Bytes(capacity) - Bytes(capacity_));
  block_ = grown;
  capacity_ = static_cast<int>(capacity);
  return true;
}

bool DynArray::MakeRoomFor(int n) {
  long long wanted = static_cast<long long>(count_) + n;
  if (wanted < capacity_) return true;
  long long missing = wanted - capacity_;
  return Reserve(capacity_ + std::max<long long>(growth_step_, missing + 1));
}

int DynArray::Append(const void* source, int n) {
  if (n < 0) return Misuse("DynArray::Append !n");
  return Insert(count_, source, n);
}

int DynArray::Insert(int index, const void* source, int n) {
  if (index < 0 || index > count_) return Misuse("DynArray::Insert !index");
  if (n < 0) return Misuse("DynArray::Insert !n");
  if (n == 0) return index;

  // Elements copied from this very array must survive the growth and the
  // move of the tail, so they are taken aside first.
  std::vector<std::byte> aside;
  const auto* from = static_cast<const std::byte*>(source);
  if (from && block_ && from < block_ + Bytes(capacity_) && from + Bytes(n) > block_) {
    aside.assign(from, from + Bytes(n));
    from = aside.data();
  }
  if (!MakeRoomFor(n)) return -1;

  std::byte* at = block_ + Bytes(index);
  if (index < count_) std::memmove(at + Bytes(n), at, Bytes(count_ - index));
  if (from)
    std::memcpy(at, from, Bytes(n));
  else
    std::memset(at, 0, Bytes(n));
  count_ += n;
  return index;
}

int DynArray::SetCount(int count) {
  if (count < 0) return Misuse("DynArray::SetCount !count");
  if (count > count_) {
    if (!MakeRoomFor(count - count_)) return -1;
  } else if (count < count_) {
    std::memset(block_ + Bytes(count), 0, Bytes(count_ - count));
  }
  count_ = count;
  return count_;
}

void DynArray::Remove(int index, int n) {
  if (index < 0 || index >= count_) {
    Misuse("DynArray::Remove !index");
    return;
  }
  if (n < 0 || n > count_ - index) {
    Misuse("DynArray::Remove !n");
    return;
  }
  int tail = count_ - index - n;
  if (tail > 0) std::memmove(block_ + Bytes(index), block_ + Bytes(index + n), Bytes(tail));
  count_ -= n;
  std::memset(block_ + Bytes(count_), 0, Bytes(n));
}

void DynArray::Swap(int first, int second) {
  if (first < 0 || first >= count_ || second < 0 || second >= count_) {
    Misuse("DynArray::Swap !index");
    return;
  }
  if (first == second) return;
  std::byte* a = block_ + Bytes(first);
  std::swap_ranges(a, a + element_size_, block_ + Bytes(second));
}

int DynArray::Find(const void* element) const {
  if (!element) return -1;
  for (int index = 0; index < count_; ++index) {
    if (std::memcmp(block_ + Bytes(index), element, element_size_) == 0) return index;
  }
  return -1;
}

}  // namespace cbst
