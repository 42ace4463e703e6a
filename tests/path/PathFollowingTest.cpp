// The object side: path events, following a path node by node, and a whole trip through the
// game loop.
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "EventPath.h"
#include "EventStep.h"
#include "GameManager.h"
#include "PathManager.h"
#include "PathTestSupport.h"
#include "TestSupport.h"

using kstest::Block;
using kstest::Walker;

namespace {

class PathFollowingTest : public testing::Test {
protected:
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }

  static ks::Path straightPath() {
    return ks::Path({ks::Vector(0, 0), ks::Vector(1, 0), ks::Vector(2, 0)});
  }
};

TEST_F(PathFollowingTest, FoundEventStartsFollowingAndDropsTheSearch) {
  std::string log = kstest::startPathEngine("log", 0, 10, 10);
  auto *p_walker = new Walker(ks::Vector(0, 0));
  p_walker->setVelocity(ks::Vector(0.5f, 0));
  ks::PathManager::getInstance().findPath(p_walker, ks::Vector(9, 9));
  ks::EventPath event;
  event.setStatus(ks::FOUND);
  ks::Path path({ks::Vector(0, 0), ks::Vector(3, 4)});
  path.setIndex(1);
  event.setPath(path);
  EXPECT_EQ(p_walker->eventHandler(&event), 1);
  EXPECT_TRUE(p_walker->isFollowingPath());
  EXPECT_EQ(p_walker->getPath().getIndex(), 1u);
  EXPECT_EQ(p_walker->getDirection(), ks::Vector(0.6f, 0.8f));
  EXPECT_FLOAT_EQ(p_walker->getSpeed(), 0.5f);
  EXPECT_EQ(p_walker->getPathFind(), nullptr);
  EXPECT_EQ(ks::PathManager::getInstance().getPathFindCount(), 0);
  EXPECT_TRUE(kstest::logContains(log, "Object::eventHandler(): Object " +
                                           std::to_string(p_walker->getId()) +
                                           " (Walker) got path event."));
}

TEST_F(PathFollowingTest, OtherResultsOnlyDropTheSearch) {
  kstest::startPathEngine("log", 0, 10, 10);
  auto *p_walker = new Walker(ks::Vector(0, 0));
  ks::PathManager::getInstance().findPath(p_walker, ks::Vector(9, 9));
  ks::EventPath event;
  event.setStatus(ks::NOT_FOUND);
  event.setPath(straightPath());
  EXPECT_EQ(p_walker->ks::Object::eventHandler(&event), 1);
  EXPECT_FALSE(p_walker->isFollowingPath());
  EXPECT_EQ(p_walker->getPathFind(), nullptr);
  EXPECT_EQ(ks::PathManager::getInstance().getPathFindCount(), 0);

  ks::EventStep step(3);
  EXPECT_EQ(p_walker->ks::Object::eventHandler(&step), 0);
}

TEST_F(PathFollowingTest, FollowsNodeByNodeAndStopsAtTheEnd) {
  std::string log = kstest::startPathEngine("log", 0, 10, 10);
  auto *p_walker = new Walker(ks::Vector(0, 0));
  p_walker->setVelocity(ks::Vector(0, 0.5f));
  p_walker->setPath(straightPath());
  ASSERT_TRUE(p_walker->isFollowingPath());

  // Standing on the first node: on at once to the second.
  p_walker->doPathFollowing();
  EXPECT_TRUE(kstest::logContains(
      log, "Object::doPathFollowing(): Walker, next node (0,0), speed 0.50, dir (0.00,0.00)"));
  EXPECT_TRUE(kstest::logContains(log, "\tBox: (-0.50, -0.50), h 0.99, v 0.99"));
  EXPECT_TRUE(kstest::logContains(log, "\tAt next node. On to (1, 0)"));
  EXPECT_TRUE(kstest::logContains(log, "\tdir (1.00, 0.00), speed 0.50"));
  EXPECT_EQ(p_walker->getPath().getIndex(), 1u);

  // Walk as the world manager would: move by the velocity, then follow.
  int steps = 0;
  while (p_walker->isFollowingPath() && steps < 20) {
    p_walker->setPosition(p_walker->getPosition() + p_walker->getVelocity());
    p_walker->doPathFollowing();
    steps++;
  }
  EXPECT_FALSE(p_walker->isFollowingPath());
  EXPECT_TRUE(kstest::logContains(log, "\tAt next node. End of path."));
  EXPECT_EQ(p_walker->getDirection(), ks::Vector(0, 0));
  EXPECT_FLOAT_EQ(p_walker->getSpeed(), 0.5f);
  EXPECT_NEAR(p_walker->getPosition().getX(), 2, 0.5);
  // The box reaches half a cell ahead: at 0.5 cells a step each node takes two steps.
  EXPECT_EQ(steps, 4);

  // Done: nothing more happens.
  size_t lines = kstest::readLines(log).size();
  p_walker->doPathFollowing();
  EXPECT_EQ(kstest::readLines(log).size(), lines);
}

TEST_F(PathFollowingTest, PathWithNoNodeLeftIsNotFollowed) {
  kstest::startPathEngine("log", 0, 10, 10);
  auto *p_walker = new Walker(ks::Vector(4, 4));
  p_walker->setVelocity(ks::Vector(1, 0));
  p_walker->setPath(ks::Path());
  EXPECT_FALSE(p_walker->isFollowingPath());
  EXPECT_EQ(p_walker->getDirection(), ks::Vector(1, 0));
}

// Asks for a path on its first step, then stops the game once it has arrived (or gives up).
class Traveller : public Walker {
public:
  Traveller(ks::Vector at, ks::Vector target) : Walker(at, "Traveller"), goal(target) {
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return Walker::eventHandler(p_e);
    int step = static_cast<const ks::EventStep *>(p_e)->getStepCount();
    if (step == 0)
      ks::PathManager::getInstance().findPath(this, goal);
    visited.push_back(getPosition());
    bool arrived = !statuses.empty() && !isFollowingPath();
    if (arrived || step > 400)
      ks::GameManager::getInstance().setGameOver();
    return 1;
  }
  ks::Vector goal;
  std::vector<ks::Vector> visited;
};

TEST_F(PathFollowingTest, ObjectWalksAroundHardWallsToItsGoalThroughTheGameLoop) {
  // The loop sleeps 4 ms a step; the path manager gets 2 ms of it.
  std::string log = kstest::startPathEngine("log", 4, 10, 10);
  std::set<std::pair<int, int>> walls;
  for (int y = 0; y <= 7; y++) {
    new Block(5, y);
    walls.insert({5, y});
  }
  auto *p_traveller = new Traveller(ks::Vector(2, 2), ks::Vector(8, 2));
  // SOFT: brushing past a wall's corner on a diagonal does not stop it.
  p_traveller->setSolidness(ks::SOFT);
  // Its own speed, but no direction until the path arrives.
  p_traveller->setVelocity(ks::Vector(0.5f, 0));
  p_traveller->moveTo(p_traveller->getPosition());
  ks::GameManager::getInstance().run();

  ASSERT_EQ(p_traveller->statuses, std::vector<int>{ks::FOUND});
  EXPECT_FALSE(p_traveller->isFollowingPath());
  EXPECT_NEAR(p_traveller->getPosition().getX(), 8, 0.5);
  EXPECT_NEAR(p_traveller->getPosition().getY(), 2, 0.5);
  EXPECT_LT(ks::GameManager::getInstance().getStepCount(), 400);
  // The route goes under the wall, never through it.
  bool went_below = false;
  for (const ks::Vector &v : p_traveller->visited) {
    std::pair<int, int> cell{static_cast<int>(std::floor(v.getX() + 0.5f)),
                             static_cast<int>(std::floor(v.getY() + 0.5f))};
    EXPECT_EQ(walls.count(cell), 0u) << cell.first << "," << cell.second;
    went_below = went_below || v.getY() > 7.5f;
  }
  EXPECT_TRUE(went_below);
  EXPECT_TRUE(kstest::logContains(log, "PathFind::cycleOnce(): done. FOUND."));
  EXPECT_TRUE(kstest::logContains(log, "\tAt next node. End of path."));
}

} // namespace
