#include "model/figure_digest.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

namespace sakuzu {
namespace {

// FNV-1a over 64-bit words.
class Digest {
 public:
  void Add(int64_t word) {
    auto bits = static_cast<uint64_t>(word);
    for (int i = 0; i < 8; ++i) {
      hash_ ^= (bits >> (8 * i)) & 0xFF;
      hash_ *= 0x100000001B3ULL;
    }
  }
  // A result rounded to 1e-9; anything not finite as one mark.
  void Add(std::initializer_list<double> values) {
    for (double v : values) {
      double scaled = std::nearbyint(v * 1e9);
      bool fits = std::isfinite(scaled) && std::fabs(scaled) < 9.0e18;
      Add(fits ? static_cast<int64_t>(scaled) : INT64_MIN);
    }
  }
  std::string Hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ULL;
};

}  // namespace

std::string ResultDigest(const Figure& fig) {
  Digest d;
  for (int cls = kNumberClass; cls <= kCircleClass; ++cls) {
    int count = ClassCount(fig, cls);
    d.Add(count);
    for (int i = 1; i <= count; ++i) {
      VisitObject(fig, ObjectRef{static_cast<int16_t>(cls), static_cast<int16_t>(i)},
                  Overloaded{[&](const NumberRecord& n) {
                               d.Add(n.exists != 0);
                               d.Add({n.value});
                             },
                             [&](const PointRecord& p) {
                               d.Add(p.exists != 0);
                               d.Add({p.x, p.y});
                             },
                             [&](const LineRecord& l) {
                               d.Add(l.exists != 0);
                               d.Add({l.x1, l.y1, l.x2, l.y2, l.dx, l.dy});
                             },
                             [&](const CircleRecord& c) {
                               d.Add(c.exists != 0);
                               d.Add({c.cx, c.cy, c.radius});
                             }});
    }
  }
  return d.Hex();
}

}  // namespace sakuzu
