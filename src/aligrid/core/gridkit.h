// Small helpers of the grid: an owning list of objects.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

// A list that owns its objects: deleting an entry frees its object.
template <typename T>
class TObjectList {
 public:
  int Add(std::unique_ptr<T> object) {
    items_.push_back(std::move(object));
    return Count() - 1;
  }
  int Count() const { return static_cast<int>(items_.size()); }
  T* Items(int index) const {
    return index >= 0 && index < Count() ? items_[index].get() : nullptr;
  }
  int IndexOf(const T* object) const {
    for (int i = 0; i < Count(); ++i)
      if (items_[i].get() == object) return i;
    return -1;
  }
  // Frees the object at index and removes the entry; nothing out of range.
  virtual void Delete(int index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
  }
  // Deletes the object when it is in the list; returns its index or -1.
  virtual int Remove(const T* object) {
    const int i = IndexOf(object);
    if (i >= 0) Delete(i);
    return i;
  }
  virtual ~TObjectList() {
    while (!items_.empty()) items_.pop_back();  // last to first
  }

 private:
  std::vector<std::unique_ptr<T>> items_;
};
