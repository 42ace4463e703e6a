#include "WindowDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Configuration.h"
#include "LogManager.h"

namespace ks {

namespace {

/// Texture coordinates of the font texture's block of white texels (kept for underlines), from
/// which the background rectangles take their colour unchanged.
const float WHITE_TEXEL = 1.0f;

/// The glyph size for the configured font scale and cell: truncated toward zero and bounded,
/// so that a negative or absurd scale can't overflow the conversion.
unsigned int characterSize(float font_scale, float cell_width, float cell_height) {
  float cell = cell_width < cell_height ? cell_width : cell_height;
  float size = font_scale * cell;
  if (!(size >= 1))
    return 0;
  return size > 1000 ? 1000 : static_cast<unsigned int>(size);
}

} // namespace

WindowDisplay::WindowDisplay()
    : p_window(nullptr), font(), character_size(0), background_color(), cell_width(0),
      cell_height(0), glyphs(), glyph_known(), vertices(), drawn(0), window_touched(false),
      buckets_x(0), buckets_y(0), drawn_boxes(), circle(0, 30), projection{1, 1, 0, 0},
      clip_view(sf::FloatRect(-1, 1, 2, -2)) {}

WindowDisplay::~WindowDisplay() {
  close();
}

void WindowDisplay::logDesktopResolution() {
  sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  LogManager::getInstance().writeLog(
      5, "GraphicsManager::startUp(): Window resolution (%d, %d) pixels",
      static_cast<int>(desktop.width), static_cast<int>(desktop.height));
}

int WindowDisplay::open(int horizontal, int vertical, float new_cell_width, float new_cell_height) {
  const Configuration &config = Configuration::getInstance();
  const LogManager &lm = LogManager::getInstance();
  // Without an X display the window library aborts the whole program: refuse instead.
  const char *p_display = getenv("DISPLAY");
  if (p_display == nullptr || *p_display == '\0') {
    lm.writeLog("WindowDisplay::open(): No X display to open a window on (DISPLAY is not set).");
    return -1;
  }
  p_window = new sf::RenderWindow(
      sf::VideoMode(config.getWindowHorizontalPixels(), config.getWindowVerticalPixels(), 32),
      sf::String(config.getWindowTitle()), config.getWindowStyle());
  // Asked only now that the window holds the display connection: closing the last connection
  // just before opening the window's lets a bare X server reset under it, which aborts.
  logDesktopResolution();
  if (!p_window->isOpen()) {
    lm.writeLog("GraphicsLayer::startUp(): Unable to alloate window!");
    close();
    return -1;
  }
  p_window->setMouseCursorVisible(config.getShowMouse());
  p_window->setVerticalSyncEnabled(true);
  if (!font.loadFromFile(config.getFontFile())) {
    lm.writeLog("GraphicsManager::startUp(): Unable to load font from file '%s'.",
                config.getFontFile().c_str());
    // Don't leave a window open that nothing will ever draw into.
    close();
    return -1;
  }
  cell_width = new_cell_width;
  cell_height = new_cell_height;
  character_size = characterSize(config.getFontScale(), cell_width, cell_height);
  // An int outside the enumeration is no Color at all: it gets CUSTOM's white.
  int background = config.getWindowBackgroundColor();
  background_color = colorToSFML(background >= UNDEFINED_COLOR && background <= CUSTOM
                                     ? static_cast<Color>(background)
                                     : CUSTOM);
  const float *m = p_window->getDefaultView().getTransform().getMatrix();
  projection = Projection{m[0], m[5], m[12], m[13]};
  glyph_known.fill(false);
  buckets_x = horizontal + 1;
  buckets_y = vertical + 1;
  drawn_boxes.assign(static_cast<size_t>(buckets_x) * buckets_y, {});
  // Background rectangles are left out where they would paint the clear colour over itself,
  // so the first frame, too, must start from the clear colour.
  p_window->clear(background_color);
  resetFrame();
  return 0;
}

void WindowDisplay::close() {
  if (p_window != nullptr) {
    p_window->close();
    delete p_window;
    p_window = nullptr;
  }
  vertices.clear();
  drawn_boxes.clear();
  buckets_x = buckets_y = 0;
}

std::string WindowDisplay::getName() const {
  return "window";
}

sf::RenderWindow *WindowDisplay::getWindow() const {
  return p_window;
}

const sf::Font &WindowDisplay::getFont() const {
  return font;
}

unsigned int WindowDisplay::getCharacterSize() const {
  return character_size;
}

sf::Color WindowDisplay::getBackgroundColor() const {
  return background_color;
}

int WindowDisplay::present(const Screen &screen) {
  if (p_window == nullptr)
    return -1;
  flush(screen);
  p_window->display();
  p_window->clear(background_color);
  resetFrame();
  return 0;
}

void WindowDisplay::markWindowTouched() {
  window_touched = true;
}

void WindowDisplay::resetFrame() {
  drawn = 0;
  window_touched = false;
  for (std::vector<PixelBox> &bucket : drawn_boxes)
    bucket.clear();
}

void WindowDisplay::flush(const Screen &screen) {
  if (p_window == nullptr)
    return;
  const std::vector<Draw> &draws = screen.getDraws();
  for (; drawn < draws.size(); drawn++) {
    const Draw &d = draws[drawn];
    if (d.is_shape) {
      drawBatch();
      drawShape(screen.getShape(d.shape_index));
    } else {
      appendCharacter(d);
    }
  }
  drawBatch();
}

// The quad is the one SFML's text would build for this character alone: the glyph's bounds
// grown by a texel of padding, placed from the text origin with the baseline one character
// size down.
const WindowDisplay::GlyphQuad &WindowDisplay::glyphFor(char ch) {
  unsigned char index = static_cast<unsigned char>(ch);
  GlyphQuad &quad = glyphs[index];
  if (glyph_known[index])
    return quad;
  glyph_known[index] = true;
  sf::Uint32 code = sf::String(ch)[0];
  quad.visible = code != U' ' && code != U'\t' && code != U'\n' && code != U'\r';
  if (!quad.visible)
    return quad;
  const sf::Glyph &glyph = font.getGlyph(code, character_size, true);
  const float padding = 1.0f;
  float baseline = static_cast<float>(character_size);
  quad.left = glyph.bounds.left - padding;
  quad.top = baseline + (glyph.bounds.top - padding);
  quad.right = glyph.bounds.left + glyph.bounds.width + padding;
  quad.bottom = baseline + (glyph.bounds.top + glyph.bounds.height + padding);
  quad.u1 = static_cast<float>(glyph.textureRect.left) - padding;
  quad.v1 = static_cast<float>(glyph.textureRect.top) - padding;
  quad.u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
  quad.v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;
  return quad;
}

void WindowDisplay::appendCharacter(const Draw &d) {
  float x = cell_width * d.x, y = cell_height * d.y;
  float left = x - cell_width / 10, top = y + cell_height / 5;
  PixelBox cell{0, 0, cell_width, cell_height};
  PixelBox background = cell.at(left, top);
  if (onWindow(background)) {
    PixelBox under = window_touched ? background : drawnWithin(background);
    if (under.left < under.right)
      appendBackground(left, top, cell, under);
  }

  const GlyphQuad &g = glyphFor(d.ch);
  if (!g.visible)
    return;
  PixelBox glyph{g.left, g.top, g.right, g.bottom};
  if (!onWindow(glyph.at(x, y)))
    return;
  unsigned char r = 255, gr = 255, b = 255;
  colorToRGB(static_cast<Color>(d.color), &r, &gr, &b);
  // A glyph reaching past the window's edge goes to the card in a draw of its own, as it would
  // on its own: in a batch, the software renderer would then fill every other rectangle of the
  // batch as two triangles, shading their edges differently.
  bool inside = insideWindow(glyph.at(x, y));
  if (!inside)
    drawBatch();
  appendQuad(x, y, glyph, g.u1, g.v1, g.u2, g.v2, sf::Color(r, gr, b, 255));
  if (!inside)
    drawBatch();
  markDrawn(glyph.at(x, y));
}

// The vertices go to the card already in clip space (the batch is drawn with a projection
// that changes nothing), computed the way the card computes them for a shape drawn on its
// own at (`x`, `y`): the shape's translation is multiplied into the projection first, and the
// result applied to the shape's own coordinates. Adding the translation to the coordinates
// instead rounds differently and moves edges by a fraction of a pixel's shade.
sf::Vector2f WindowDisplay::toClip(float x, float y, float local_x, float local_y) const {
  float m03 = projection.a * x + projection.c;
  float m13 = projection.b * y + projection.d;
  return sf::Vector2f(projection.a * local_x + m03, projection.b * local_y + m13);
}

// The two triangles in the order SFML's text uses for a glyph.
void WindowDisplay::appendQuad(float x, float y, const PixelBox &local, float u1, float v1,
                               float u2, float v2, sf::Color color) {
  sf::Vector2f top_left = toClip(x, y, local.left, local.top);
  sf::Vector2f bottom_right = toClip(x, y, local.right, local.bottom);
  appendClipQuad(top_left, bottom_right, u1, v1, u2, v2, color);
}

// A background rectangle is one colour: cut to the window (whose edges are -1 and 1 in clip
// space) it fills the same pixels and stays in the batch.
// A background rectangle is one colour, so only where something was drawn before does it
// change a pixel: it is cut to that part (`under`, in window pixels) and to the window (whose
// edges are -1 and 1 in clip space), and fills the same pixels in the batch. Its own edges keep
// their exact places; the cut ones lie where the pixels are the clear colour anyway.
void WindowDisplay::appendBackground(float x, float y, const PixelBox &local,
                                     const PixelBox &under) {
  PixelBox whole = local.at(x, y);
  sf::Vector2f top_left = toClip(x, y, local.left, local.top);
  sf::Vector2f bottom_right = toClip(x, y, local.right, local.bottom);
  sf::Vector2f cut_top_left = toClip(0, 0, under.left, under.top);
  sf::Vector2f cut_bottom_right = toClip(0, 0, under.right, under.bottom);
  if (under.left != whole.left)
    top_left.x = cut_top_left.x;
  if (under.top != whole.top)
    top_left.y = cut_top_left.y;
  if (under.right != whole.right)
    bottom_right.x = cut_bottom_right.x;
  if (under.bottom != whole.bottom)
    bottom_right.y = cut_bottom_right.y;
  top_left = sf::Vector2f(std::max(top_left.x, -1.0f), std::min(top_left.y, 1.0f));
  bottom_right = sf::Vector2f(std::min(bottom_right.x, 1.0f), std::max(bottom_right.y, -1.0f));
  appendClipQuad(top_left, bottom_right, WHITE_TEXEL, WHITE_TEXEL, WHITE_TEXEL, WHITE_TEXEL,
                 background_color);
}

void WindowDisplay::appendClipQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, float u1,
                                   float v1, float u2, float v2, sf::Color color) {
  sf::Vertex tl(top_left, color, {u1, v1});
  sf::Vertex tr({bottom_right.x, top_left.y}, color, {u2, v1});
  sf::Vertex bl({top_left.x, bottom_right.y}, color, {u1, v2});
  sf::Vertex br(bottom_right, color, {u2, v2});
  vertices.insert(vertices.end(), {tl, tr, bl, bl, tr, br});
}

bool WindowDisplay::insideWindow(const PixelBox &box) const {
  sf::Vector2u size = p_window->getSize();
  return box.left >= 0 && box.top >= 0 && box.right <= static_cast<float>(size.x) &&
         box.bottom <= static_cast<float>(size.y);
}

void WindowDisplay::drawBatch() {
  if (vertices.empty())
    return;
  sf::RenderStates states;
  states.texture = &font.getTexture(character_size);
  sf::View view = p_window->getView();
  p_window->setView(clip_view);
  p_window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
  p_window->setView(view);
  vertices.clear();
}

void WindowDisplay::drawShape(const ShapeDraw &shape) {
  circle.setPointCount(static_cast<size_t>(shape.point_count));
  circle.setRadius(shape.radius);
  circle.setRotation(shape.rotation);
  circle.setPosition(shape.left, shape.top);
  circle.setFillColor(sf::Color(shape.r, shape.g, shape.b, shape.a));
  p_window->draw(circle);
  sf::FloatRect bounds = circle.getGlobalBounds();
  PixelBox box{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  if (onWindow(box))
    markDrawn(box);
}

bool WindowDisplay::onWindow(const PixelBox &box) const {
  sf::Vector2u size = p_window->getSize();
  return box.right > 0 && box.bottom > 0 && box.left < static_cast<float>(size.x) &&
         box.top < static_cast<float>(size.y);
}

// Grid cells (clamped to the grid) that `box` reaches into; the box must lie on the window.
void WindowDisplay::bucketRange(const PixelBox &box, int *p_x0, int *p_y0, int *p_x1,
                                int *p_y1) const {
  auto index = [](float v, float cell, int count) {
    float i = std::floor(v / cell);
    return i < 0 ? 0 : i >= static_cast<float>(count) ? count - 1 : static_cast<int>(i);
  };
  *p_x0 = index(box.left, cell_width, buckets_x);
  *p_x1 = index(box.right, cell_width, buckets_x);
  *p_y0 = index(box.top, cell_height, buckets_y);
  *p_y1 = index(box.bottom, cell_height, buckets_y);
}

// Boxes that share no area can't share a pixel; any overlap counts, which may keep a
// rectangle that wasn't needed but never drops one that was.
// Boxes that share no area can't share a pixel; any overlap counts, and the part found is grown
// by a pixel, so that rounding never leaves out one that was drawn.
WindowDisplay::PixelBox WindowDisplay::drawnWithin(const PixelBox &box) const {
  PixelBox found{box.right, box.bottom, box.left, box.top}; // empty until something overlaps
  int x0, y0, x1, y1;
  bucketRange(box, &x0, &y0, &x1, &y1);
  for (int by = y0; by <= y1; by++)
    for (int bx = x0; bx <= x1; bx++)
      for (const PixelBox &o : drawn_boxes[static_cast<size_t>(by) * buckets_x + bx])
        if (o.left < box.right + 1 && box.left < o.right + 1 && o.top < box.bottom + 1 &&
            box.top < o.bottom + 1)
          found =
              PixelBox{std::min(found.left, o.left - 1), std::min(found.top, o.top - 1),
                       std::max(found.right, o.right + 1), std::max(found.bottom, o.bottom + 1)};
  return PixelBox{std::max(found.left, box.left), std::max(found.top, box.top),
                  std::min(found.right, box.right), std::min(found.bottom, box.bottom)};
}

void WindowDisplay::markDrawn(const PixelBox &box) {
  int x0, y0, x1, y1;
  bucketRange(box, &x0, &y0, &x1, &y1);
  for (int by = y0; by <= y1; by++)
    for (int bx = x0; bx <= x1; bx++)
      drawn_boxes[static_cast<size_t>(by) * buckets_x + bx].push_back(box);
}

} // namespace ks
