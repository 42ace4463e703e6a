// Path finding: the searches' results and routes, the manager's passes and budgets, and objects
// following the paths they are given.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "EventPath.h"
#include "GameManager.h"
#include "LogManager.h"
#include "PathFind.h"
#include "PathManager.h"
#include "Platform.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using Lines = std::vector<std::string>;

namespace {

/// A path's nodes as "(x,y) " pairs.
std::string route(const ks::Path &path) {
  std::string s;
  for (const ks::Vector &v : path.getNodes())
    s += "(" + std::to_string(std::lround(v.getX())) + "," + std::to_string(std::lround(v.getY())) +
         ") ";
  return s;
}

/// An object of `solidness` on cell (x, y) (owned by the world).
ks::Object *place(int x, int y, ks::Solidness solidness = ks::HARD) {
  auto *p_o = new ks::Object;
  p_o->setSolidness(solidness);
  p_o->setPosition(ks::Vector(x, y));
  return p_o;
}

/// Remembers the path events it gets and, unless it keeps them, passes them on to the base
/// handler, which follows found paths and drops the search.
class Walker : public ks::Object {
public:
  explicit Walker(ks::Vector at) { setPosition(at); }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::PATH_EVENT) {
      statuses.push_back(static_cast<const ks::EventPath *>(p_e)->getStatus());
      routes.push_back(route(static_cast<const ks::EventPath *>(p_e)->getPath()));
      if (on_path)
        on_path();
    }
    return keep ? 1 : ks::Object::eventHandler(p_e);
  }
  bool keep = false;             ///< keep finished searches registered
  std::vector<int> statuses;     ///< status of each path event, in order
  Lines routes;                  ///< route of each path event, in order
  std::function<void()> on_path; ///< if set, runs on each path event
};

class PathTest : public testing::Test {
protected:
  void TearDown() override {
    ks::GameManager::getInstance().shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
    ks::Configuration::getInstance().reset();
  }

  /// Starts the engine headless with `settings` on a world of `columns` x `rows` cells.
  void start(float columns, float rows, const std::string &settings = "") {
    ks::Configuration::getInstance().setOverrides(settings);
    log = kstest::startHeadless("log");
    ks::WorldManager::getInstance().setBoundary(ks::Box(ks::Vector(0, 0), columns, rows));
  }

  /// Settings giving the searches `n` plies a step (as while recording) instead of half a frame.
  static std::string plies(int n) {
    return "record_file:" + kstest::scratchPath("record") + ",path_plies:" + std::to_string(n);
  }

  std::string log;
  ks::PathManager &path_manager = ks::PathManager::getInstance();
};

TEST_F(PathTest, ASearchEndsWithItsResultAndTheCheapestRoute) {
  const struct {
    const char *name;
    float columns, rows;
    const char *walls; // the area's rows, '|' between them: '#' HARD, 's' SOFT, 'g' SPECTRAL
    ks::Cell from, to;
    ks::PathResult result;
    const char *route;
    int plies = -1; // -1: not checked
  } cases[] = {
      {"start is goal", 5, 5, "", {2, 3}, {2, 3}, ks::FOUND, "(2,3) ", 1},
      {"open", 5, 5, "", {0, 0}, {4, 4}, ks::FOUND, "(0,0) (1,1) (2,2) (3,3) (4,4) ", 5},
      {"walled in", 5, 5, ".....|.###.|.#.#.|.###.", {0, 0}, {2, 2}, ks::NOT_FOUND, "", 16},
      {"soft, spectral", 4, 1, ".sg.", {0, 0}, {3, 0}, ks::FOUND, "(0,0) (1,0) (2,0) (3,0) "},
      {"tie: the latest", 3, 3, "...|.#.", {1, 0}, {1, 2}, ks::FOUND, "(1,0) (2,1) (1,2) ", 3},
      {"later, same cost", 4, 2, "..#.", {0, 0}, {3, 0}, ks::FOUND, "(0,0) (1,1) (2,1) (3,0) "},
      // Cut to 5 x 3 cells: one ply each.
      {"goal outside", 5.7f, 3.9f, "", {2, 1}, {7, 1}, ks::NOT_FOUND, "", 15},
      {"start outside", 3, 3, "", {-4, 1}, {1, 1}, ks::NOT_FOUND, "", 1},
  };
  start(1, 1);
  ks::WorldManager &world_manager = ks::WorldManager::getInstance();
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    world_manager.setBoundary(ks::Box(ks::Vector(0, 0), c.columns, c.rows));
    std::vector<ks::Object *> walls;
    int x = 0, y = 0;
    for (const char *p = c.walls; *p != '\0'; p++, x++) {
      size_t kind = std::string("#sg").find(*p); // HARD, SOFT, SPECTRAL
      if (*p == '|')
        x = -1, y++;
      else if (kind != std::string::npos)
        walls.push_back(place(x, y, static_cast<ks::Solidness>(kind)));
    }
    Walker walker(ks::Vector(c.from.x, c.from.y));
    ks::PathFind search(&walker, c.from, c.to);
    world_manager.setBoundary(ks::Box(ks::Vector(0, 0), 50, 50)); // it keeps the area it had
    ks::PathResult result = ks::INCOMPLETE;
    while (result == ks::INCOMPLETE && search.getPly() < 1000)
      result = search.cycleOnce();
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(route(search.getPath()), c.route);
    EXPECT_TRUE(c.plies < 0 || search.getPly() == c.plies) << search.getPly();
    for (ks::Object *p_wall : walls)
      delete p_wall;
  }
}

TEST_F(PathTest, TheManagerTakesSearchesWithAnObjectOnly) {
  start(10, 10);
  Walker walker(ks::Vector(0, 0));
  ks::PathFind first(&walker, {0, 0}, {5, 5}), second(&walker, {0, 0}, {6, 6});
  ks::PathFind orphan(nullptr, {0, 0}, {1, 1});
  std::vector<int> results = {path_manager.startUp(),
                              path_manager.unregisterPathFind(nullptr),
                              path_manager.registerPathFind(&first),
                              path_manager.registerPathFind(&second),
                              path_manager.registerPathFind(nullptr),
                              path_manager.registerPathFind(&orphan),
                              path_manager.unregisterPathFind(&first),
                              path_manager.unregisterPathFind(&first),
                              path_manager.unregisterPathFind(&second),
                              path_manager.findPath(nullptr, ks::Vector(1, 1))};
  EXPECT_EQ(results, (std::vector<int>{-1, -1, 0, 0, -1, -1, 0, -1, 0, -1}));
  const std::pair<const char *, int> lines[] = {
      {"PathManager::startup(): Warning! PathManager already started.", 1},
      {"PathManager::registerPathFind(): Error! Search or its object is NULL.", 2},
      {"PathManager::findPath(): Error! Object is NULL.", 1}};
  for (const auto &line : lines)
    EXPECT_EQ(kstest::logCount(log, line.first), line.second) << line.first;
}

TEST_F(PathTest, EveryResultIsDeliveredOnceAndTheSearchDropped) {
  start(10, 3, plies(1000));
  for (int y = 0; y < 3; y++)
    place(5, y);
  auto *p_shut_in = new Walker(ks::Vector(0, 1));
  auto *p_walker = new Walker(ks::Vector(2.6f, 0.4f));
  auto *p_gone = new Walker(ks::Vector(8, 1));
  path_manager.findPath(p_shut_in, ks::Vector(9, 1));
  path_manager.findPath(p_gone, ks::Vector(9, 1));
  path_manager.findPath(p_walker, ks::Vector(9, 2));
  // A new goal replaces the running search; both ends are the cells nearest the positions.
  path_manager.findPath(p_walker, ks::Vector(4.4f, 0.5f));
  delete p_gone; // and its search with it
  EXPECT_EQ(path_manager.getPathFindCount(), 2);
  path_manager.cycle();
  EXPECT_EQ(p_shut_in->statuses, std::vector<int>{ks::NOT_FOUND});
  EXPECT_EQ(p_walker->routes, Lines{"(3,0) (4,1) "});
  EXPECT_EQ(path_manager.getPathFindCount(), 0);
  EXPECT_EQ(p_shut_in->getPathFind(), nullptr);
}

TEST_F(PathTest, EachPassGivesEverySearchOnePlyInTheOrderTheyCameIn) {
  start(300, 50, plies(6));
  auto *p_instant = new Walker(ks::Vector(0, 0)); // found at its first ply
  path_manager.findPath(p_instant, ks::Vector(0, 0));
  auto *p_keeper = new Walker(ks::Vector(0, 5)); // keeps its search after the end
  p_keeper->keep = true;
  ks::PathFind kept(p_keeper, {0, 5}, {0, 5});
  path_manager.registerPathFind(&kept);
  auto *p_first = new Walker(ks::Vector(0, 10));
  auto *p_second = new Walker(ks::Vector(0, 20));
  path_manager.findPath(p_first, ks::Vector(299, 10));
  path_manager.findPath(p_second, ks::Vector(299, 20));
  // Pass 1: instant (found, removed), then the keeper in its place, first, second; pass 2:
  // keeper, first.
  path_manager.cycle();
  EXPECT_EQ(p_instant->statuses, std::vector<int>{ks::FOUND});
  EXPECT_EQ(p_keeper->statuses.size(), 2u);
  EXPECT_EQ(p_first->getPathFind()->getPly(), 2);
  EXPECT_EQ(p_second->getPathFind()->getPly(), 1);
  path_manager.cycle(); // the next step starts a new pass
  EXPECT_EQ(p_keeper->statuses.size(), 4u);
  EXPECT_EQ(p_first->getPathFind()->getPly(), 4);
  EXPECT_EQ(p_second->getPathFind()->getPly(), 3);
  EXPECT_EQ(path_manager.unregisterPathFind(&kept), 0);
}

TEST_F(PathTest, TheTimeBudgetIsCheckedAfterEveryPly) {
  start(300, 50, "frame_time:40");
  ks::LogManager::getInstance().setLogLevel(1);
  // Its handler alone overruns the 20 ms budget; the other search has no time left.
  auto *p_slow = new Walker(ks::Vector(1, 1));
  p_slow->on_path = []() { ks::sleepMilliseconds(25); };
  auto *p_next = new Walker(ks::Vector(5, 5));
  path_manager.findPath(p_slow, ks::Vector(1, 1));
  path_manager.findPath(p_next, ks::Vector(299, 49));
  for (int i = 0; i < 100 && p_slow->statuses.empty(); i++)
    path_manager.cycle(); // again only if the machine stalled before the first ply
  EXPECT_EQ(p_slow->statuses, std::vector<int>{ks::FOUND});
  EXPECT_EQ(p_next->getPathFind()->getPly(), 0);
  EXPECT_GE(kstest::logCount(log, "PathManager::cycle(): cycle time 20 exceeded."), 1);
}

TEST_F(PathTest, APathIsFollowedAtTheObjectsOwnSpeedUntilAnEmptyOneIsGiven) {
  start(10, 10);
  auto *p_walker = new Walker(ks::Vector(0, 0));
  p_walker->setVelocity(ks::Vector(0, 0.5f));
  p_walker->setPath(ks::Path({ks::Vector(0, 0), ks::Vector(3, 4)}));
  p_walker->doPathFollowing(); // on the first node: on at once to the next, at its own speed
  EXPECT_EQ(p_walker->getDirection(), ks::Vector(0.6f, 0.8f));
  p_walker->setPath(ks::Path());
  EXPECT_FALSE(p_walker->isFollowingPath());
}

TEST_F(PathTest, AnObjectWalksAroundAWallToItsGoalInTheGameLoop) {
  start(10, 10, plies(20));
  for (int y = 0; y <= 7; y++)
    place(5, y);
  auto *p_traveller = new Walker(ks::Vector(2, 2));
  p_traveller->setSolidness(ks::SOFT); // brushing a wall's corner does not stop it
  p_traveller->setVelocity(ks::Vector(0.5f, 0));
  p_traveller->moveTo(p_traveller->getPosition()); // its speed, no direction until the path
  path_manager.findPath(p_traveller, ks::Vector(8, 2));
  float top_at_wall = 100; // the least y it had in the wall's column
  auto *p_watch = new kstest::RecordingObject;
  p_watch->setSolidness(ks::SPECTRAL);
  p_watch->registerInterest(ks::STEP_EVENT);
  p_watch->on_event = [&](const ks::Event *) {
    if (std::fabs(p_traveller->getPosition().getX() - 5) < 0.5f)
      top_at_wall = std::min(top_at_wall, p_traveller->getPosition().getY());
    if ((!p_traveller->statuses.empty() && !p_traveller->isFollowingPath()) ||
        p_watch->steps.size() > 400)
      ks::GameManager::getInstance().setGameOver();
  };
  ks::GameManager::getInstance().run();
  EXPECT_GT(top_at_wall, 7.5f); // under the wall, not through it
  EXPECT_NEAR(p_traveller->getPosition().getX(), 8, 0.5);
  EXPECT_NEAR(p_traveller->getPosition().getY(), 2, 0.5);
  EXPECT_EQ(p_traveller->getDirection(), ks::Vector(0, 0)); // stopped at the end, speed kept
  EXPECT_FLOAT_EQ(p_traveller->getSpeed(), 0.5f);
}

} // namespace
