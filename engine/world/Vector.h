#ifndef KS_VECTOR_H
#define KS_VECTOR_H

namespace ks {

/// A position, direction or velocity in character cells; y grows downwards.
class Vector {
public:
  /// (0, 0).
  Vector();
  Vector(float init_x, float init_y);

  void setX(float new_x);
  float getX() const;
  void setY(float new_y);
  float getY() const;
  void setXY(float new_x, float new_y);

  /// Length, computed in double precision.
  float getMagnitude() const;

  /// Scales to length 1; the zero vector stays zero.
  void normalize();

  /// Multiplies both components by `s`.
  void scale(float s);

  Vector operator+(const Vector &other) const;
  Vector operator-(const Vector &other) const;

  /// Exact comparison of both components.
  bool operator==(const Vector &other) const;
  bool operator!=(const Vector &other) const;

private:
  float x; ///< horizontal, right is positive
  float y; ///< vertical, down is positive
};

} // namespace ks

#endif
