#include "WindowCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kse2e {

namespace {

/// Set by the error handler: a window that vanished mid-copy makes Xlib report, not abort.
bool x_error_seen = false;

int recordError(Display *, XErrorEvent *) {
  x_error_seen = true;
  return 0;
}

/// The 8-bit value of the channel selected by `mask` in `pixel`.
sf::Uint8 channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0)
    return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0)
    shift++;
  unsigned long value = (pixel & mask) >> shift;
  unsigned long max = mask >> shift;
  return static_cast<sf::Uint8>(value * 255 / max);
}

} // namespace

WindowCapture::WindowCapture() : p_display(XOpenDisplay(nullptr)) {
  XSetErrorHandler(recordError);
}

WindowCapture::~WindowCapture() {
  if (p_display != nullptr)
    XCloseDisplay(static_cast<Display *>(p_display));
}

bool WindowCapture::grab(unsigned long window, sf::Image &image) {
  Display *p_dpy = static_cast<Display *>(p_display);
  if (p_dpy == nullptr || window == 0)
    return false;
  x_error_seen = false;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(p_dpy, window, &attributes) == 0 || x_error_seen ||
      attributes.map_state != IsViewable)
    return false;
  XImage *p_image = XGetImage(p_dpy, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  XSync(p_dpy, False);
  if (p_image == nullptr || x_error_seen) {
    if (p_image != nullptr)
      XDestroyImage(p_image);
    return false;
  }
  image.create(static_cast<unsigned>(p_image->width), static_cast<unsigned>(p_image->height));
  for (int y = 0; y < p_image->height; y++)
    for (int x = 0; x < p_image->width; x++) {
      unsigned long pixel = XGetPixel(p_image, x, y);
      image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                     sf::Color(channel(pixel, p_image->red_mask),
                               channel(pixel, p_image->green_mask),
                               channel(pixel, p_image->blue_mask)));
    }
  XDestroyImage(p_image);
  return true;
}

} // namespace kse2e
