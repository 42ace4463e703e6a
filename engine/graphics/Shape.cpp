#include "Shape.h"

#include "Configuration.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "utility.h"

namespace ks {

namespace {

/// The outline that every Shape draws with, shared by the whole program: what one draw sets
/// (a square's rotation above all) stays for the next.
struct SharedOutline {
  int point_count = 30;
  float radius = 0;
  float rotation = 0;
  float left = 0;
  float top = 0;
};

SharedOutline &sharedOutline() {
  static SharedOutline outline;
  return outline;
}

} // namespace

Shape::Shape() : color(WHITE), r(255), g(255), b(255), shape_type(CIRCLE), size(0), alpha(255) {
  float cell = charWidth() < charHeight() ? charWidth() : charHeight();
  size = static_cast<float>(static_cast<int>(cell)) * Configuration::getInstance().getFontScale();
}

void Shape::draw(Vector world_pos) {
  GraphicsManager &gm = GraphicsManager::getInstance();
  if (gm.getDisplay() == nullptr) {
    LogManager::getInstance().writeLog("Shape::draw(): Error! GraphicsManager window not defined.");
    return;
  }
  Vector pixel = spacesToPixels(worldToView(world_pos));
  SharedOutline &shared = sharedOutline();
  // An unsupported colour keeps the components of the last draw, like CUSTOM.
  Color shown = static_cast<unsigned>(color) <= static_cast<unsigned>(WHITE) ? color : CUSTOM;
  if (color != CUSTOM)
    colorToRGB(color, &r, &g, &b);
  float s = size;
  float x = pixel.getX(), y = pixel.getY();
  switch (shape_type) {
  case CIRCLE:
    shared.point_count = !(s >= 3) ? 3 : s > 10 ? 10 : static_cast<int>(s);
    shared.radius = s;
    shared.left = x - s * 0.5f;
    shared.top = y - s * 0.5f;
    break;
  case SQUARE:
    shared.point_count = 4;
    shared.rotation = 45;
    shared.radius = s / Configuration::getInstance().getFontScale();
    shared.left = x + s * 0.5f;
    shared.top = y - s / 1.75f;
    break;
  case TRIANGLE:
    shared.point_count = 3;
    shared.radius = s * 0.5f;
    shared.left = x - s * 0.5f;
    shared.top = y - s * 0.5f;
    break;
  default:
    break;
  }
  LogManager::getInstance().writeLog(10, "Shape::draw(): Drawing at (%.2f, %.2f)", x, y);
  gm.drawShape(ShapeDraw{shared.point_count, shared.radius, shared.rotation, shared.left,
                         shared.top, r, g, b, alpha, shown},
               world_pos);
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
