#include "Sprite.h"

namespace ks {

Sprite::Sprite(int max_frames)
    : width(0), height(0), max_frame_count(max_frames < 0 ? 0 : max_frames), frame_count(0),
      color(COLOR_DEFAULT), frame(), label("[Undefined]") {}

Sprite::~Sprite() {}

void Sprite::setWidth(int new_width) {
  width = new_width;
}
int Sprite::getWidth() const {
  return width;
}
void Sprite::setHeight(int new_height) {
  height = new_height;
}
int Sprite::getHeight() const {
  return height;
}
void Sprite::setColor(Color new_color) {
  color = new_color;
}
Color Sprite::getColor() const {
  return color;
}
int Sprite::getFrameCount() const {
  return frame_count;
}
int Sprite::getMaxFrameCount() const {
  return max_frame_count;
}
void Sprite::setLabel(std::string new_label) {
  label = new_label;
}
std::string Sprite::getLabel() const {
  return label;
}

int Sprite::addFrame(Frame new_frame) {
  if (frame_count == max_frame_count)
    return -1;
  frame.push_back(std::move(new_frame));
  frame_count++;
  return 0;
}

Frame Sprite::getFrame(int frame_number) const {
  if (frame_number < 0 || frame_number >= frame_count)
    return Frame();
  return frame[frame_number];
}

} // namespace ks
