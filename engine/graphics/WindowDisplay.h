// Frames drawn into an SFML window, every character of a step in one batch.
#ifndef KS_WINDOW_DISPLAY_H
#define KS_WINDOW_DISPLAY_H

#include <array>
#include <vector>

#include <SFML/Graphics.hpp>

#include "Display.h"

namespace ks {

/// Shows frames in a window. The characters of a step go to the graphics card as one vertex
/// array over the font's glyph texture: for each character its cell's background rectangle and
/// then its glyph, in call order, so that overlaps come out as if each had been drawn on its
/// own. A background rectangle that could only paint over pixels still holding the clear
/// colour is left out, and one that could only partly is cut to that part. Shapes are drawn in
/// their place between the characters.
class WindowDisplay : public Display {
public:
  WindowDisplay();
  ~WindowDisplay() override;

  /// Opens the window as configured (size, title, style, mouse cursor) and loads the font.
  /// 0, or -1 with one log line (and no window left open).
  int open(int horizontal, int vertical, float cell_width, float cell_height) override;
  /// Draws what is left of `screen`, shows the window and clears it to the background colour.
  int present(const Screen &screen) override;
  /// Closes the window.
  void close() override;
  /// "window".
  std::string getName() const override;

  /// Draws the draws of `screen` that are not in the window yet, so that whatever is drawn
  /// into the window next lands over them.
  void flush(const Screen &screen);
  /// Notes that something besides this display drew into the window during this step: every
  /// background rectangle is drawn from now on until the frame is presented.
  void markWindowTouched();

  /// The window (owned by this display), or null when not open.
  sf::RenderWindow *getWindow() const;

  /// The font the glyphs come from (loaded by open()).
  const sf::Font &getFont() const;
  /// The glyph size in pixels.
  unsigned int getCharacterSize() const;
  /// The clear colour, which every character's background rectangle has too.
  sf::Color getBackgroundColor() const;

  /// Writes the desktop's resolution to the log (level 5).
  static void logDesktopResolution();

private:
  /// A glyph's quad relative to the text origin, and its place in the font's texture.
  struct GlyphQuad {
    bool visible; ///< false for characters that draw no glyph (blanks)
    float left, top, right, bottom;
    float u1, v1, u2, v2;
  };
  /// An axis-aligned box in pixels.
  struct PixelBox {
    float left, top, right, bottom;
    /// The box moved by (x, y).
    PixelBox at(float x, float y) const {
      return PixelBox{x + left, y + top, x + right, y + bottom};
    }
  };
  /// The parts of the window's default projection that place a point: clip x = a * x + c,
  /// clip y = b * y + d.
  struct Projection {
    float a, b, c, d;
  };

  const GlyphQuad &glyphFor(char ch);
  void appendCharacter(const Draw &d);
  void drawShape(const ShapeDraw &shape);
  sf::Vector2f toClip(float x, float y, float local_x, float local_y) const;
  void appendQuad(float x, float y, const PixelBox &local, float u1, float v1, float u2, float v2,
                  sf::Color color);
  void appendBackground(float x, float y, const PixelBox &local, const PixelBox &under);
  void appendClipQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, float u1, float v1,
                      float u2, float v2, sf::Color color);
  bool insideWindow(const PixelBox &box) const;
  void drawBatch();
  bool onWindow(const PixelBox &box) const;
  PixelBox drawnWithin(const PixelBox &box) const;
  void markDrawn(const PixelBox &box);
  void bucketRange(const PixelBox &box, int *p_x0, int *p_y0, int *p_x1, int *p_y1) const;
  void resetFrame();

  sf::RenderWindow *p_window;        ///< the window (owned), or null when closed
  sf::Font font;                     ///< the configured font
  unsigned int character_size;       ///< glyph size in pixels
  sf::Color background_color;        ///< clear colour and colour of every cell's background
  float cell_width;                  ///< pixels
  float cell_height;                 ///< pixels
  std::array<GlyphQuad, 256> glyphs; ///< by unsigned char; valid where glyph_known is set
  std::array<bool, 256> glyph_known; ///< which entries of glyphs have been looked up
  std::vector<sf::Vertex> vertices;  ///< the pending batch, reused from frame to frame
  size_t drawn;                      ///< draws of the current screen already in the window
  bool window_touched;               ///< something else drew into the window this frame
  int buckets_x;                     ///< columns of the drawn-box grid (cells of the window)
  int buckets_y;                     ///< rows of the drawn-box grid
  std::vector<std::vector<PixelBox>> drawn_boxes; ///< per grid cell: glyphs and shapes drawn
  sf::CircleShape circle;                         ///< reused for every shape
  Projection projection;                          ///< the window's default projection
  sf::View clip_view;                             ///< a view whose projection changes nothing
};

} // namespace ks

#endif
