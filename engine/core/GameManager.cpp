#include "GameManager.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "Clock.h"
#include "Configuration.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "Platform.h"
#include "ResourceManager.h"
#include "WorldManager.h"

namespace ks {

GameManager::GameManager() : game_over(false), frame_time(0), step_count(0), random_seed(0) {
  setType("GameManager");
}

GameManager::~GameManager() {}

GameManager &GameManager::getInstance() {
  static GameManager game_manager;
  return game_manager;
}

bool GameManager::isValid(std::string event_type) const {
  return event_type == STEP_EVENT;
}

int GameManager::startUp() {
  if (startInOrder() == 0)
    return 0;
  // Leave nothing half started, so that a later start-up can succeed. The log stays open for
  // the caller's own message; shutDown() closes it.
  Manager *started_last_first[] = {&PathManager::getInstance(), &WorldManager::getInstance(),
                                   &ResourceManager::getInstance(), &InputManager::getInstance(),
                                   &GraphicsManager::getInstance()};
  for (Manager *p_manager : started_last_first)
    if (p_manager->isStarted())
      p_manager->shutDown();
  return -1;
}

int GameManager::startInOrder() {
  LogManager &log_manager = LogManager::getInstance();
  Configuration &config = Configuration::getInstance();
  config.loadConfig(config.readConfig());
  config.loadConfig(config.getOverrides());

  if (log_manager.startUp() != 0) {
    log_manager.writeLog("Error starting LogManager!");
    return -1;
  }
  log_manager.setLogLevel(config.getLogLevel());
  log_manager.writeLog("****************************************************");
  log_manager.writeLog("** Kestle version %.1f **", KS_VERSION);
  log_manager.writeLog(1, "Log Manager started.");
  config.print();
  if (startReplay() != 0)
    return -1;

  frame_time = config.getFrameTime();
  log_manager.writeLog(5, "GameManager::startUp(): frame time is %d", frame_time);

  GraphicsManager &graphics_manager = GraphicsManager::getInstance();
  if (!config.getHeadless()) {
    if (graphics_manager.startUp() != 0) {
      log_manager.writeLog("Error starting graphics manager!");
      return -1;
    }
    log_manager.writeLog(1, "Graphics manager started.");
    if (InputManager::getInstance().startUp() != 0) {
      log_manager.writeLog("Error starting input manager!");
      return -1;
    }
    log_manager.writeLog(1, "Input manager started");
  } else {
    log_manager.writeLog(1, "Headless mode enabled:");
    log_manager.writeLog(1, "--> Not starting GraphicsManager or InputManager.");
  }
  if (ResourceManager::getInstance().startUp() != 0) {
    log_manager.writeLog("Error starting resource manager!");
    return -1;
  }
  log_manager.writeLog(1, "Resource manager started.");
  WorldManager &world_manager = WorldManager::getInstance();
  if (world_manager.startUp() != 0) {
    log_manager.writeLog("Error starting world manager!");
    return -1;
  }
  log_manager.writeLog(1, "World manager started.");
  if (PathManager::getInstance().startUp() != 0) {
    log_manager.writeLog("Error starting path manager!");
    return -1;
  }
  log_manager.writeLog(1, "Path manager started.");

  Box window_box(Vector(0, 0), static_cast<float>(graphics_manager.getHorizontal()),
                 static_cast<float>(graphics_manager.getVertical()));
  world_manager.setBoundary(window_box);
  world_manager.setView(window_box);
  world_manager.setViewSlack(Vector(1.0f / 3, 1.0f / 3));

  random_seed = config.getRandomSeed();
  if (random_seed == 0)
    random_seed = static_cast<int>(time(nullptr));
  log_manager.writeLog(10, "GameManager()::startUp(): seed is %d", random_seed);
  srand(static_cast<unsigned int>(random_seed));

  if (beginTimerResolution() == TIMER_RESOLUTION_REFUSED)
    log_manager.writeLog(
        1, "GameManager()::startUp(): Warning!  timeBeginPeriod() cannot accept 1 msec.");

  game_over = false;
  Manager::startUp();
  log_manager.writeLog(5, "GameManager::startUp(): successfully started.");
  return 0;
}

// A replay runs as the recorded run ran: same view, seed and path plies, and at the recorded
// speed unless it is only kept as text.
int GameManager::startReplay() {
  Configuration &config = Configuration::getInstance();
  if (config.getReplayFile().empty())
    return 0;
  InputManager &input_manager = InputManager::getInstance();
  if (input_manager.loadReplay(config.getReplayFile()) != 0)
    return -1;
  const RecordingSettings &settings = input_manager.getReplaySettings();
  config.setWindowHorizontalChars(settings.horizontal);
  config.setWindowVerticalChars(settings.vertical);
  config.setRandomSeed(settings.random_seed);
  config.setPathPlies(settings.path_plies);
  if (config.getDisplay() != "text")
    config.setFrameTime(settings.frame_time);
  LogManager::getInstance().writeLog(1, "GameManager::startUp(): replaying '%s'.",
                                     config.getReplayFile().c_str());
  return 0;
}

void GameManager::shutDown() {
  LogManager &log_manager = LogManager::getInstance();
  game_over = true;
  if (endTimerResolution() == TIMER_RESOLUTION_REFUSED)
    log_manager.writeLog(
        1, "GameManager()::shutDown(): Warning!  timeEndPeriod() cannot accept 1 msec.");
  PathManager::getInstance().shutDown();
  log_manager.writeLog(1, "Path Manager stopped");
  WorldManager::getInstance().shutDown();
  log_manager.writeLog(1, "World Manager stopped");
  ResourceManager::getInstance().shutDown();
  log_manager.writeLog(1, "Resource Manager stopped");
  InputManager::getInstance().shutDown();
  log_manager.writeLog(1, "Input Manager stopped");
  GraphicsManager::getInstance().shutDown();
  log_manager.writeLog(1, "Graphics Manager stopped");
  log_manager.writeLog("** Game stopped **");
  log_manager.writeLog("****************************************************");
  log_manager.shutDown();
  Manager::shutDown();
}

void GameManager::step() {
  InputManager::getInstance().getInput();
  PathManager::getInstance().cycle();
  WorldManager &world_manager = WorldManager::getInstance();
  world_manager.update();
  world_manager.draw();
  EventStep s(step_count);
  onEvent(&s);
  GraphicsManager::getInstance().swapBuffers();
}

void GameManager::run() {
  LogManager &log_manager = LogManager::getInstance();
  Clock clock;
  int adjust_time = 0;
  log_manager.writeLog(1, "GameManager::run(): starting game loop");
  game_over = false;
  step_count = 0;
  while (true) {
    clock.delta();
    step();
    int loop_time = clock.split();
    // In 64 bits: a frame time of millions of milliseconds would overflow an int.
    long long sleep_time = frame_time * 1000LL - loop_time - adjust_time;
    if (sleep_time > 0) {
      clock.delta();
      sleepMilliseconds(static_cast<int>(std::min(sleep_time / 1000, 2147483647LL)));
      long long slept_time = clock.split();
      adjust_time =
          static_cast<int>(std::max(0LL, std::min(slept_time - sleep_time, 2147483647LL)));
    } else if (adjust_time == 0 && frame_time > 0) {
      log_manager.writeLog("GameManager::run(): Can't keep up! frame_time %d ms, split %d ms",
                           frame_time, loop_time / 1000);
    } else {
      adjust_time = 0;
    }
    step_count++;
    if (game_over) {
      log_manager.writeLog(1, "GameManager::run(): end of game loop");
      return;
    }
  }
}

void GameManager::setGameOver(bool new_game_over) {
  game_over = new_game_over;
}
bool GameManager::getGameOver() const {
  return game_over;
}
int GameManager::getFrameTime() const {
  return frame_time;
}
int GameManager::getStepCount() const {
  return step_count;
}
int GameManager::getRandomSeed() const {
  return random_seed;
}

} // namespace ks
