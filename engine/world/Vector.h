#ifndef KS_VECTOR_H
#define KS_VECTOR_H

namespace ks {

/// A position, direction or velocity in character cells; y grows downwards.
class Vector {
public:
  /// (0, 0).
  Vector() : x(0), y(0) {}
  /// (`init_x`, `init_y`).
  Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

  /// Sets the horizontal component.
  void setX(float new_x) { x = new_x; }
  /// Horizontal component, right is positive.
  float getX() const { return x; }
  /// Sets the vertical component.
  void setY(float new_y) { y = new_y; }
  /// Vertical component, down is positive.
  float getY() const { return y; }
  /// Sets both components.
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

  /// Component-wise sum.
  Vector operator+(const Vector &other) const { return Vector(x + other.x, y + other.y); }
  /// Component-wise difference.
  Vector operator-(const Vector &other) const { return Vector(x - other.x, y - other.y); }

  /// Exact comparison of both components.
  bool operator==(const Vector &other) const { return x == other.x && y == other.y; }
  /// True if a component differs.
  bool operator!=(const Vector &other) const { return !(*this == other); }

private:
  float x; ///< horizontal, right is positive
  float y; ///< vertical, down is positive
};

} // namespace ks

#endif
