// The path manager: budget, passes in registration order, delivery and unregistering.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "LogManager.h"
#include "PathFind.h"
#include "PathManager.h"
#include "PathTestSupport.h"
#include "Platform.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::Block;
using kstest::Walker;

namespace {

class PathManagerTest : public testing::Test {
protected:
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }

  /// The numbers of the "ply %d" lines, in log order.
  static std::vector<int> plySequence(const std::string &log) {
    std::vector<int> plies;
    const std::string head = "PathFind::cycleOnce(): ply ";
    for (const std::string &line : kstest::logMessages(log))
      if (line.rfind(head, 0) == 0)
        plies.push_back(std::stoi(line.substr(head.size())));
    return plies;
  }

  /// HARD walls at (x, 0) .. (x, rows-1): a column the searches can't cross.
  static void wallColumn(int x, int rows) {
    for (int y = 0; y < rows; y++)
      new Block(x, y);
  }
};

TEST_F(PathManagerTest, BudgetIsHalfTheFrameTimeAndDoubleStartIsRefused) {
  std::string log = kstest::startPathEngine("log", 33, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  EXPECT_EQ(path_manager.getMaxTime(), 16);
  EXPECT_EQ(path_manager.startUp(), -1);
  EXPECT_TRUE(
      kstest::logContains(log, "PathManager::startup(): Warning! PathManager already started."));
}

TEST_F(PathManagerTest, CycleWithoutSearchesWritesNothing) {
  std::string log = kstest::startPathEngine("log", 33, 10, 10);
  ks::LogManager::getInstance().setLogLevel(10);
  size_t before = kstest::readLines(log).size();
  ks::PathManager::getInstance().cycle();
  EXPECT_EQ(kstest::readLines(log).size(), before);
}

TEST_F(PathManagerTest, UnregisterTracesThePointerAndTheCountLeft) {
  std::string log = kstest::startPathEngine("log", 33, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  EXPECT_EQ(path_manager.unregisterPathFind(nullptr), -1);
  EXPECT_EQ(kstest::logCount(log, "PathManager::unregisterPathFind(): p_path_find is "), 1);
  EXPECT_EQ(kstest::logCount(log, "PathManager::unregisterPathFind(): finder is"), 0);

  Walker walker(ks::Vector(0, 0));
  ks::PathFind first(&walker, {0, 0}, {5, 5});
  ks::PathFind second(&walker, {0, 0}, {6, 6});
  EXPECT_EQ(path_manager.registerPathFind(&first), 0);
  EXPECT_EQ(path_manager.registerPathFind(&second), 0);
  EXPECT_EQ(path_manager.registerPathFind(nullptr), -1);
  ks::PathFind orphan(nullptr, {0, 0}, {1, 1});
  EXPECT_EQ(path_manager.registerPathFind(&orphan), -1);
  EXPECT_EQ(path_manager.getPathFindCount(), 2);

  EXPECT_EQ(path_manager.unregisterPathFind(&first), 0);
  EXPECT_TRUE(kstest::logContains(log, "PathManager::unregisterPathFind(): finder is 1"));
  EXPECT_EQ(path_manager.unregisterPathFind(&first), -1);
  EXPECT_EQ(kstest::logCount(log, "PathManager::unregisterPathFind(): p_path_find is "), 3);
  EXPECT_EQ(path_manager.unregisterPathFind(&second), 0);
  EXPECT_TRUE(kstest::logContains(log, "PathManager::unregisterPathFind(): finder is 0"));
}

TEST_F(PathManagerTest, PassesRunInRegistrationOrderAndDeliverInTheSamePosition) {
  std::string log = kstest::startPathEngine("log", 200, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  std::vector<Walker *> delivered;
  // Spectral walkers never block each other's searches.
  auto *p_long = new Walker(ks::Vector(0, 0), "Long");
  auto *p_instant = new Walker(ks::Vector(9, 0), "Instant");
  auto *p_short = new Walker(ks::Vector(5, 5), "Short");
  for (Walker *p_w : {p_long, p_instant, p_short}) {
    p_w->setSolidness(ks::SPECTRAL);
    p_w->p_log = &delivered;
  }
  ASSERT_EQ(path_manager.findPath(p_long, ks::Vector(9, 9)), 0);
  ASSERT_EQ(path_manager.findPath(p_instant, ks::Vector(9, 0)), 0);
  ASSERT_EQ(path_manager.findPath(p_short, ks::Vector(6, 6)), 0);
  EXPECT_EQ(path_manager.getPathFindCount(), 3);

  path_manager.cycle();

  // Pass 1: long 1, instant 1 (found, delivered, unregistered), short 1 in its place.
  // Pass 2: long 2, short 2 (found). Then long alone down the diagonal to ply 10.
  EXPECT_EQ(plySequence(log), (std::vector<int>{1, 1, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(delivered, (std::vector<Walker *>{p_instant, p_short, p_long}));
  EXPECT_EQ(path_manager.getPathFindCount(), 0);
  for (Walker *p_w : {p_long, p_instant, p_short}) {
    ASSERT_EQ(p_w->statuses, std::vector<int>{ks::FOUND});
    EXPECT_EQ(p_w->getPathFind(), nullptr);
    EXPECT_TRUE(kstest::logContains(log, "Object::eventHandler(): Object " +
                                             std::to_string(p_w->getId()) + " (" + p_w->getType() +
                                             ") got path event."));
  }
  EXPECT_EQ(kstest::renderNodes(p_short->paths[0]), "(5,5) (6,6) ");
  EXPECT_EQ(p_long->paths[0].getNodeCount(), 10u);
  EXPECT_TRUE(p_long->isFollowingPath());
}

TEST_F(PathManagerTest, NotFoundIsDeliveredAndTheSearchDropped) {
  std::string log = kstest::startPathEngine("log", 200, 5, 3);
  wallColumn(2, 3);
  auto *p_walker = new Walker(ks::Vector(0, 1));
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  ASSERT_EQ(path_manager.findPath(p_walker, ks::Vector(4, 1)), 0);
  path_manager.cycle();
  EXPECT_EQ(p_walker->statuses, std::vector<int>{ks::NOT_FOUND});
  EXPECT_FALSE(p_walker->isFollowingPath());
  EXPECT_EQ(p_walker->getPathFind(), nullptr);
  EXPECT_EQ(path_manager.getPathFindCount(), 0);
  EXPECT_TRUE(kstest::logContains(log, "PathManager::unregisterPathFind(): finder is 0"));
}

TEST_F(PathManagerTest, SpentBudgetLeavesSearchesForTheNextStep) {
  // An unreachable goal on a big world takes thousands of traced plies: far more than 1 ms.
  std::string log = kstest::startPathEngine("log", 2, 300, 50);
  ks::LogManager::getInstance().setLogLevel(1);
  wallColumn(150, 50);
  auto *p_first = new Walker(ks::Vector(0, 0));
  auto *p_second = new Walker(ks::Vector(0, 49));
  p_first->setSolidness(ks::SPECTRAL);
  p_second->setSolidness(ks::SPECTRAL);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  ASSERT_EQ(path_manager.getMaxTime(), 1);
  path_manager.findPath(p_first, ks::Vector(299, 0));
  path_manager.findPath(p_second, ks::Vector(299, 49));
  ks::PathFind *p_first_search = p_first->getPathFind();
  ks::PathFind *p_second_search = p_second->getPathFind();

  path_manager.cycle();
  int first_plies = p_first_search->getPly();
  EXPECT_GT(first_plies, 0);
  EXPECT_EQ(path_manager.getPathFindCount(), 2);
  // One ply each per pass, the first registered first.
  EXPECT_TRUE(first_plies == p_second_search->getPly() ||
              first_plies == p_second_search->getPly() + 1);

  path_manager.cycle();
  EXPECT_GT(p_first_search->getPly(), first_plies);
  EXPECT_TRUE(p_first->statuses.empty());
}

TEST_F(PathManagerTest, BudgetIsTestedAfterEveryPly) {
  std::string log = kstest::startPathEngine("log", 2, 300, 50);
  ks::LogManager::getInstance().setLogLevel(1);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  // Its handler overruns the 1 ms budget on its own; the other search is far too long to end
  // within one step.
  auto *p_slow = new Walker(ks::Vector(1, 1), "Slow");
  p_slow->on_path = []() { ks::sleepMilliseconds(3); };
  auto *p_next = new Walker(ks::Vector(5, 5));
  path_manager.findPath(p_slow, ks::Vector(1, 1));
  path_manager.findPath(p_next, ks::Vector(299, 49));

  path_manager.cycle();
  EXPECT_EQ(p_slow->statuses, std::vector<int>{ks::FOUND});
  EXPECT_EQ(p_next->getPathFind()->getPly(), 0);
  EXPECT_EQ(kstest::logCount(log, "PathManager::cycle(): cycle time 1 exceeded."), 1);

  path_manager.cycle();
  EXPECT_GT(p_next->getPathFind()->getPly(), 0);
}

TEST_F(PathManagerTest, NoBudgetNoPlies) {
  std::string log = kstest::startPathEngine("log", 0, 10, 10);
  auto *p_walker = new Walker(ks::Vector(0, 0));
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  path_manager.findPath(p_walker, ks::Vector(0, 0));
  path_manager.cycle();
  EXPECT_EQ(p_walker->getPathFind()->getPly(), 0);
  EXPECT_TRUE(p_walker->statuses.empty());
}

TEST_F(PathManagerTest, FindPathReplacesARunningSearchAndStartsFromTheNearestCells) {
  std::string log = kstest::startPathEngine("log", 200, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  EXPECT_EQ(path_manager.findPath(nullptr, ks::Vector(1, 1)), -1);
  auto *p_walker = new Walker(ks::Vector(2.6f, 0.4f));
  ASSERT_EQ(path_manager.findPath(p_walker, ks::Vector(9, 9)), 0);
  ks::PathFind *p_old = p_walker->getPathFind();
  ASSERT_NE(p_old, nullptr);
  ASSERT_EQ(path_manager.findPath(p_walker, ks::Vector(4.4f, 0.5f)), 0);
  EXPECT_NE(p_walker->getPathFind(), p_old);
  EXPECT_EQ(path_manager.getPathFindCount(), 1);
  EXPECT_TRUE(kstest::logContains(log, "PathManager::unregisterPathFind(): finder is 0"));

  path_manager.cycle();
  ASSERT_EQ(p_walker->paths.size(), 1u);
  EXPECT_EQ(kstest::renderNodes(p_walker->paths[0]), "(3,0) (4,1) ");
}

TEST_F(PathManagerTest, DeletedObjectTakesItsSearchAlong) {
  kstest::startPathEngine("log", 200, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  auto *p_walker = new Walker(ks::Vector(0, 0));
  auto *p_other = new Walker(ks::Vector(5, 0));
  path_manager.findPath(p_walker, ks::Vector(9, 9));
  path_manager.findPath(p_other, ks::Vector(5, 1));
  delete p_walker;
  EXPECT_EQ(path_manager.getPathFindCount(), 1);
  path_manager.cycle();
  EXPECT_EQ(p_other->statuses, std::vector<int>{ks::FOUND});
}

// Keeps its finished search registered by not passing path events on.
class Keeper : public ks::Object {
public:
  int eventHandler(const ks::Event *p_e) override {
    events += p_e->getType() == ks::PATH_EVENT;
    return 1;
  }
  int events = 0;
};

TEST_F(PathManagerTest, SearchKeptByItsObjectDoesNotStarveTheOthers) {
  kstest::startPathEngine("log", 2, 10, 10);
  ks::PathManager &path_manager = ks::PathManager::getInstance();
  auto *p_keeper = new Keeper();
  p_keeper->setSolidness(ks::SPECTRAL);
  auto *p_walker = new Walker(ks::Vector(5, 5));
  ks::PathFind kept(p_keeper, {0, 0}, {0, 0});
  path_manager.registerPathFind(&kept);
  path_manager.findPath(p_walker, ks::Vector(5, 5));
  path_manager.cycle();
  EXPECT_GE(p_keeper->events, 1);
  EXPECT_EQ(p_walker->statuses, std::vector<int>{ks::FOUND});
  EXPECT_EQ(path_manager.unregisterPathFind(&kept), 0);
}

} // namespace
