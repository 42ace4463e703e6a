// Frames kept as text, with no window at all.
#ifndef KS_TEXT_DISPLAY_H
#define KS_TEXT_DISPLAY_H

#include "Display.h"
#include "TextFrame.h"

namespace ks {

/// A display with no window: each presented frame becomes a TextFrame of the view's cells. It
/// needs no X server, font or terminal, so a game can run with it anywhere and at full speed.
class TextDisplay : public Display {
public:
  TextDisplay();

  /// Starts with an empty frame of the view's size. Always 0.
  int open(int horizontal, int vertical, float cell_width, float cell_height) override;
  /// Keeps `screen` as text. Always 0.
  int present(const Screen &screen) override;
  /// Forgets the frame.
  void close() override;
  /// "text".
  std::string getName() const override;

  /// The last presented frame (empty before the first).
  const TextFrame &getFrame() const;

private:
  TextFrame frame; ///< the last presented frame
};

} // namespace ks

#endif
