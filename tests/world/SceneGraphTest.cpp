#include <gtest/gtest.h>

#include <algorithm>

#include "GameManager.h"
#include "LogManager.h"
#include "ObjectListIterator.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

bool contains(const ks::ObjectList &list, const ks::Object *p_o) {
  ks::ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next())
    if (li.currentObject() == p_o)
      return true;
  return false;
}

int position(const ks::ObjectList &list, const ks::Object *p_o) {
  for (int i = 0; i < list.getCount(); i++)
    if (list.getItem(i) == p_o)
      return i;
  return -1;
}

class SceneGraphTest : public testing::Test {
protected:
  void SetUp() override { log = kstest::startHeadless("log"); }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  ks::SceneGraph &graph() { return ks::WorldManager::getInstance().getSceneGraph(); }
  std::string log;
};

TEST_F(SceneGraphTest, NewObjectIsActiveSolidAndVisibleAtAltitudeTwo) {
  RecordingObject *p_o = new RecordingObject;
  EXPECT_TRUE(contains(graph().activeObjects(), p_o));
  EXPECT_TRUE(contains(graph().solidObjects(), p_o));
  EXPECT_TRUE(contains(graph().visibleObjects(2), p_o));
  for (int altitude : {0, 1, 3, 4})
    EXPECT_FALSE(contains(graph().visibleObjects(altitude), p_o));
  EXPECT_FALSE(contains(graph().inactiveObjects(), p_o));
}

TEST_F(SceneGraphTest, SpectralAndInvisibleObjectsStayOutOfTheirLists) {
  RecordingObject *p_ghost = new RecordingObject;
  ASSERT_EQ(p_ghost->setSolidness(ks::SPECTRAL), 0);
  EXPECT_FALSE(contains(graph().solidObjects(), p_ghost));
  RecordingObject *p_hidden = new RecordingObject;
  ASSERT_EQ(p_hidden->setVisible(false), 0);
  for (int altitude = 0; altitude <= ks::MAX_ALTITUDE; altitude++)
    EXPECT_FALSE(contains(graph().visibleObjects(altitude), p_hidden));
  // Changing the altitude of an invisible object touches no layer.
  EXPECT_EQ(p_hidden->setAltitude(4), 0);
  EXPECT_FALSE(contains(graph().visibleObjects(4), p_hidden));
  ASSERT_EQ(p_hidden->setVisible(true), 0);
  EXPECT_TRUE(contains(graph().visibleObjects(4), p_hidden));
}

TEST_F(SceneGraphTest, VisibleObjectsOutsideTheAltitudeRangeIsAnEmptyListAndAMessage) {
  new RecordingObject;
  EXPECT_TRUE(graph().visibleObjects(5).isEmpty());
  EXPECT_TRUE(graph().visibleObjects(-1).isEmpty());
  EXPECT_TRUE(kstest::logContains(log, "SceneGraph::visibleObjects(): Altitude 5 not in [0,4]!"));
  EXPECT_TRUE(kstest::logContains(log, "SceneGraph::visibleObjects(): Altitude -1 not in [0,4]!"));
}

TEST_F(SceneGraphTest, ReactivatedObjectGoesToTheEndOfEveryList) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  ASSERT_EQ(p_a->setActive(false), 0);
  EXPECT_FALSE(contains(graph().activeObjects(), p_a));
  EXPECT_FALSE(contains(graph().solidObjects(), p_a));
  EXPECT_FALSE(contains(graph().visibleObjects(2), p_a));
  EXPECT_TRUE(contains(graph().inactiveObjects(), p_a));

  ASSERT_EQ(p_a->setActive(true), 0);
  EXPECT_GT(position(graph().activeObjects(), p_a), position(graph().activeObjects(), p_b));
  EXPECT_GT(position(graph().solidObjects(), p_a), position(graph().solidObjects(), p_b));
  EXPECT_GT(position(graph().visibleObjects(2), p_a), position(graph().visibleObjects(2), p_b));
  EXPECT_FALSE(contains(graph().inactiveObjects(), p_a));
}

TEST_F(SceneGraphTest, SolidnessChangesMoveObjectsInAndOutOfTheSolidList) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  ASSERT_EQ(p_a->setSolidness(ks::SPECTRAL), 0);
  EXPECT_FALSE(contains(graph().solidObjects(), p_a));
  ASSERT_EQ(p_a->setSolidness(ks::SOFT), 0);
  EXPECT_EQ(position(graph().solidObjects(), p_a), graph().solidObjects().getCount() - 1);
  // HARD to SOFT also moves the object to the end.
  ASSERT_EQ(p_b->setSolidness(ks::SOFT), 0);
  EXPECT_GT(position(graph().solidObjects(), p_b), position(graph().solidObjects(), p_a));
}

TEST_F(SceneGraphTest, AltitudeChangeMovesTheObjectToTheEndOfItsNewLayer) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  ASSERT_EQ(p_b->setAltitude(3), 0);
  ASSERT_EQ(p_a->setAltitude(3), 0);
  ks::ObjectList layer = graph().visibleObjects(3);
  ASSERT_EQ(layer.getCount(), 2);
  EXPECT_EQ(layer.getItem(0), p_b);
  EXPECT_EQ(layer.getItem(1), p_a);
  EXPECT_FALSE(contains(graph().visibleObjects(2), p_a));
}

TEST_F(SceneGraphTest, RemovingAnUnknownInactiveObjectIsReportedWithAnEmptyLine) {
  RecordingObject *p_o = new RecordingObject;
  ASSERT_EQ(p_o->setActive(false), 0);
  ASSERT_EQ(graph().removeObject(p_o), 0);
  EXPECT_EQ(graph().removeObject(p_o), -1);
  std::vector<std::string> messages = kstest::logMessages(log);
  auto it = std::find_if(messages.begin(), messages.end(), [](const std::string &m) {
    return m.rfind("SceneGraph::removeObject(): error removing object!  Pointer is ", 0) == 0;
  });
  ASSERT_NE(it, messages.end());
  ASSERT_NE(it + 1, messages.end());
  EXPECT_EQ(*(it + 1), "");
  ASSERT_EQ(graph().insertObject(p_o), 0); // back, so that shut-down finds it
}

} // namespace
