// The world: geometry, object lists, the scene graph, moves, collisions, steps, drawing, view.
#include <gtest/gtest.h>

#include "GameManager.h"
#include "ObjectListIterator.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"
#include "geometry.h"

using kstest::RecordingObject;
using namespace ks;

namespace {

Box box(float x, float y, float h, float v) {
  return Box(Vector(x, y), h, v);
}
using Objects = std::vector<Object *>;

Objects entries(const ObjectList &list) {
  Objects result;
  ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next())
    result.push_back(li.currentObject());
  return result;
}

TEST(Geometry, VectorsBoxesAndObjectLists) {
  Vector tiny(3e-30f, 4e-30f);
  tiny.normalize();
  EXPECT_FLOAT_EQ(tiny.getX(), 0.6f);
  EXPECT_FLOAT_EQ(Vector(3e20f, 4e20f).getMagnitude(), 5e20f); // summed as doubles
  const Box a = box(0, 0, 2, 2); // boxes meet at an edge or a corner, either way round
  const std::pair<Box, bool> cases[] = {
      {box(2, 0, 2, 2), true},      {box(2.01f, 0, 2, 2), false}, {box(0, 2, 2, 2), true},
      {box(0, 2.01f, 2, 2), false}, {box(2, 2, 1, 1), true},      {box(1, 5, 2, 2), false},
      {box(5, 1, 2, 2), false},     {box(-1, -1, 9, 9), true},    {box(0.5f, -3, 1, 9), true},
      {box(1, 1, 0, 0), true},      {box(3, 1, 0, 0), false},     {box(-2, -2, 1.99f, 9), false}};
  for (const auto &c : cases)
    EXPECT_EQ(boxIntersectsBox(a, c.first) + boxIntersectsBox(c.first, a), 2 * c.second)
        << &c - cases;
  EXPECT_TRUE(boxContainsPosition(a, Vector(0, 0)) && boxContainsPosition(a, Vector(2, 2)));
  EXPECT_FALSE(boxContainsPosition(a, Vector(-0.01f, 1)) ||
               boxContainsPosition(a, Vector(1, 2.01f)));
  int storage[10]; // the list never touches its objects: distinct addresses stand in for them
  Objects o;
  for (int &i : storage)
    o.push_back(reinterpret_cast<Object *>(&i));
  ObjectList list, assigned;
  EXPECT_EQ(list.insert(nullptr), -1);
  for (int i : {0, 1, 2, 1, 3, 1})
    ASSERT_EQ(list.insert(o[i]), 0);
  ObjectList copy(list), &same = assigned;
  assigned.insert(o[9]);
  assigned = list;
  assigned = same;
  EXPECT_EQ(list.remove(o[1]) + list.removeLast(o[1]), 0); // the first one, the last one
  EXPECT_EQ(entries(list), (Objects{o[0], o[2], o[1], o[3]}));
  EXPECT_EQ(list.removeLast(o[3]) + list.remove(o[0]), 0); // at the ends
  EXPECT_EQ(list.remove(o[9]) + list.removeLast(o[9]) + list.remove(nullptr), -3);
  EXPECT_EQ(entries(list + list + ObjectList()), (Objects{o[2], o[1], o[2], o[1]}));
  EXPECT_EQ(entries(copy), (Objects{o[0], o[1], o[2], o[1], o[3], o[1]}));
  EXPECT_EQ(entries(assigned), entries(copy));
  // An iterator walks the list it was given, and stops at its end until the list grows.
  ObjectListIterator li(&copy);
  Objects seen;
  for (li.first(); !li.isDone(); li.next(), list.remove(o[2]), list.insert(o[8]))
    seen.push_back(li.currentObject());
  EXPECT_EQ(seen, (Objects{o[0], o[1], o[2], o[1], o[3], o[1]}));
  li.next();
  EXPECT_EQ(li.currentObject(), nullptr);
  copy.insert(o[7]);
  EXPECT_EQ(li.currentObject(), o[7]);
  copy.clear();
  EXPECT_TRUE(li.isDone() && copy.isEmpty());
}

class WorldTest : public testing::Test {
protected:
  void SetUp() override {
    log = kstest::startHeadless("log");
    world().setBoundary(Box(Vector(0, 0), 100, 100));
  }
  void TearDown() override { GameManager::getInstance().shutDown(); }
  WorldManager &world() { return WorldManager::getInstance(); }
  SceneGraph &graph() { return world().getSceneGraph(); }

  /// A recording object at (x, y) of `solidness` (owned by the world).
  static RecordingObject *object(float x, float y, Solidness solidness = HARD) {
    auto *p_o = new RecordingObject;
    p_o->setPosition(Vector(x, y));
    p_o->setSolidness(solidness);
    return p_o;
  }
  /// A mover at (10, 10) and a target at (12, 10) with the given solidness.
  void place(Solidness mover, Solidness target) {
    p_mover = object(10, 10, mover);
    p_target = object(12, 10, target);
  }
  RecordingObject *p_mover = nullptr, *p_target = nullptr;
  std::string log;
  std::vector<int> record; ///< what Witness objects saw; outlives them
};

/// Records its id when drawn and when destroyed; may mark another object when destroyed.
struct Witness : RecordingObject {
  Witness(std::vector<int> *p_record, Object *p_next_victim = nullptr)
      : p_ids(p_record), p_next(p_next_victim) {}
  ~Witness() override {
    p_ids->push_back(getId());
    if (p_next != nullptr)
      WorldManager::getInstance().markForDelete(p_next);
  }
  void draw() override { p_ids->push_back(getId()); }
  std::vector<int> *p_ids; ///< shared record (not owned)
  Object *p_next;          ///< marked for deletion at destruction (not owned)
};

/// Where `p_o` stands in the active, solid and inactive lists and in each layer (-1: not there).
std::vector<int> places(SceneGraph &g, const Object *p_o) {
  std::vector<ObjectList> lists = {g.activeObjects(), g.solidObjects(), g.inactiveObjects()};
  for (int altitude = 0; altitude <= MAX_ALTITUDE; altitude++)
    lists.push_back(g.visibleObjects(altitude));
  std::vector<int> found;
  for (const ObjectList &list : lists) {
    found.push_back(-1);
    for (int i = 0; i < list.getCount(); i++)
      found.back() = list.getItem(i) == p_o ? i : found.back();
  }
  return found;
}

TEST_F(WorldTest, ObjectsAreInTheListsOfTheirAttributesAndChangesGoToTheEnd) {
  RecordingObject *p_a = new RecordingObject, *p_b = new RecordingObject;
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{0, 0, -1, -1, -1, 0, -1, -1}));
  ASSERT_EQ(p_a->setActive(false), 0);
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{-1, -1, 0, -1, -1, -1, -1, -1}));
  ASSERT_EQ(p_a->setActive(true), 0);
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{1, 1, -1, -1, -1, 1, -1, -1}));
  ASSERT_EQ(p_b->setSolidness(SOFT) + p_a->setAltitude(3) + p_b->setAltitude(3), 0);
  EXPECT_EQ(places(graph(), p_b), (std::vector<int>{0, 1, -1, -1, -1, -1, 1, -1}));
  ASSERT_EQ(p_a->setSolidness(SPECTRAL) + p_a->setVisible(false) + p_a->setAltitude(4), 0);
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{1, -1, -1, -1, -1, -1, -1, -1}));
  ASSERT_EQ(p_a->setVisible(true), 0);
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{1, -1, -1, -1, -1, -1, -1, 0}));
  EXPECT_TRUE(graph().visibleObjects(5).isEmpty());
  EXPECT_TRUE(kstest::logContains(log, "SceneGraph::visibleObjects(): Altitude 5 not in [0,4]!"));
  ASSERT_EQ(p_a->setVisible(false) + graph().removeObject(p_a) + graph().insertObject(p_a), 0);
  EXPECT_EQ(places(graph(), p_a), (std::vector<int>{1, -1, -1, -1, -1, -1, -1, -1}));
  ASSERT_EQ(p_a->setActive(false) + graph().removeObject(p_a), 0);
  EXPECT_EQ(graph().removeObject(p_a), -1);
  EXPECT_TRUE(kstest::logContains(log, "SceneGraph::removeObject(): error removing object!  "));
  ASSERT_EQ(graph().insertObject(p_a), 0); // back, so that shut-down deletes it
  for (const char *type : {"ks::step", "ks::keyboard", "ks::mouse", "ks::collision", "ks::out"})
    EXPECT_FALSE(world().isValid(type)) << type;
  EXPECT_TRUE(world().isValid("ks::view") && world().isValid("game::explosion"));
  EXPECT_TRUE(kstest::logContains(log, "WorldManager does not handle ks::step") &&
              kstest::logContains(log, "Event ks::collision handled automatically."));
}

TEST_F(WorldTest, MovesBySolidnessAndOutOfTheBoundary) {
  // The mover's and the target's solidness, no_soft, the move's result, the events of each.
  const int cases[][5] = {
      {HARD, HARD, 0, -1, 1}, {HARD, SOFT, 0, 0, 1},     {HARD, SOFT, 1, -1, 1},
      {SOFT, HARD, 0, 0, 1},  {SOFT, SOFT, 0, 0, 1},     {SOFT, SOFT, 1, -1, 1},
      {SOFT, HARD, 1, 0, 1},  {SPECTRAL, HARD, 0, 0, 0}, {HARD, SPECTRAL, 0, 0, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    place(static_cast<Solidness>(c[0]), static_cast<Solidness>(c[1]));
    p_mover->setNoSoft(c[2]);
    EXPECT_EQ(world().moveObject(p_mover, Vector(11.5f, 10)), c[3]);
    EXPECT_EQ(p_mover->count("ks::collision") * 10 + p_target->count("ks::collision"), c[4] * 11);
    EXPECT_EQ(p_mover->getPosition().getX(), c[3] == 0 ? 11.5f : 10.0f);
    delete p_mover;
    delete p_target;
  }
  // Handlers may make the target soft to let the mover through.
  place(HARD, HARD);
  p_target->on_event = [this](const Event *) { p_target->setSolidness(SOFT); };
  EXPECT_EQ(world().moveObject(p_mover, Vector(11.5f, 10)), 0);
  // Leaving the boundary gives one out event until the object returns, unless refused.
  RecordingObject *p_o = object(99, 50, SPECTRAL);
  const std::pair<float, int> moves[] = {{100.4f, 0}, {101, 1}, {102, 1}, {50, 1}, {150, 2}};
  for (const auto &m : moves) {
    world().moveObject(p_o, Vector(m.first, 50));
    EXPECT_EQ(p_o->count("ks::out"), m.second) << "at " << m.first; // 100.4 still touches
  }
  place(HARD, HARD);
  world().setBoundary(Box(Vector(0, 0), 10.6f, 20));
  EXPECT_EQ(world().moveObject(p_mover, Vector(11.5f, 10)), -1);
  EXPECT_EQ(p_mover->count("ks::out"), 0);
}

TEST_F(WorldTest, EachObjectHitHearsOnceAfterTheMoverWhichIsObjectOne) {
  std::vector<Objects> heard, expected; // receiver, object 1, object 2
  auto listening = [&heard](RecordingObject *p_o) {
    p_o->on_event = [&heard, p_o](const Event *p_e) {
      const auto *p_c = static_cast<const EventCollision *>(p_e);
      heard.push_back({p_o, p_c->getObject1(), p_c->getObject2()});
      EXPECT_EQ(p_c->getPosition(), Vector(21, 10));
    };
    return p_o;
  };
  RecordingObject *p_wide = listening(new RecordingObject);
  p_wide->setBox(Box(Vector(-2, -0.5f), 4, 1));  // at 21: from 19 to 23
  for (float x : {20.0f, 21.0f, 22.0f, 23.5f}) { // the last one touches at 23
    RecordingObject *p_t = listening(object(x, 10));
    expected.push_back({p_wide, p_wide, p_t});
    expected.push_back({p_t, p_wide, p_t});
  }
  EXPECT_EQ(world().moveObject(p_wide, Vector(21, 10)), -1);
  EXPECT_EQ(heard, expected);
}

TEST_F(WorldTest, CollisionQueriesAgreeWithTheWholeSolidListThroughEveryKindOfChange) {
  srand(7);
  auto random = [](float range) { return static_cast<float>(rand() % 1000) / 1000 * range; };
  world().setBoundary(Box(Vector(0, 0), 60, 30));
  std::vector<RecordingObject *> objects;
  for (int i = 0; i < 300; i++) {
    objects.push_back(object(random(70) - 5, random(40) - 5));
  }
  for (int round = 0; round < 3000; round++) {
    RecordingObject *p_o = objects[rand() % objects.size()];
    int change = rand() % 7;
    if (change == 0)
      p_o->setPosition(Vector(random(80) - 10, random(50) - 10));
    if (change == 1)
      p_o->setBox(Box(Vector(-random(3), -random(3)), random(8) - 2, random(8) - 2));
    if (change == 2)
      p_o->setSolidness(static_cast<Solidness>(rand() % 3));
    if (change == 3)
      p_o->setActive(rand() % 4 != 0);
    if (change == 4)
      world().moveObject(p_o, p_o->getPosition() + Vector(random(2) - 1, random(2) - 1));
    if (change == 5 && round % 500 == 0)
      world().setBoundary(Box(Vector(random(10), random(10)), random(100), random(60)));
    RecordingObject *p_probe = objects[rand() % objects.size()];
    Vector where(random(80) - 10, random(50) - 10);
    ObjectList found = world().getCollisions(p_probe, where), solid = graph().solidObjects();
    Objects expected;
    for (int i = 0; i < solid.getCount(); i++)
      if (solid.getItem(i) != p_probe &&
          boxIntersectsBox(getWorldBox(p_probe, where), getWorldBox(solid.getItem(i))))
        expected.push_back(solid.getItem(i));
    ASSERT_EQ(entries(found), expected) << "round " << round;
  }
}

TEST_F(WorldTest, MarkedObjectsStillMoveInTheirStepAndGoOnceAtItsEndInMarkingOrder) {
  std::vector<int> expected;
  RecordingObject *p_runner = new Witness(&record), *p_wall = object(1.5f, 0);
  p_runner->setVelocity(Vector(1, 0));
  Objects level = {p_runner};
  for (int i = 0; i < 2000; i++)
    level.insert(level.begin() + 1, new Witness(&record));
  Object *p_last = new Witness(&record), *p_middle = new Witness(&record, p_last);
  level.push_back(new Witness(&record, p_middle));
  for (Object *p_o : level)
    ASSERT_EQ(world().markForDelete(p_o) + world().markForDelete(p_o), 0);
  for (Object *p_o : level)
    if (p_o != level[7])
      expected.push_back(p_o->getId());
  expected.push_back(p_middle->getId()); // marked by destructors: in the same step
  expected.push_back(p_last->getId());
  delete level[7]; // deleted while marked: it leaves the list instead of going twice
  world().update();
  EXPECT_EQ(p_wall->collided_with, (Objects{p_runner}));
  EXPECT_EQ(std::vector<int>(record.begin() + 1, record.end()), expected);
  EXPECT_EQ(world().getAllObjects(true).getCount(), 1);
  EXPECT_EQ(world().markForDelete(nullptr), -1);
  EXPECT_TRUE(kstest::logContains(log, "WorldManager::markForDelete(): unable to add object"));
  // Shutting down deletes the active and the inactive objects.
  (new Witness(&record))->setActive(false);
  world().shutDown();
  EXPECT_EQ(record.size(), expected.size() + 2);
}

/// A view object that counts its draws.
struct CountedView : ViewObject {
  void draw() override { draws++; }
  int draws = 0;
};

TEST_F(WorldTest, ObjectsMoveInTheirStepAndAreDrawnByAltitudeInTheView) {
  Witness *p_o = new Witness(&record);
  p_o->setSolidness(SPECTRAL);
  p_o->setAcceleration(Vector(0, 0.1f));
  world().update(); // at rest at first: the acceleration takes effect from the next step on
  EXPECT_EQ(p_o->getPosition(), Vector(0, 0));
  world().update();
  EXPECT_FLOAT_EQ(p_o->getPosition().getY(), 0.1f);
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 0.2f);
  p_o->setPosition(Vector(10, 10));
  world().setView(Box(Vector(0, 0), 80, 24));
  std::vector<Witness *> w;
  for (int altitude : {4, 0, 1, 3}) {
    w.push_back(new Witness(&record));
    w.back()->setSolidness(SPECTRAL);
    w.back()->setAltitude(altitude);
  }
  w[2]->setPosition(Vector(500, 500));
  w[3]->setPosition(Vector(20, 10));
  CountedView *p_view = new CountedView;
  p_view->setPosition(Vector(900, 900));
  world().draw();
  EXPECT_EQ(record, (std::vector<int>{w[1]->getId(), p_o->getId(), w[3]->getId(), w[0]->getId()}));
  EXPECT_EQ(p_view->draws, 1);
}

TEST_F(WorldTest, TheViewFollowsItsObjectBeyondTheSlackAndStaysInTheBoundary) {
  world().setBoundary(Box(Vector(0, 0), 300, 50));
  world().setView(Box(Vector(0, 0), 80, 24));
  world().setViewSlack(Vector(1.0f / 3, 1.0f / 3));
  RecordingObject *p_hero = object(0, 0, SPECTRAL);
  const std::pair<Vector, Vector> starts[] = {{Vector(7, 14), Vector(0, 2)},
                                              {Vector(299, 49), Vector(220, 26)},
                                              {Vector(40, 12), Vector(0, 0)}};
  for (const auto &s : starts) { // centred on the object, held in the boundary
    p_hero->setPosition(s.first);
    ASSERT_EQ(world().setViewFollowing(p_hero), 0);
    EXPECT_EQ(world().getView().getCorner(), s.second);
  }
  world().moveObject(p_hero, Vector(53, 12)); // within the slack (up to 40 + 80 / 6)
  EXPECT_EQ(world().getView().getCorner().getX(), 0);
  world().moveObject(p_hero, Vector(60, 12));
  EXPECT_NEAR(world().getView().getCorner().getX(), 60 - 40 - 80.0f / 6, 1e-4);
  world().moveObject(p_hero, Vector(320, 64));
  EXPECT_EQ(viewToWorld(Vector(0, 0)), Vector(220, 26)); // the view's corner
  // Following nothing freezes the view; inactive objects can't be followed.
  EXPECT_EQ(world().setViewFollowing(nullptr), 0);
  world().moveObject(p_hero, Vector(10, 10));
  EXPECT_EQ(world().getView().getCorner(), Vector(220, 26));
  p_hero->setActive(false);
  EXPECT_EQ(world().setViewFollowing(p_hero), -1);
  p_hero->setActive(true);
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  delete p_hero;
  EXPECT_EQ(world().getViewFollowing(), nullptr);
}

} // namespace
