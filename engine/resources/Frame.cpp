#include "Frame.h"

namespace ks {

Frame::Frame() : width(0), height(0), frame_str() {}

Frame::Frame(int init_width, int init_height, std::string init_frame_str)
    : width(init_width), height(init_height), frame_str(std::move(init_frame_str)) {}

int Frame::getWidth() const {
  return width;
}
int Frame::getHeight() const {
  return height;
}
std::string Frame::getString() const {
  return frame_str;
}

} // namespace ks
