// The search itself: results, paths, blocking, the trace it writes and the tie rule.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "PathFind.h"
#include "PathTestSupport.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::Block;
using kstest::renderNodes;
using kstest::runToEnd;

namespace {

class PathFindTest : public testing::Test {
protected:
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }

  /// The log lines from the `ply`-th ply's dash line up to its "done" line.
  static std::vector<std::string> plyLines(const std::string &log, int ply) {
    std::vector<std::string> messages = kstest::logMessages(log);
    std::string head = "PathFind::cycleOnce(): ply " + std::to_string(ply);
    auto it = std::find(messages.begin(), messages.end(), head);
    if (it == messages.begin() || it == messages.end())
      return {};
    std::vector<std::string> lines(it - 1, messages.end());
    for (size_t i = 0; i < lines.size(); i++)
      if (lines[i].rfind("PathFind::cycleOnce(): done.", 0) == 0)
        return std::vector<std::string>(lines.begin(), lines.begin() + i + 1);
    return lines;
  }
};

TEST_F(PathFindTest, StartEqualToGoalIsFoundAtOnceWithOneNode) {
  std::string log = kstest::startPathEngine("log", 0, 5, 5);
  kstest::Walker walker(ks::Vector(2, 3));
  ks::PathFind search(&walker, {2, 3}, {2, 3});
  EXPECT_EQ(search.cycleOnce(), ks::FOUND);
  EXPECT_EQ(search.getPly(), 1);
  ks::Path path = search.getPath();
  EXPECT_EQ(renderNodes(path), "(2,3) ");
  EXPECT_EQ(path.getIndex(), 0u);
  EXPECT_TRUE(kstest::logContains(log, "PathFind::getPath(): (2,3) "));
  EXPECT_EQ(kstest::logCount(log, "Examining neighbor"), 0);
}

TEST_F(PathFindTest, EmptyAreaWalksTheDiagonalAndTracesEveryStep) {
  std::string log = kstest::startPathEngine("log", 0, 5, 5);
  kstest::Walker walker(ks::Vector(0, 0));
  ks::PathFind search(&walker, {0, 0}, {4, 4});
  EXPECT_EQ(runToEnd(search), ks::FOUND);
  EXPECT_EQ(search.getPly(), 5);
  EXPECT_EQ(renderNodes(search.getPath()), "(0,0) (1,1) (2,2) (3,3) (4,4) ");
  EXPECT_TRUE(kstest::logContains(log, "PathFind::getPath(): (0,0) (1,1) (2,2) (3,3) (4,4) "));

  std::vector<std::string> first = {
      "-------------------------------",
      "PathFind::cycleOnce(): ply 1",
      "\tFinding lowest cost in open set",
      "\tNode (0,0), cost 5.66 to min inf",
      "\tLowest (0,0), cost 5.66",
      "\tOpen set: ",
      "\tClosed set: (0,0) ",
      "\tExamining neighbor (1, 0)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.00, to_end 6.00)",
      "\tExamining neighbor (0, 1)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.00, to_end 6.00)",
      "\tExamining neighbor (1, 1)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.41, to_end 5.66)",
      "PathFind::cycleOnce(): done. INCOMPLETE.",
  };
  EXPECT_EQ(plyLines(log, 1), first);

  // The second ply walks the open set backwards, closes (1,1) and sees (0,0) closed and
  // (1,0) open with a cheaper route already; its new neighbours come in row order.
  std::vector<std::string> second = plyLines(log, 2);
  ASSERT_GE(second.size(), 16u);
  std::vector<std::string> head(second.begin(), second.begin() + 16);
  std::vector<std::string> expected = {
      "-------------------------------",
      "PathFind::cycleOnce(): ply 2",
      "\tFinding lowest cost in open set",
      "\tNode (1,1), cost 5.66 to min inf",
      "\tNode (0,1), cost 6.00 to min 5.66",
      "\tNode (1,0), cost 6.00 to min 5.66",
      "\tLowest (1,1), cost 5.66",
      "\tOpen set: (1,0) (0,1) ",
      "\tClosed set: (0,0) (1,1) ",
      "\tExamining neighbor (0, 0)",
      "\t\tin_closed already",
      "\tExamining neighbor (1, 0)",
      "\t\tin_open already",
      "\tExamining neighbor (2, 0)",
      "\t\tin_open new",
      "\t\tbetter path from (1, 1) (from_start 2.83, to_end 7.30)",
  };
  EXPECT_EQ(head, expected);
  std::vector<std::string> examined;
  for (const std::string &line : second)
    if (line.rfind("\tExamining neighbor", 0) == 0)
      examined.push_back(line.substr(20));
  EXPECT_EQ(examined, (std::vector<std::string>{"(0, 0)", "(1, 0)", "(2, 0)", "(0, 1)", "(2, 1)",
                                                "(0, 2)", "(1, 2)", "(2, 2)"}));
  EXPECT_TRUE(kstest::logContains(log, "PathFind::cycleOnce(): done. FOUND."));
}

TEST_F(PathFindTest, GoalWalledInOnAllEightSidesIsNotFoundAndYieldsNoPath) {
  std::string log = kstest::startPathEngine("log", 0, 5, 5);
  for (int y = 1; y <= 3; y++)
    for (int x = 1; x <= 3; x++)
      if (x != 2 || y != 2)
        new Block(x, y);
  kstest::Walker walker(ks::Vector(0, 0));
  ks::PathFind search(&walker, {0, 0}, {2, 2});
  EXPECT_EQ(runToEnd(search), ks::NOT_FOUND);
  // Every cell of the outer ring is closed, one per ply.
  EXPECT_EQ(search.getPly(), 16);
  EXPECT_GT(kstest::logCount(log, "\t\tCollision (Wall)"), 0);
  EXPECT_TRUE(kstest::logContains(log, "PathFind::cycleOnce(): done. NOT_FOUND."));
  // The goal was never reached: no parent chain to walk, so no route through the walls.
  ks::Path path = search.getPath();
  EXPECT_EQ(path.getNodeCount(), 0u);
  EXPECT_TRUE(path.isDone());
}

TEST_F(PathFindTest, SoftAndSpectralCellsDoNotBlockButHardOnesDo) {
  std::string log = kstest::startPathEngine("log", 0, 4, 1);
  new Block(1, 0, ks::SOFT, "Soft");
  new Block(2, 0, ks::SPECTRAL, "Ghost");
  kstest::Walker walker(ks::Vector(0, 0));
  ks::PathFind through(&walker, {0, 0}, {3, 0});
  EXPECT_EQ(runToEnd(through), ks::FOUND);
  EXPECT_EQ(renderNodes(through.getPath()), "(0,0) (1,0) (2,0) (3,0) ");
  EXPECT_EQ(kstest::logCount(log, "Collision"), 0);

  new Block(2, 0, ks::HARD, "Rock");
  ks::PathFind blocked(&walker, {0, 0}, {3, 0});
  EXPECT_EQ(runToEnd(blocked), ks::NOT_FOUND);
  EXPECT_TRUE(kstest::logContains(log, "\t\tCollision (Rock)"));
}

TEST_F(PathFindTest, HardObjectsInNeighbouringCellsDoNotTouchTheSearcher) {
  // Default boxes are 0.99 wide, so objects one cell apart don't touch: a corridor one cell
  // wide between two rows of walls is open.
  kstest::startPathEngine("log", 0, 5, 3);
  for (int x = 0; x < 5; x++) {
    new Block(x, 0);
    new Block(x, 2);
  }
  kstest::Walker walker(ks::Vector(0, 1));
  ks::PathFind search(&walker, {0, 1}, {4, 1});
  EXPECT_EQ(runToEnd(search), ks::FOUND);
  EXPECT_EQ(renderNodes(search.getPath()), "(0,1) (1,1) (2,1) (3,1) (4,1) ");
}

TEST_F(PathFindTest, NeighboursOutsideTheTruncatedAreaAreNeverExamined) {
  // A 5.7 x 3.9 boundary is searched as 5 x 3 cells; the goal lies outside, so every cell
  // of the area is expanded, edges and corners included.
  std::string log = kstest::startPathEngine("log", 0, 5.7f, 3.9f);
  kstest::Walker walker(ks::Vector(2, 1));
  ks::PathFind search(&walker, {2, 1}, {7, 1});
  EXPECT_EQ(runToEnd(search), ks::NOT_FOUND);
  EXPECT_EQ(search.getPly(), 15);
  int examined = 0;
  for (const std::string &line : kstest::logMessages(log)) {
    int x = -100, y = -100;
    if (std::sscanf(line.c_str(), "\tExamining neighbor (%d, %d)", &x, &y) != 2)
      continue;
    examined++;
    EXPECT_TRUE(x >= 0 && x < 5 && y >= 0 && y < 3) << line;
  }
  // Each cell is examined once from each of its neighbours inside the area:
  // 4 corners x 3 + 8 other edge cells x 5 + 3 inner cells x 8.
  EXPECT_EQ(examined, 4 * 3 + 8 * 5 + 3 * 8);
}

TEST_F(PathFindTest, TiesGoToTheMostRecentlyDiscoveredCell) {
  // With (1,1) walled, (0,1) and (2,1) cost the same; (2,1) is discovered later and wins.
  // In the third ply (1,2) wins against the older (0,1) at the same cost.
  std::string log = kstest::startPathEngine("log", 0, 3, 3);
  new Block(1, 1);
  kstest::Walker walker(ks::Vector(1, 0));
  ks::PathFind search(&walker, {1, 0}, {1, 2});
  EXPECT_EQ(search.cycleOnce(), ks::INCOMPLETE);
  EXPECT_EQ(search.cycleOnce(), ks::INCOMPLETE);
  EXPECT_TRUE(kstest::logContains(log, "\tLowest (2,1), cost 2.83"));
  EXPECT_TRUE(kstest::logContains(log, "\tClosed set: (1,0) (2,1) "));
  EXPECT_EQ(runToEnd(search), ks::FOUND);
  EXPECT_EQ(search.getPly(), 3);
  EXPECT_TRUE(kstest::logContains(log, "\tLowest (1,2), cost 2.83"));
  EXPECT_EQ(renderNodes(search.getPath()), "(1,0) (2,1) (1,2) ");
}

TEST_F(PathFindTest, AnEqualCostRouteFoundLaterReplacesTheParent) {
  // (2,1) is reached at cost 1 + sqrt(2) from (1,0) first, then at the same cost from (1,1):
  // the later route wins.
  std::string log = kstest::startPathEngine("log", 0, 4, 2);
  new Block(2, 0);
  kstest::Walker walker(ks::Vector(0, 0));
  ks::PathFind search(&walker, {0, 0}, {3, 0});
  EXPECT_EQ(runToEnd(search), ks::FOUND);
  EXPECT_EQ(renderNodes(search.getPath()), "(0,0) (1,1) (2,1) (3,0) ");
  EXPECT_TRUE(
      kstest::logContains(log, "\t\tbetter path from (1, 1) (from_start 2.41, to_end 3.83)"));
}

TEST_F(PathFindTest, GridIsTheOneAllocatedEvenAfterTheBoundaryChanges) {
  // The sanitizer build catches a bad free or a leak here.
  std::string log = kstest::startPathEngine("log", 0, 4, 4);
  ks::WorldManager &world_manager = ks::WorldManager::getInstance();
  kstest::Walker walker(ks::Vector(0, 0));
  auto *p_shrunk = new ks::PathFind(&walker, {0, 0}, {3, 3});
  world_manager.setBoundary(ks::Box(ks::Vector(0, 0), 2, 2));
  EXPECT_EQ(runToEnd(*p_shrunk), ks::FOUND);
  delete p_shrunk;

  auto *p_grown = new ks::PathFind(&walker, {0, 0}, {9, 0});
  world_manager.setBoundary(ks::Box(ks::Vector(0, 0), 10, 10));
  // The search stays in the 2 x 2 area it was made for.
  EXPECT_EQ(runToEnd(*p_grown), ks::NOT_FOUND);
  EXPECT_EQ(p_grown->getPly(), 4);
  delete p_grown;
}

TEST_F(PathFindTest, StartOutsideTheAreaEndsWithoutExpanding) {
  std::string log = kstest::startPathEngine("log", 0, 3, 3);
  kstest::Walker walker(ks::Vector(-4, 1));
  ks::PathFind search(&walker, {-4, 1}, {1, 1});
  EXPECT_EQ(search.cycleOnce(), ks::NOT_FOUND);
  EXPECT_TRUE(kstest::logContains(log, "\tClosed set: (-4,1) "));
  EXPECT_EQ(kstest::logCount(log, "Examining neighbor"), 0);
  EXPECT_EQ(search.getPath().getNodeCount(), 0u);
}

} // namespace
