// array_p.h: ArrayP<T>, a DynArray of T pointers read through typed access.
//
// With kArrayOwnsElements (the default) the array owns what its elements point
// to: DeleteAt, Delete, Clear and the destructor destroy them with
// std::default_delete<T>. Remove only takes a pointer out and never destroys.
// Without the flag the array only refers to its elements. Misuse follows the
// DynArray flags: reported and skipped, or skipped silently.
#pragma once

#include <memory>
#include <utility>

#include "base/dyn_array.h"
#include "base/report.h"

namespace cbst {

template <typename T>
class ArrayP {
 public:
  explicit ArrayP(std::uint8_t flags = kArrayOwnsElements, int growth_step = 8,
                  int initial_capacity = 0)
      : array_(flags, growth_step, sizeof(T*), initial_capacity) {}
  // Ownership cannot be shared, so an ArrayP moves but does not copy.
  ArrayP(const ArrayP&) = delete;
  ArrayP& operator=(const ArrayP&) = delete;
  ArrayP(ArrayP&& other) noexcept = default;
  ArrayP& operator=(ArrayP&& other) noexcept {
    if (this != &other) {
      Clear();
      array_ = std::move(other.array_);
    }
    return *this;
  }
  ~ArrayP() { Clear(); }

  // Unchecked, like the pointers themselves.
  T* operator[](int index) const { return data()[index]; }
  T** data() { return static_cast<T**>(array_.At(0)); }
  T* const* data() const { return static_cast<T* const*>(array_.At(0)); }
  T** begin() { return data(); }
  T** end() { return data() + count(); }
  T* const* begin() const { return data(); }
  T* const* end() const { return data() + count(); }

  int count() const { return array_.count(); }
  int capacity() const { return array_.capacity(); }
  bool empty() const { return array_.empty(); }
  bool owns_elements() const { return array_.owns_elements(); }
  const DynArray& array() const { return array_; }

  // Appends `element` and returns its index. An owning array takes it over,
  // except on -1 (growth failure), when it stays the caller's.
  int Add(T* element) { return array_.Append(&element); }
  // On -1 the element is destroyed with `element`.
  int Add(std::unique_ptr<T> element) {
    T* pointer = element.get();
    int index = array_.Append(&pointer);
    if (index >= 0) element.release();
    return index;
  }
  int Insert(int index, T* element) { return array_.Insert(index, &element); }
  // Appends a null element and returns its index.
  int MakeRoom() { return array_.MakeRoom(); }
  void Swap(int first, int second) { array_.Swap(first, second); }

  // The index of the element stored at `slot`, or -1 when `slot` is not one
  // of this array's element addresses.
  int Find(T* const* slot) const {
    T* const* first = data();
    if (!first || slot < first || slot >= first + count()) return -1;
    return static_cast<int>(slot - first);
  }
  // The index of the first element holding `pointer`, or -1.
  int Find(const T* pointer) const {
    // Compared as bytes, so the constness of the copy does not matter.
    const T* held = pointer;
    return array_.Find(&held);
  }
  // The index of the first element whose pointee equals `value`, or -1.
  int FindEqual(const T& value) const {
    for (int index = 0; index < count(); ++index) {
      if (T* element = (*this)[index]; element && *element == value) return index;
    }
    return -1;
  }

  // Takes `n` elements out from `index` without destroying them.
  void Remove(int index, int n = 1) { array_.Remove(index, n); }
  // Takes the element stored at `slot` out without destroying it.
  void Remove(T* const* slot) {
    int index = Find(slot);
    if (index < 0) {
      Misuse("ArrayP::Remove !slot");
      return;
    }
    array_.Remove(index);
  }

  // Takes the element out and destroys it when the array owns it.
  void DeleteAt(int index) {
    if (index < 0 || index >= count()) {
      Misuse("ArrayP::DeleteAt !index");
      return;
    }
    T* element = data()[index];
    array_.Remove(index);
    if (owns_elements()) std::default_delete<T>()(element);
  }
  // DeleteAt for the first element holding `pointer`. A pointer the array
  // does not hold is reported and nothing changes. False in that case.
  bool Delete(T* pointer) {
    int index = Find(pointer);
    if (index < 0) {
      Misuse("ArrayP Delete CL * ??");
      return false;
    }
    DeleteAt(index);
    return true;
  }
  // Drops every element, destroying them when the array owns them. A slot is
  // cleared before its element is destroyed.
  void Clear() {
    if (owns_elements()) {
      for (int index = 0; index < count(); ++index)
        std::default_delete<T>()(std::exchange(data()[index], nullptr));
    }
    array_.Clear();
  }

 private:
  void Misuse(const char* condition) const {
    if (!(array_.flags() & kArrayFailSilently)) ReportError(condition);
  }

  DynArray array_;
};

}  // namespace cbst
