// Drawing speed of the window display against drawing every character on its own. For each
// kind of frame it prints the median milliseconds per frame (drawing plus presenting) of both
// and their ratio. Needs an X display (Xvfb will do); the game's frame needs the run folder.
//
// Usage: draw_bench [frames] [run folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "Configuration.h"
#include "Frame.h"
#include "GameLoaders.h"
#include "GraphicsManager.h"
#include "Hero.h"
#include "LogManager.h"
#include "PerCellDraw.h"
#include "ResourceManager.h"
#include "WinCon.h"
#include "WindowDisplay.h"
#include "WorldManager.h"

namespace {

/// Processor milliseconds of the whole process so far, every thread (the GL driver's too).
double cpuMs() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

/// Median wall and processor milliseconds of `frames` runs of `frame`, after a few that warm
/// the glyph cache. The processor time tells more than the wall time on a busy machine.
std::pair<double, double> medianMs(int frames, const std::function<void()> &frame) {
  std::vector<double> wall, cpu;
  for (int i = 0; i < frames + 5; i++) {
    auto start = std::chrono::steady_clock::now();
    double cpu_start = cpuMs();
    frame();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (i >= 5) {
      wall.push_back(took.count());
      cpu.push_back(cpuMs() - cpu_start);
    }
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

/// Times `draw` through the engine (batched) and the same draws one by one, and prints both.
void compare(const char *name, int frames, const std::function<void()> &draw) {
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  auto &display = *dynamic_cast<ks::WindowDisplay *>(gm.getDisplay());
  sf::RenderWindow &window = *display.getWindow();
  draw();
  ks::Screen recorded = gm.getScreen();
  gm.swapBuffers();
  auto [batched, batched_cpu] = medianMs(frames, [&] {
    draw();
    gm.swapBuffers();
  });
  auto [per_cell, per_cell_cpu] = medianMs(frames, [&] {
    ksbench::drawPerCell(window, recorded, display);
    window.display();
    window.clear(display.getBackgroundColor());
  });
  printf("  %-36s %8.3f %8.3f %6.1fx %8.3f %8.3f %6.1fx  %5zu\n", name, per_cell, batched,
         per_cell / batched, per_cell_cpu, batched_cpu, per_cell_cpu / batched_cpu,
         recorded.getDraws().size());
}

/// The level as the hero first sees it: the shipped map, the hero at its start, the view on it.
bool buildGameFrame(const std::string &run_folder) {
  if (chdir(run_folder.c_str()) != 0)
    return false;
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  ks::ResourceManager::getInstance().startUp();
  wm.startUp();
  const ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  wm.setView(ks::Box(ks::Vector(0, 0), static_cast<float>(gm.getHorizontal()),
                     static_cast<float>(gm.getVertical())));
  wm.setBoundary(
      ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
  loadResources();
  if (loadMap() != 0)
    return false;
  wm.setViewFollowing(new Hero);
  new WinCon;
  return true;
}

} // namespace

int main(int argc, char **argv) {
  int frames = argc > 1 ? atoi(argv[1]) : 200;
  if (frames < 1)
    frames = 1;
  std::string run_folder = argc > 2 ? argv[2] : KS_RUN_DIR;

  ks::Configuration &config = ks::Configuration::getInstance();
  config.setFontFile(run_folder + "/ks-font.ttf");
  config.setLogFile("/tmp/draw_bench.log");
  ks::LogManager::getInstance().startUp();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  if (gm.startUp() != 0) {
    fprintf(stderr, "draw_bench: the graphics manager did not start (see /tmp/draw_bench.log)\n");
    return 1;
  }
  const int width = gm.getHorizontal(), height = gm.getVertical();
  ks::WorldManager::getInstance().setView(
      ks::Box(ks::Vector(0, 0), static_cast<float>(width), static_cast<float>(height)));
  printf("draw_bench: %d x %d cells, %d frames each; median ms per frame, drawing + presenting\n",
         width, height, frames);
  printf("  %-36s %26s %26s %6s\n", "", "wall: per cell, batched", "processor: per cell, batched",
         "draws");

  compare("full screen of coloured characters", frames, [&] {
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        gm.drawCh(static_cast<char>('!' + (x + y * width) % 94),
                  static_cast<ks::Color>(1 + (x + y) % 7),
                  ks::Vector(static_cast<float>(x), static_cast<float>(y)));
  });

  std::string text;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++)
      text += (x + y) % 4 == 0 ? static_cast<char>('A' + (x + y) % 26) : ' ';
  ks::Frame frame(width, height, text);
  compare("three-quarters transparent screen", frames,
          [&] { gm.drawFrame(false, ks::GREEN, ' ', ks::Vector(0, 0), frame); });

  compare("empty frame", frames, [] {});

  if (buildGameFrame(run_folder))
    compare("the game's first playing frame", frames,
            [] { ks::WorldManager::getInstance().draw(); });
  else
    printf("  the game's first playing frame: no level in %s\n", run_folder.c_str());
  ks::WorldManager::getInstance().shutDown();
  gm.shutDown();
  return 0;
}
