#include "PathTestSupport.h"

#include "Configuration.h"
#include "GameManager.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace kstest {

Block::Block(int x, int y, ks::Solidness block_solidness, std::string block_type) {
  setType(block_type);
  setSolidness(block_solidness);
  setPosition(ks::Vector(static_cast<float>(x), static_cast<float>(y)));
}

Walker::Walker(ks::Vector at, std::string walker_type)
    : statuses(), paths(), p_log(nullptr), on_path() {
  setType(walker_type);
  setPosition(at);
}

int Walker::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() == ks::PATH_EVENT) {
    const auto *p_path_event = static_cast<const ks::EventPath *>(p_e);
    statuses.push_back(p_path_event->getStatus());
    paths.push_back(p_path_event->getPath());
    if (p_log != nullptr)
      p_log->push_back(this);
    if (on_path)
      on_path();
  }
  return ks::Object::eventHandler(p_e);
}

std::string startPathEngine(const std::string &name, int frame_time, float columns, float rows) {
  ks::Configuration &config = ks::Configuration::getInstance();
  std::string path = scratchPath(name);
  config.setLogFile(path);
  config.setHeadless(true);
  config.setFrameTime(frame_time);
  ks::LogManager::getInstance().setFlush(true);
  ks::GameManager::getInstance().startUp();
  ks::WorldManager::getInstance().setBoundary(ks::Box(ks::Vector(0, 0), columns, rows));
  return path;
}

std::string renderNodes(const ks::Path &path) {
  std::string s;
  for (const ks::Vector &v : path.getNodes())
    s += "(" + std::to_string(static_cast<int>(v.getX())) + "," +
         std::to_string(static_cast<int>(v.getY())) + ") ";
  return s;
}

} // namespace kstest

namespace kstest {

ks::PathResult runToEnd(ks::PathFind &search, int limit) {
  ks::PathResult result = ks::INCOMPLETE;
  for (int i = 0; i < limit && result == ks::INCOMPLETE; i++)
    result = search.cycleOnce();
  return result;
}

} // namespace kstest
