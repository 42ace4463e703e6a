#include "TextDisplay.h"

namespace ks {

TextDisplay::TextDisplay() : frame() {}

int TextDisplay::open(int horizontal, int vertical, float, float) {
  frame = TextFrame(horizontal, vertical);
  return 0;
}

int TextDisplay::present(const Screen &screen) {
  frame.clear();
  frame.place(screen);
  return 0;
}

void TextDisplay::close() {
  frame = TextFrame();
}

std::string TextDisplay::getName() const {
  return "text";
}

const TextFrame &TextDisplay::getFrame() const {
  return frame;
}

} // namespace ks
