// The engine's eight drawing colours and their conversions.
#ifndef KS_COLOR_H
#define KS_COLOR_H

#include <string>

#include <SFML/Graphics/Color.hpp>

namespace ks {

/// A drawing colour.
enum Color {
  UNDEFINED_COLOR = -1,
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
  CUSTOM, ///< the caller's own red, green and blue components
};

/// The colour of new sprites and of the sprite-file name "default".
const Color COLOR_DEFAULT = WHITE;

/// The SFML colour of `color`; white (with a level-5 line) for CUSTOM and unknown values.
sf::Color colorToSFML(Color color);

/// Stores the components of `color` through the pointers. CUSTOM and unknown values store
/// nothing (unknown ones write a level-5 line).
void colorToRGB(Color color, unsigned char *r, unsigned char *g, unsigned char *b);

/// The colour named `name` ("black" ... "white", exact, lower case) through `p_color`.
/// 0, or -1 (and `*p_color` untouched) for any other name.
int colorFromName(std::string name, Color *p_color);

} // namespace ks

#endif
