// Which objects can move when some objects move: everything built on them,
// through the steps' inputs, the operands of expressions, the continuation
// rows of the matrix transformations and the bindings of free points. A
// deformation keeps all other objects on the base layer of the canvas.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

class DependentSet {
 public:
  bool Contains(ObjectRef ref) const;
  void Add(ObjectRef ref);
  void Clear();
  // The number of objects in the set.
  int Count() const;

 private:
  std::array<std::vector<uint8_t>, 4> members_;  // by class, 1-based
};

// The moved objects and every object that depends on them.
DependentSet FindDependents(const Figure& fig, const std::vector<ObjectRef>& moved);

}  // namespace sakuzu
