#include "Vector.h"

#include <cmath>

namespace ks {

Vector::Vector() : x(0), y(0) {}

Vector::Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

void Vector::setX(float new_x) {
  x = new_x;
}
float Vector::getX() const {
  return x;
}
void Vector::setY(float new_y) {
  y = new_y;
}
float Vector::getY() const {
  return y;
}

void Vector::setXY(float new_x, float new_y) {
  x = new_x;
  y = new_y;
}

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

Vector Vector::operator+(const Vector &other) const {
  return Vector(x + other.x, y + other.y);
}

Vector Vector::operator-(const Vector &other) const {
  return Vector(x - other.x, y - other.y);
}

bool Vector::operator==(const Vector &other) const {
  return x == other.x && y == other.y;
}

bool Vector::operator!=(const Vector &other) const {
  return !(*this == other);
}

} // namespace ks
