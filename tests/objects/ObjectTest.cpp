// Objects: ids, ranges, sprites, interests and their events; view objects' places and drawing.
#include <gtest/gtest.h>

#include "Configuration.h"
#include "EventView.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "RecordingObject.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"

using kstest::RecordingObject;
using namespace ks;

namespace {

class ObjectTest : public testing::Test {
protected:
  void SetUp() override {
    log = kstest::startHeadless("log");
    world().setView(Box(Vector(0, 0), 80, 24));
  }
  void TearDown() override { GameManager::getInstance().shutDown(); }
  WorldManager &world() { return WorldManager::getInstance(); }
  /// Sends an event of `type` through the world manager; the number of objects that got it.
  int send(const std::string &type) {
    EventView e;
    e.setType(type);
    return world().onEvent(&e);
  }
  std::string log;
};

TEST_F(ObjectTest, IdsCountUpAndAttributesOutOfRangeAreRefusedWithAMessage) {
  RecordingObject *p_a = new RecordingObject, *p_b = new RecordingObject;
  EXPECT_EQ(p_b->getId(), p_a->getId() + 1);
  delete p_b;
  EXPECT_EQ((new RecordingObject)->getId(), p_a->getId() + 2); // never reused
  EXPECT_EQ(p_a->setAltitude(5) + p_a->setAltitude(-1), -2);
  EXPECT_EQ(p_a->setSolidness(static_cast<Solidness>(3)), -1);
  EXPECT_EQ(p_a->getAltitude() * 10 + p_a->getSolidness(), 20 + HARD);
  for (const char *line :
       {"Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored.",
        "Object::setAltitude(): Altitude -1 not in range [0,4].  Ignored.",
        "Object::setSolidness(): Solidness 3 not one of HARD, SOFT or SPECTRAL."})
    EXPECT_TRUE(kstest::logContains(log, line)) << line;
  p_a->setVelocity(Vector(0, 0)); // no direction, rather than one divided by zero
  EXPECT_EQ(p_a->getDirection(), Vector(0, 0));
}

TEST_F(ObjectTest, SpritesSetTheBoxAndAnimateEverySlowdownDrawsAndWrap) {
  ResourceManager &rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite(std::string(KS_TEST_DATA_DIR) + "/sprites/two-frames.txt", "s"), 0);
  RecordingObject *p_o = new RecordingObject;
  p_o->setSprite(rm.getSprite("s"), true); // two frames of 3 x 2
  EXPECT_EQ(p_o->getBox().getCorner(), Vector(-1.5f, -1));
  EXPECT_EQ(p_o->getBox().getHorizontal() * 10 + p_o->getBox().getVertical(), 32);
  p_o->setSpriteCenter(false); // a box one smaller, from the position on
  EXPECT_EQ(p_o->getBox().getCorner(), Vector(0, 0));
  EXPECT_EQ(p_o->getBox().getHorizontal() * 10 + p_o->getBox().getVertical(), 21);
  p_o->setSpriteSlowdown(2);
  std::vector<int> shown;
  for (int i = 0; i < 7; i++, p_o->draw())
    shown.push_back(p_o->getSpriteIndex());
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 0, 0, 1}));
  p_o->setSpriteSlowdown(0); // stopped
  p_o->draw();
  EXPECT_EQ(p_o->getSpriteIndex(), 1);
}

TEST(ObjectOutsideTheWorld, IsNotInsertedAndSaysSoAtLevelTwo) {
  std::string log = kstest::startLog("log");
  LogManager::getInstance().setLogLevel(2);
  RecordingObject o;
  std::vector<std::string> lines = kstest::logMessages(log);
  EXPECT_EQ(lines.at(lines.size() - 2),
            "WorldManager::insertObject(): Not adding Object " + std::to_string(o.getId()));
  EXPECT_EQ(lines.back(), "                              because WorldManager not started.");
  LogManager::getInstance().shutDown(); // or the next test's engine can't start its log
}

TEST_F(ObjectTest, InterestsAreCappedAtOneHundredPerObjectAndEventTypesPerManager) {
  RecordingObject *p_o = new RecordingObject, *p_x = new RecordingObject;
  for (int i = 0; i < MAX_OBJ_EVENTS; i++)
    ASSERT_EQ(p_o->registerInterest("game::e" + std::to_string(i)), 0);
  EXPECT_EQ(p_o->registerInterest("game::e100"), -1);
  EXPECT_EQ(p_x->registerInterest("game::e100"), -1); // the manager's 101st type
  EXPECT_EQ(p_x->registerInterest("game::e50"), 0);
  EXPECT_EQ(p_o->unregisterInterest("game::e1") + p_x->registerInterest("game::e100"), 0);
  EXPECT_EQ(p_o->unregisterInterest("game::never"), -1);
  for (const char *type : {"game::e0", "game::e1", "game::e50", "game::e99", "game::e100"})
    send(type);
  EXPECT_EQ(p_o->types, (std::vector<std::string>{"game::e0", "game::e50", "game::e99"}));
  EXPECT_EQ(p_x->types, (std::vector<std::string>{"game::e50", "game::e100"}));
  EXPECT_EQ(p_o->getEventName(1), "game::e2");
  for (const char *line : {"registerInterest(): maximum (100) reached, cannot register for event "
                           "'game::e100'",
                           "unregisterInterest(): event 'game::never' not previously registered"})
    EXPECT_TRUE(kstest::logContains(log, line)) << line;
}

TEST_F(ObjectTest, EventsReachTheActiveInterestedObjectsOfTheirManagerInOrder) {
  RecordingObject *p_a = new RecordingObject, *p_b = new RecordingObject;
  RecordingObject *p_c = new RecordingObject, *p_off = new RecordingObject;
  std::vector<RecordingObject *> order;
  for (RecordingObject *p_o : {p_a, p_b, p_c, p_off, p_c}) { // p_c twice: called twice
    p_o->registerInterest("game::ping");
    p_o->on_event = [&order, p_o](const Event *) { order.push_back(p_o); };
  }
  p_off->setActive(false); // neither called nor counted
  EXPECT_EQ(send("game::ping"), 4);
  // A handler that withdraws interests changes the next event, not this one.
  p_a->on_event = [&](const Event *) {
    for (RecordingObject *p_o : {p_a, p_b, p_c})
      p_o->unregisterInterest("game::ping");
  };
  EXPECT_EQ(send("game::ping"), 4);
  EXPECT_EQ(send("game::ping"), 1);
  EXPECT_EQ(order, (std::vector<RecordingObject *>{p_a, p_b, p_c, p_c, p_b, p_c, p_c, p_c}));
  // Each manager takes its own event types only; the world none of the engine's.
  EXPECT_EQ(p_a->registerInterest("ks::step") + p_a->registerInterest("ks::collision"), -1);
  EXPECT_EQ(GameManager::getInstance().registerInterest(p_a, "ks::keyboard"), -1);
  EXPECT_EQ(LogManager::getInstance().registerInterest(p_a, "ks::step"), -1);
  for (const char *line :
       {"Manager(GameManager)::registerInterest(): Event 'ks::keyboard' not valid",
        "Manager(LogManager)::registerInterest(): Event 'ks::step' not valid"})
    EXPECT_TRUE(kstest::logContains(log, line)) << line;
  EventStep step(7);
  EXPECT_EQ(GameManager::getInstance().onEvent(&step), 1);
  EXPECT_EQ(p_a->steps, std::vector<int>{7});
  delete p_a; // withdraws its interests
  EXPECT_EQ(GameManager::getInstance().onEvent(&step), 0);
  LogManager::getInstance().setLogLevel(1); // undefined events reach nobody, with a warning
  EXPECT_EQ(send(UNDEFINED_EVENT), 0);
  EXPECT_TRUE(
      kstest::logContains(log, "WorldManager::onEvent(): Warning! Event type is undefined."));
}

TEST_F(ObjectTest, NamedPlacesWithAndWithoutBorderAndViewEventsForTheirTagOnly) {
  ViewObject *p_v = new ViewObject;
  EXPECT_EQ(p_v->getPosition(), Vector(40, 1)); // top centre; a border leaves the top row free
  EXPECT_EQ(p_v->getSolidness() * 10 + p_v->getAltitude(), SPECTRAL * 10 + MAX_ALTITUDE);
  const float xs[] = {80.0f / 6, 80.0f * 3 / 6, 80.0f * 5 / 6};
  const float y_border[] = {1, 12, 22}, y_plain[] = {0, 11, 23};
  for (bool border : {true, false}) {
    p_v->setBorder(border);
    for (int place = TOP_LEFT; place <= BOTTOM_RIGHT; place++) {
      p_v->setLocation(place);
      EXPECT_EQ(place, p_v->getLocation());
      EXPECT_EQ(Vector(xs[place % 3], border ? y_border[place / 3] : y_plain[place / 3]),
                p_v->getPosition())
          << place << " " << border;
    }
  }
  p_v->setBorder(true); // the border moves a named place to its row again
  EXPECT_EQ(Vector(80.0f * 5 / 6, 22), p_v->getPosition());
  p_v->setLocation(9);
  EXPECT_EQ(BOTTOM_RIGHT, p_v->getLocation());
  EXPECT_TRUE(
      kstest::logContains(log, "ViewObject::setLocation(): Location out of range (9).  Ignored."));
  p_v->setPosition(Vector(7, 9)); // a position of its own leaves the named places
  p_v->setBorder(false);
  EXPECT_EQ(Vector(7, 9), p_v->getPosition());
  p_v->setViewString("Score");
  p_v->setValue(10);
  EventView set("Score", 5, false), add("Score", 5, true), other("score", 100, false);
  for (EventView *p_e : {&set, &add, &other}) // tags compare exactly
    world().onEvent(p_e);
  EXPECT_EQ(p_v->getValue(), 10);
}

TEST_F(ObjectTest, DrawsItsLabelValueAndBorderAtItsScreenPlace) {
  Configuration::getInstance().setDisplay("text"); // stopped again by the engine's shut-down
  ASSERT_EQ(GraphicsManager::getInstance().startUp(), 0);
  ViewObject *p_v = new ViewObject;
  p_v->setViewString("##");
  p_v->setValue(12);
  p_v->setColor(YELLOW);
  ViewObject *p_label = new ViewObject;
  p_label->deserialize("draw_value:false");
  p_label->setViewString("##");
  p_label->setBorder(false);
  p_label->setLocation(BOTTOM_CENTER);
  p_label->setColor(42); // no colour at all: drawn white
  // The view has scrolled: they still show at their screen places.
  WorldManager::getInstance().setView(Box(Vector(25, 7), 80, 24));
  WorldManager::getInstance().draw();
  GraphicsManager::getInstance().swapBuffers();
  TextFrame frame = GraphicsManager::getInstance().getLastFrame();
  // " ## 12 " from x = 37, dashes above and below, bars at 36 and 44; "##" at 39 and 40.
  std::vector<std::string> text = frame.getLines(), colors = frame.getColorLines();
  EXPECT_EQ("   -------   ", text[0].substr(34, 13));
  EXPECT_EQ("  | ## 12 |  ", text[1].substr(34, 13));
  EXPECT_EQ("   -------   ", text[2].substr(34, 13));
  EXPECT_EQ("..333333333..", colors[1].substr(34, 13));
  EXPECT_EQ("  ##   ", text[23].substr(37, 7));
  EXPECT_EQ("..77...", colors[23].substr(37, 7));
}

} // namespace
