// A 1-based table with slot 0 unused and an observable upper bound. The
// vector may hold more; only UpperBound() is part of the figure's rules.
#pragma once

#include <cstdio>
#include <cstdlib>
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

  // An index outside the table is a bug: stop at once rather than read or
  // write someone else's memory (the check costs one compare).
  T& operator[](int i) {
    if (i < 0 || i > upperBound_) OutOfRange(i);
    return items_[static_cast<size_t>(i)];
  }
  const T& operator[](int i) const {
    if (i < 0 || i > upperBound_) OutOfRange(i);
    return items_[static_cast<size_t>(i)];
  }

  bool operator==(const Table&) const = default;

 private:
  [[noreturn]] void OutOfRange(int i) const {
    std::fprintf(stderr, "table index %d outside 0..%d\n", i, upperBound_);
    std::abort();
  }

  std::vector<T> items_;
  int upperBound_ = -1;
};

}  // namespace sakuzu
