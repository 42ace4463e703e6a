#include "Color.h"

#include "LogManager.h"

namespace ks {

namespace {

struct ColorEntry {
  const char *name;
  unsigned char r, g, b;
};

// Indexed by Color value, BLACK to WHITE.
const ColorEntry COLOR_TABLE[] = {
    {"black", 0, 0, 0},  {"red", 255, 0, 0},       {"green", 0, 255, 0},  {"yellow", 255, 255, 0},
    {"blue", 0, 0, 255}, {"magenta", 255, 0, 255}, {"cyan", 0, 255, 255}, {"white", 255, 255, 255},
};

bool inTable(Color color) {
  return static_cast<unsigned>(color) < static_cast<unsigned>(CUSTOM);
}

} // namespace

sf::Color colorToSFML(Color color) {
  if (inTable(color)) {
    const ColorEntry &e = COLOR_TABLE[color];
    return sf::Color(e.r, e.g, e.b);
  }
  if (color == CUSTOM)
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color is CUSTOM.");
  else
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color %d not supported.", color);
  return sf::Color::White;
}

void colorToRGB(Color color, unsigned char *r, unsigned char *g, unsigned char *b) {
  if (inTable(color)) {
    const ColorEntry &e = COLOR_TABLE[color];
    *r = e.r;
    *g = e.g;
    *b = e.b;
    return;
  }
  if (color != CUSTOM)
    LogManager::getInstance().writeLog(5, "colorToRGB(): Color %d not supported.", color);
}

int colorFromName(std::string name, Color *p_color) {
  for (int c = BLACK; c <= WHITE; c++) {
    if (name == COLOR_TABLE[c].name) {
      *p_color = static_cast<Color>(c);
      return 0;
    }
  }
  return -1;
}

} // namespace ks
