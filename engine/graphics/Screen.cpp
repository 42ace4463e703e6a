#include "Screen.h"

#include <utility>

namespace ks {

Screen::Screen() : horizontal(0), vertical(0), draws(), shapes() {}

void Screen::setSize(int new_horizontal, int new_vertical) {
  horizontal = new_horizontal > 0 ? new_horizontal : 0;
  vertical = new_vertical > 0 ? new_vertical : 0;
}

int Screen::getHorizontal() const {
  return horizontal;
}

int Screen::getVertical() const {
  return vertical;
}

void Screen::addCharacter(char ch, Color color, Vector view_pos) {
  if (static_cast<unsigned>(color) > static_cast<unsigned>(WHITE))
    color = WHITE;
  draws.push_back(Draw{view_pos.getX(), view_pos.getY(), ch, static_cast<int8_t>(color), false, 0});
}

void Screen::addShape(const ShapeDraw &shape, Vector view_pos) {
  shapes.push_back(shape);
  draws.push_back(Draw{view_pos.getX(), view_pos.getY(), 0, static_cast<int8_t>(WHITE), true,
                       static_cast<uint32_t>(shapes.size() - 1)});
}

const std::vector<Draw> &Screen::getDraws() const {
  return draws;
}

const ShapeDraw &Screen::getShape(uint32_t shape_index) const {
  return shapes[shape_index];
}

namespace {

/// Below this many draws a screen keeps its storage whatever the step used.
const size_t KEEP_CAPACITY = 16384;

/// Empties `v`; storage left over from some much bigger step is given back.
template <typename T>
void clearAndTrim(std::vector<T> &v) {
  if (v.capacity() > KEEP_CAPACITY && v.size() < v.capacity() / 4)
    std::vector<T>().swap(v);
  else
    v.clear();
}

} // namespace

void Screen::clear() {
  clearAndTrim(draws);
  clearAndTrim(shapes);
}

void Screen::swap(Screen &other) {
  std::swap(horizontal, other.horizontal);
  std::swap(vertical, other.vertical);
  draws.swap(other.draws);
  shapes.swap(other.shapes);
}

} // namespace ks
