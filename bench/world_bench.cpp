// Cost of one WorldManager::update() on a world like the game's level: 300 x 50 one-cell
// tiles, a third of them HARD and visible, the rest SPECTRAL, with HARD and SOFT movers
// crossing it. Prints the median step time and the process's peak memory.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include "Configuration.h"
#include "EventOut.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

namespace {

/// A mover that turns back whenever it leaves the world.
class Mover : public ks::Object {
public:
  Mover(ks::Solidness kind, float x, float y, float vx) {
    setSolidness(kind);
    setPosition(ks::Vector(x, y));
    setVelocity(ks::Vector(vx, 0));
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::OUT_EVENT) {
      setVelocity(ks::Vector(-getVelocity().getX(), 0));
      return 1;
    }
    return 0;
  }
};

void buildLevel() {
  for (int x = 0; x < 300; x++) {
    for (int y = 0; y < 50; y++) {
      ks::Object *p_tile = new ks::Object;
      p_tile->setPosition(ks::Vector(static_cast<float>(x), static_cast<float>(y)));
      if (y % 3 != 0) {
        p_tile->setSolidness(ks::SPECTRAL);
        p_tile->setVisible(false);
      }
    }
  }
}

void addMovers(int hard, int soft) {
  for (int i = 0; i < hard + soft; i++) {
    float y = 3.0f * (i % 16) + 1.5f; // in the free rows between tile rows
    float x = static_cast<float>((i * 37) % 300);
    new Mover(i < hard ? ks::HARD : ks::SOFT, x, y, i % 2 ? 0.5f : -0.5f);
  }
}

double medianUpdateMicroseconds(int steps) {
  std::vector<double> times;
  for (int i = 0; i < steps; i++) {
    auto start = std::chrono::steady_clock::now();
    ks::WorldManager::getInstance().update();
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

} // namespace

int main() {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.setHeadless(true);
  config.setLogFile("world_bench.log");
  if (ks::GameManager::getInstance().startUp() != 0)
    return 1;
  ks::WorldManager &world = ks::WorldManager::getInstance();
  world.setBoundary(ks::Box(ks::Vector(0, 0), 300, 50));
  buildLevel();

  printf("objects  movers  median update (us)  peak memory (MB)\n");
  const int mover_counts[][2] = {{0, 0}, {20, 10}, {134, 66}, {667, 333}};
  int added_hard = 0, added_soft = 0;
  for (const auto &count : mover_counts) {
    addMovers(count[0] - added_hard, count[1] - added_soft);
    added_hard = count[0];
    added_soft = count[1];
    double median = medianUpdateMicroseconds(200);
    printf("%7d  %6d  %18.1f  %16.1f\n", world.getAllObjects().getCount(), added_hard + added_soft,
           median, peakKilobytes() / 1024.0);
  }
  ks::GameManager::getInstance().shutDown();
  return 0;
}
