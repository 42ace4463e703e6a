#include "Shape.h"

#include <SFML/Graphics/CircleShape.hpp>

#include "Configuration.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "utility.h"

namespace ks {

namespace {

/// The one SFML shape behind every Shape, created on first draw.
sf::CircleShape &sharedShape() {
  static sf::CircleShape shape(0, 30);
  return shape;
}

} // namespace

Shape::Shape() : color(WHITE), r(255), g(255), b(255), shape_type(CIRCLE), size(0), alpha(255) {
  float cell = charWidth() < charHeight() ? charWidth() : charHeight();
  size = static_cast<float>(static_cast<int>(cell)) * Configuration::getInstance().getFontScale();
}

void Shape::draw(Vector world_pos) {
  GraphicsManager &gm = GraphicsManager::getInstance();
  if (gm.getWindow() == nullptr) {
    LogManager::getInstance().writeLog("Shape::draw(): Error! GraphicsManager window not defined.");
    return;
  }
  Vector pixel = spacesToPixels(worldToView(world_pos));
  sf::CircleShape &shape = sharedShape();
  if (color != CUSTOM)
    colorToRGB(color, &r, &g, &b);
  shape.setFillColor(sf::Color(r, g, b, alpha));
  float s = size;
  float x = pixel.getX(), y = pixel.getY();
  switch (shape_type) {
  case CIRCLE:
    shape.setPointCount(s < 3 ? 3 : s > 10 ? 10 : static_cast<size_t>(s));
    shape.setRadius(s);
    shape.setPosition(x - s * 0.5f, y - s * 0.5f);
    break;
  case SQUARE:
    shape.setPointCount(4);
    shape.setRadius(s * 0.5f);
    shape.setRotation(45);
    shape.setRadius(s / Configuration::getInstance().getFontScale());
    shape.setPosition(x + s * 0.5f, y - s / 1.75f);
    break;
  case TRIANGLE:
    shape.setPointCount(3);
    shape.setRadius(s * 0.5f);
    shape.setPosition(x - s * 0.5f, y - s * 0.5f);
    break;
  default:
    break;
  }
  LogManager::getInstance().writeLog(10, "Shape::draw(): Drawing at (%.2f, %.2f)", x, y);
  gm.getWindow()->draw(shape);
}

void Shape::setColor(Color new_color) {
  color = new_color;
}
Color Shape::getColor() const {
  return color;
}

void Shape::setRGB(unsigned char new_r, unsigned char new_g, unsigned char new_b) {
  r = new_r;
  g = new_g;
  b = new_b;
}

void Shape::getRGB(unsigned char *p_r, unsigned char *p_g, unsigned char *p_b) const {
  *p_r = r;
  *p_g = g;
  *p_b = b;
}

void Shape::setShapeType(int new_shape_type) {
  shape_type = new_shape_type;
}
int Shape::getShapeType() const {
  return shape_type;
}
void Shape::setSize(float new_size) {
  size = new_size;
}
float Shape::getSize() const {
  return size;
}
void Shape::setAlpha(unsigned char new_alpha) {
  alpha = new_alpha;
}
unsigned char Shape::getAlpha() const {
  return alpha;
}

} // namespace ks
