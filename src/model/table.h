// A 1-based table with slot 0 unused and an observable upper bound. The
// vector may hold more; only UpperBound() is part of the figure's rules.
#pragma once

#include <cassert>
#include <vector>

namespace sakuzu {

template <typename T>
class Table {
 public:
  Table() = default;
  explicit Table(int upperBound) { Resize(upperBound); }

  int UpperBound() const { return upperBound_; }

  // New entries are value-initialised; callers that have record defaults
  // apply them afterwards.
  void Resize(int upperBound) {
    items_.resize(static_cast<size_t>(upperBound) + 1);
    upperBound_ = upperBound;
  }

  T& operator[](int i) {
    assert(i >= 0 && i <= upperBound_);
    return items_[static_cast<size_t>(i)];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i <= upperBound_);
    return items_[static_cast<size_t>(i)];
  }

  bool operator==(const Table&) const = default;

 private:
  std::vector<T> items_;
  int upperBound_ = -1;
};

}  // namespace sakuzu
