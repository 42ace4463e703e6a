// Speed of the path search on a world the size of the game's level (300 x 50 cells), every
// ply traced to a real log file flushed after each line, as in the game. Two searches: corner
// to corner on an empty world, and across a long HARD wall with one gap. Prints plies, total
// milliseconds (wall clock, and the process's CPU time within it), plies per millisecond and the
// size of the trace. The log file is removed at the end.
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "Configuration.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"
#include "WorldManager.h"

namespace {

const int COLUMNS = 300;
const int ROWS = 50;

/// User plus system CPU time of the process so far, in milliseconds.
double cpuMilliseconds() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

long fileSize(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

/// Runs one search to its end and prints its figures.
void run(const char *name, ks::Object *p_walker, ks::Cell start, ks::Cell end,
         const std::string &log_path) {
  long log_before = fileSize(log_path);
  ks::PathFind search(p_walker, start, end);
  double cpu0 = cpuMilliseconds();
  auto t0 = std::chrono::steady_clock::now();
  ks::PathResult result = ks::INCOMPLETE;
  while (result == ks::INCOMPLETE)
    result = search.cycleOnce();
  auto t1 = std::chrono::steady_clock::now();
  double cpu = cpuMilliseconds() - cpu0;
  ks::Path path = search.getPath();
  double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
  long log_bytes = fileSize(log_path) - log_before;
  std::printf("%-24s %-9s path %3u nodes  plies %6d  total %8.0f ms (cpu %7.0f ms)  "
              "%6.3f plies/ms  trace %6.1f MB\n",
              name, result == ks::FOUND ? "FOUND" : "NOT_FOUND", path.getNodeCount(),
              search.getPly(), ms, cpu, search.getPly() / ms, log_bytes / 1e6);
}

} // namespace

int main() {
  ks::Configuration &config = ks::Configuration::getInstance();
  std::string log_path = "path_bench.log";
  config.setLogFile(log_path);
  config.setHeadless(true);
  config.setFrameTime(0);
  if (ks::GameManager::getInstance().startUp() != 0) {
    std::fprintf(stderr, "path_bench: start-up failed\n");
    return 1;
  }
  ks::LogManager::getInstance().setFlush(true);
  ks::WorldManager &world_manager = ks::WorldManager::getInstance();
  world_manager.setBoundary(ks::Box(ks::Vector(0, 0), COLUMNS, ROWS));

  std::printf("Path search on %d x %d cells, trace to %s (flushed every line)\n", COLUMNS, ROWS,
              log_path.c_str());
  ks::Object *p_walker = new ks::Object;
  p_walker->setSolidness(ks::SPECTRAL);
  run("empty, corner to corner", p_walker, {0, 0}, {COLUMNS - 1, ROWS - 1}, log_path);

  // A wall down the middle, open only near the bottom: the search fills the left half first.
  for (int y = 0; y < ROWS; y++) {
    if (y == ROWS - 5)
      continue;
    ks::Object *p_wall = new ks::Object;
    p_wall->setType("Wall");
    p_wall->setPosition(ks::Vector(COLUMNS / 2, static_cast<float>(y)));
  }
  run("wall with one gap", p_walker, {10, 5}, {COLUMNS - 10, 5}, log_path);

  ks::GameManager::getInstance().shutDown();
  // The trace runs to gigabytes; nobody reads it.
  std::remove(log_path.c_str());
  return 0;
}
