// dyn_array.h: DynArray, a growable array of fixed-size elements kept as bytes.
//
// The storage is one zero-filled block; every byte past the last element
// stays zero, so new elements always start cleared. When count + n reaches the
// capacity the block grows by the growth step, or by exactly what is missing
// plus one when that is more, so there is always a spare element after an
// addition.
//
// Misuse (an index out of range, a negative count) is reported with the
// operation, a "!" and the failed condition, e.g. "DynArray::Remove !index",
// and skipped; kArrayFailSilently skips it without the report. When the block
// cannot grow (the allocator has no memory, or the block would pass
// kDynArrayMaxBytes) the process ends with "Memory allocation failed", unless
// kArrayGrowthReturnsError asks for -1 instead.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

namespace cbst {

// The array owns what its elements point to (used by ArrayP).
inline constexpr std::uint8_t kArrayOwnsElements = 0x01;
// Misuse is skipped without a report.
inline constexpr std::uint8_t kArrayFailSilently = 0x10;
// A growth failure makes the operation return -1 instead of ending the process.
inline constexpr std::uint8_t kArrayGrowthReturnsError = 0x20;

// Indexes and counts are int, and so are byte offsets into the block.
inline constexpr std::size_t kDynArrayMaxBytes = INT_MAX;

class DynArray {
 public:
  DynArray(std::uint8_t flags, int growth_step, int element_size, int initial_capacity = 0);
  // A copy has the same flags, step, capacity and bytes. Copying owning
  // arrays is left to their typed wrappers, which decide what ownership means.
  DynArray(const DynArray& other);
  DynArray(DynArray&& other) noexcept;
  DynArray& operator=(const DynArray& other);
  DynArray& operator=(DynArray&& other) noexcept;
  ~DynArray();

  // Appends `n` elements copied from `source`, or zero-filled when it is null.
  // Returns the index of the first new element, or -1 when skipped.
  int Append(const void* source, int n = 1);
  // Inserts `n` elements before `index` (0 to count), moving the tail up.
  int Insert(int index, const void* source, int n = 1);
  // Appends one zeroed element and returns its index (-1 when skipped).
  int MakeRoom() { return Append(nullptr, 1); }
  // New elements are zeroed, dropped ones cleared. Returns the count or -1.
  int SetCount(int count);
  // Removes `n` elements from `index`, moving the tail down.
  void Remove(int index, int n = 1);
  void Swap(int first, int second);
  // The index of the first element byte-wise equal to `element`, or -1.
  int Find(const void* element) const;
  // Drops every element; the block stays.
  void Clear() { SetCount(0); }

  // Unchecked: `index` must be below the capacity.
  void* At(int index) { return block_ + static_cast<std::size_t>(index) * element_size_; }
  const void* At(int index) const {
    return block_ + static_cast<std::size_t>(index) * element_size_;
  }
  std::byte* data() { return block_; }
  const std::byte* data() const { return block_; }

  int count() const { return count_; }
  int capacity() const { return capacity_; }
  int element_size() const { return element_size_; }
  int growth_step() const { return growth_step_; }
  std::uint8_t flags() const { return flags_; }
  // Adds flag bits, e.g. kArrayGrowthReturnsError before a reader appends.
  void AddFlags(std::uint8_t flags) { flags_ |= flags; }
  bool empty() const { return count_ == 0; }
  bool owns_elements() const { return (flags_ & kArrayOwnsElements) != 0; }

  // Diagnostics: DynArray objects alive and the bytes their blocks reserve.
  struct Counters {
    long live_arrays = 0;
    long total_bytes = 0;
  };
  static Counters LiveCounters();

 private:
  // Reports `condition` unless failing silently; returns -1 for the caller.
  int Misuse(const char* condition) const;
  // Grows the block, if the growth rule says so, for `n` more elements.
  bool MakeRoomFor(int n);
  // Moves the elements into a zeroed block of `capacity` elements.
  bool Reserve(long long capacity);
  void FreeBlock();
  std::size_t Bytes(long long elements) const {
    return static_cast<std::size_t>(elements) * element_size_;
  }

  std::byte* block_ = nullptr;
  int element_size_;
  int capacity_ = 0;
  int growth_step_;
  int count_ = 0;
  std::uint8_t flags_;
};

}  // namespace cbst
