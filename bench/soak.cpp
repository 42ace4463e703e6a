// A long run of the game's world on the text display (no window): the shipped level, 200
// monsters kept up, a stream of arrows across the sky, heroes that die and come back. Prints
// resident memory at the start, middle and end, the object count, the log size and the step
// times.
//
//   soak [STEPS] [--no-flush]   (default 100000 steps, the log flushed after every line)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Arrow.h"
#include "Configuration.h"
#include "EventStep.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Hero.h"
#include "LogManager.h"
#include "Monster.h"
#include "WorldManager.h"

namespace {

const int MONSTERS = 200;
const int ARROW_EVERY = 3;    ///< steps between two arrows
const int KEEP_UP_EVERY = 10; ///< steps between two counts of the world

long residentKilobytes() {
  long pages = 0, resident = 0;
  FILE *p_f = fopen("/proc/self/statm", "r");
  if (p_f != nullptr) {
    if (fscanf(p_f, "%ld %ld", &pages, &resident) != 2)
      resident = 0;
    fclose(p_f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long fileKilobytes(const char *path) {
  struct stat st {};
  return stat(path, &st) == 0 ? static_cast<long>(st.st_size / 1024) : -1;
}

float randomIn(float low, float high) {
  return low + (high - low) * static_cast<float>(rand()) / static_cast<float>(RAND_MAX);
}

/// What the driver keeps up and counts.
struct World {
  int hero_id = -1;
  int heroes = 0;   ///< heroes created
  int spawned = 0;  ///< monsters created by the driver (heroes spawn more)
  int fell = 0;     ///< monsters that fell out of the world, removed by the driver
  int arrows = 0;   ///< arrows shot
  int monsters = 0; ///< monsters in the world at the last count
};

/// Counts the monsters, removes those that fell below the world (they would fall for ever),
/// and brings the monsters back to MONSTERS and the hero back to life.
void keepUp(World *p_w) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  ks::ObjectList all = wm.getAllObjects(true);
  p_w->monsters = 0;
  for (int i = 0; i < all.getCount(); i++) {
    ks::Object *p_o = all.getItem(i);
    if (p_o->getType() != "Monster")
      continue;
    if (p_o->getPosition().getY() > MAP_HEIGHT + 5) {
      wm.markForDelete(p_o);
      p_w->fell++;
    } else {
      p_w->monsters++;
    }
  }
  if (Hero::lookUp(p_w->hero_id) == nullptr) {
    Hero *p_hero = new Hero;
    p_w->hero_id = p_hero->getId();
    p_w->heroes++;
    wm.setViewFollowing(p_hero);
  }
  for (; p_w->monsters < MONSTERS; p_w->monsters++, p_w->spawned++) {
    Monster *p_m = new Monster(Hero::lookUp(p_w->hero_id));
    p_m->setPosition(ks::Vector(randomIn(10, MAP_WIDTH - 10), 3));
  }
}

/// An arrow across the sky, left or right, from a random place.
void shoot(World *p_w) {
  Arrow *p_arrow = new Arrow(ks::Vector(randomIn(5, MAP_WIDTH - 5), randomIn(2, 7)));
  p_arrow->setVelocity(ks::Vector(rand() % 2 ? 1.0f : -1.0f, 0));
  p_w->arrows++;
}

void report(const char *when, int step) {
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  int monsters = 0;
  for (int i = 0; i < all.getCount(); i++)
    monsters += all.getItem(i)->getType() == "Monster";
  printf("%-6s step %6d  resident %7.1f MB  objects %5d  monsters %3d  log %8.1f MB\n", when, step,
         residentKilobytes() / 1024.0, all.getCount(), monsters,
         fileKilobytes("soak.log") / 1024.0);
  fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  int steps = argc > 1 ? atoi(argv[1]) : 100000;
  // The game flushes the log after every line; without, the cost of the lines alone shows.
  bool flush = !(argc > 2 && std::string(argv[2]) == "--no-flush");
  ks::Configuration &config = ks::Configuration::getInstance();
  config.setHeadless(false);
  config.setDisplay("text");
  config.setRandomSeed(16);
  config.setLogFile("soak.log");
  ks::GameManager &gm = ks::GameManager::getInstance();
  if (gm.startUp() != 0)
    return 1;
  ks::LogManager::getInstance().setFlush(flush);
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  ks::GraphicsManager &gfx = ks::GraphicsManager::getInstance();
  wm.setBoundary(ks::Box(ks::Vector(0, 0), MAP_WIDTH, MAP_HEIGHT));
  wm.setView(ks::Box(ks::Vector(0, 0), 80, 24));
  // The game's files, from the run folder (whose configuration would open a window).
  char bench_dir[4096];
  if (getcwd(bench_dir, sizeof(bench_dir)) == nullptr || chdir(KS_RUN_DIR) != 0)
    return 1;
  loadResources();
  loadMap();
  if (chdir(bench_dir) != 0)
    return 1;

  World w;
  // Written before the start, so that the figures below show the world's memory alone.
  std::vector<double> times(static_cast<size_t>(steps), 0.0);
  keepUp(&w);
  report("start", 0);
  for (int step = 1; step <= steps; step++) {
    // The driver's own work is not timed.
    if (step % KEEP_UP_EVERY == 0)
      keepUp(&w);
    if (step % ARROW_EVERY == 0)
      shoot(&w);
    auto start = std::chrono::steady_clock::now();
    // The game loop's step, without input (none comes) and path searches (the game runs none).
    wm.update();
    wm.draw();
    ks::EventStep s(step);
    gm.onEvent(&s);
    gfx.swapBuffers();
    times[step - 1] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (step == steps / 2)
      report("middle", step);
  }
  report("end", steps);

  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::vector<size_t> order(times.size());
  for (size_t i = 0; i < order.size(); i++)
    order[i] = i;
  std::partial_sort(order.begin(), order.begin() + std::min<size_t>(3, order.size()), order.end(),
                    [&times](size_t a, size_t b) { return times[a] > times[b]; });
  printf("step time  median %.3f ms  99.9%% %.3f ms  worst %.3f ms  frame 33 ms\n",
         sorted[sorted.size() / 2], sorted[sorted.size() * 999 / 1000], sorted.back());
  printf("worst steps:");
  for (size_t i = 0; i < std::min<size_t>(3, order.size()); i++)
    printf("  %zu (%.1f ms)", order[i] + 1, times[order[i]]);
  printf("\n");
  printf("heroes %d  monsters spawned by the driver %d  fell out %d  arrows %d\n", w.heroes,
         w.spawned, w.fell, w.arrows);

  // The whole world marked for deletion in one step.
  ks::ObjectList all = wm.getAllObjects(true);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < all.getCount(); i++)
    wm.markForDelete(all.getItem(i));
  wm.update();
  printf(
      "marking and deleting all %d objects in one step: %.1f ms\n", all.getCount(),
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  gm.shutDown();
  return 0;
}
