#include "Vector.h"

#include <cmath>

namespace ks {

float Vector::getMagnitude() const {
  return static_cast<float>(std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y));
}

void Vector::normalize() {
  float length = getMagnitude();
  if (length > 0) {
    x /= length;
    y /= length;
  }
}

void Vector::scale(float s) {
  x *= s;
  y *= s;
}

} // namespace ks
