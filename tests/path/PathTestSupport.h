// Objects and start-up shared by the path tests.
#ifndef KS_PATH_TEST_SUPPORT_H
#define KS_PATH_TEST_SUPPORT_H

#include <functional>
#include <string>
#include <vector>

#include "EventPath.h"
#include "Object.h"
#include "Path.h"
#include "PathFind.h"
#include "Vector.h"

namespace kstest {

/// An object standing on cell (x, y), by default a HARD "Wall".
class Block : public ks::Object {
public:
  Block(int x, int y, ks::Solidness block_solidness = ks::HARD, std::string block_type = "Wall");
};

/// An object that asks for paths; it remembers the path events it gets and passes them on
/// to the base handler, which follows found paths.
class Walker : public ks::Object {
public:
  explicit Walker(ks::Vector at, std::string walker_type = "Walker");
  int eventHandler(const ks::Event *p_e) override;

  std::vector<int> statuses;     ///< status of each path event, in order
  std::vector<ks::Path> paths;   ///< path of each path event, in order
  std::vector<Walker *> *p_log;  ///< if set, every path event appends this walker (not owned)
  std::function<void()> on_path; ///< if set, runs on every path event before the base handler
};

/// Starts the engine headless with `frame_time` (the path manager's budget is half of it),
/// its log flushed to a scratch file, and a world boundary of `columns` x `rows` cells at the
/// origin. Returns the log file's path.
std::string startPathEngine(const std::string &name, int frame_time, float columns, float rows);

/// The nodes of `path` as "(x,y) " pairs, e.g. "(0,0) (1,1) ".
std::string renderNodes(const ks::Path &path);

/// Calls cycleOnce() until the search is no longer INCOMPLETE (or `limit` plies were made);
/// returns the last result.
ks::PathResult runToEnd(ks::PathFind &search, int limit = 100000);

} // namespace kstest

#endif
