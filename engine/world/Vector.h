#ifndef KS_VECTOR_H
#define KS_VECTOR_H

namespace ks {

/// A position, direction or velocity in character cells; y grows downwards.
class Vector {
public:
  /// (0, 0).
  Vector() : x(0), y(0) {}
  Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

  void setX(float new_x) { x = new_x; }
  float getX() const { return x; }
  void setY(float new_y) { y = new_y; }
  float getY() const { return y; }
  void setXY(float new_x, float new_y) {
    x = new_x;
    y = new_y;
  }

  /// Length, computed in double precision.
  float getMagnitude() const;

  /// Scales to length 1; the zero vector stays zero.
  void normalize();

  /// Multiplies both components by `s`.
  void scale(float s);

  Vector operator+(const Vector &other) const { return Vector(x + other.x, y + other.y); }
  Vector operator-(const Vector &other) const { return Vector(x - other.x, y - other.y); }

  /// Exact comparison of both components.
  bool operator==(const Vector &other) const { return x == other.x && y == other.y; }
  bool operator!=(const Vector &other) const { return !(*this == other); }

private:
  float x; ///< horizontal, right is positive
  float y; ///< vertical, down is positive
};

} // namespace ks

#endif
