// The reference way of drawing a screen: every character on its own, as a cell-sized rectangle
// of background colour and then a one-character SFML text, and every shape as an SFML circle
// shape. The window display batches all of this; the benchmark compares the speed of the two
// and the display tests compare their pixels.
#ifndef KS_PER_CELL_DRAW_H
#define KS_PER_CELL_DRAW_H

#include <SFML/Graphics.hpp>

#include "GraphicsManager.h"
#include "Screen.h"
#include "WindowDisplay.h"

namespace ksbench {

/// Draws `screen` into `target` draw by draw, with the font, glyph size and background colour of
/// `display`.
inline void drawPerCell(sf::RenderTarget &target, const ks::Screen &screen,
                        const ks::WindowDisplay &display) {
  sf::RectangleShape rectangle(sf::Vector2f(ks::charWidth(), ks::charHeight()));
  rectangle.setFillColor(display.getBackgroundColor());
  sf::Text text;
  text.setFont(display.getFont());
  text.setStyle(sf::Text::Bold);
  text.setCharacterSize(display.getCharacterSize());
  sf::CircleShape circle(0, 30);
  for (const ks::Draw &d : screen.getDraws()) {
    if (d.is_shape) {
      const ks::ShapeDraw &s = screen.getShape(d.shape_index);
      circle.setPointCount(static_cast<size_t>(s.point_count));
      circle.setRadius(s.radius);
      circle.setRotation(s.rotation);
      circle.setPosition(s.left, s.top);
      circle.setFillColor(sf::Color(s.r, s.g, s.b, s.a));
      target.draw(circle);
      continue;
    }
    ks::Vector pixel = ks::spacesToPixels(ks::Vector(d.x, d.y));
    rectangle.setPosition(pixel.getX() - ks::charWidth() / 10, pixel.getY() + ks::charHeight() / 5);
    target.draw(rectangle);
    unsigned char r = 255, g = 255, b = 255;
    ks::colorToRGB(static_cast<ks::Color>(d.color), &r, &g, &b);
    text.setString(sf::String(d.ch));
    text.setFillColor(sf::Color(r, g, b, 255));
    text.setPosition(pixel.getX(), pixel.getY());
    target.draw(text);
  }
}

} // namespace ksbench

#endif
