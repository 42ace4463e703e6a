// Drawing speed: a full 80 x 24 screen of coloured characters drawn through drawCh and
// presented, and the same screen three quarters transparent through drawFrame. Prints the
// median milliseconds per frame (drawing plus swapBuffers). Needs an X display (Xvfb will do).
//
// Usage: draw_bench [frames] [font file]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Configuration.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"

namespace {

/// Median milliseconds of `frames` runs of `draw` followed by swapBuffers().
double medianFrameMs(int frames, const std::function<void()> &draw) {
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  std::vector<double> times;
  for (int i = 0; i < frames + 5; i++) {
    auto start = std::chrono::steady_clock::now();
    draw();
    gm.swapBuffers();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (i >= 5) // the first frames warm up the glyph cache
      times.push_back(took.count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
  int frames = argc > 1 ? atoi(argv[1]) : 200;
  if (frames < 1)
    frames = 1;
  std::string font = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

  ks::Configuration &config = ks::Configuration::getInstance();
  config.setFontFile(font);
  config.setLogFile("draw_bench.log");
  ks::LogManager::getInstance().startUp();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  if (gm.startUp() != 0) {
    fprintf(stderr, "draw_bench: the graphics manager did not start (see draw_bench.log)\n");
    return 1;
  }
  const int width = gm.getHorizontal(), height = gm.getVertical();
  ks::WorldManager::getInstance().setView(
      ks::Box(ks::Vector(0, 0), static_cast<float>(width), static_cast<float>(height)));

  // Full screen through drawCh, every cell a printable character in one of seven colours.
  double full = medianFrameMs(frames, [&]() {
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        gm.drawCh(static_cast<char>('!' + (x + y * width) % 94),
                  static_cast<ks::Color>(1 + (x + y) % 7),
                  ks::Vector(static_cast<float>(x), static_cast<float>(y)));
  });

  // A screen-sized frame in which three cells of four are the transparent blank.
  std::string text;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++)
      text += (x + y) % 4 == 0 ? static_cast<char>('A' + (x + y) % 26) : ' ';
  ks::Frame frame(width, height, text);
  double sparse = medianFrameMs(
      frames, [&]() { gm.drawFrame(false, ks::GREEN, ' ', ks::Vector(0, 0), frame); });

  double empty = medianFrameMs(frames, []() {});

  printf("draw_bench: %d x %d cells, %d frames each, median ms per frame (drawing + swap)\n", width,
         height, frames);
  printf("  full screen, drawCh per cell:           %8.3f ms\n", full);
  printf("  3/4 transparent screen, drawFrame:      %8.3f ms\n", sparse);
  printf("  nothing drawn, swapBuffers only:        %8.3f ms\n", empty);
  gm.shutDown();
  return 0;
}
