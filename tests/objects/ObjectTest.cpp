// Objects: ids, ranges, sprites, interests and their events; view objects' places and drawing;
// objects written as "key:value," text and read back, hostile text included.
#include <functional>

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
    std::string sprite = std::string(KS_TEST_DATA_DIR) + "/sprites/two-frames.txt"; // 3 x 2
    EXPECT_EQ(ResourceManager::getInstance().loadSprite(sprite, "walker"), 0);      // 2 frames
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
  EXPECT_EQ(p_a->setAltitude(-1) + p_a->setSolidness(static_cast<Solidness>(3)), -2);
  p_a->setVelocity(Vector(0, 0)); // no direction, rather than one divided by zero
  EXPECT_EQ(p_a->getDirection(), Vector(0, 0));
}

TEST_F(ObjectTest, SpritesSetTheBoxAndAnimateEverySlowdownDrawsAndWrap) {
  RecordingObject *p_o = new RecordingObject;
  p_o->setSprite(ResourceManager::getInstance().getSprite("walker"), true);
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
  EXPECT_TRUE(
      kstest::logContains(log, "insertObject(): Not adding Object " + std::to_string(o.getId())));
  EXPECT_TRUE(kstest::logContains(log, "                because WorldManager not started."));
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
      EXPECT_EQ(Vector(xs[place % 3], border ? y_border[place / 3] : y_plain[place / 3]),
                p_v->getPosition())
          << place << " " << border;
    }
  }
  p_v->setLocation(9);
  EXPECT_EQ(BOTTOM_RIGHT, p_v->getLocation());
  p_v->setPosition(Vector(7, 9)); // a position of its own leaves the named places
  p_v->setBorder(true);
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

/// The text of a new object, its id left out.
const std::string NEW_OBJECT =
    "is_active:true,is_visible:true,event_count:0,box-corner-x:-0.5,box-corner-y:-0.5,"
    "box-horizontal:0.99,box-vertical:0.99,pos-x:0,pos-y:0,fpos-x:0,fpos-y:0,type:Object,"
    "sprite_name:,sprite_center:true,sprite_transparency:0,sprite_index:0,sprite_slowdown:1,"
    "sprite_slowdown_count:0,altitude:2,solidness:0,no_soft:false,x_direction:0,y_direction:0,"
    "speed:0,x_acceleration:0,y_acceleration:0,";

TEST_F(ObjectTest, ANewObjectWritesEveryItemOnceThenOnlyWhatChanges) {
  Object *p_o = new Object;
  std::string id = "id:" + std::to_string(p_o->getId()) + ",";
  EXPECT_EQ(p_o->serialize(), id + NEW_OBJECT);
  EXPECT_EQ(p_o->serialize(), "");
  const std::pair<std::function<void()>, std::string> changes[] = {
      {[&] { p_o->setActive(false), p_o->setVisible(false); }, "is_active:false,is_visible:false,"},
      {[&] { p_o->registerInterest(STEP_EVENT), p_o->registerInterest("custom::ping"); },
       "event_count:2,event_name[0]:ks::step,event_name[1]:custom::ping,"},
      {[&] { p_o->setBox(Box(Vector(-1, -2), 3, 4.5f)); },
       "box-corner-x:-1,box-corner-y:-2,box-horizontal:3,box-vertical:4.5,"},
      // The float items carry the digits that the 6-digit ones lose.
      {[&] { p_o->setPosition(Vector(123.456789f, -2)); },
       "pos-x:123.457,pos-y:-2,fpos-x:123.456787,fpos-y:-2,"},
      {[&] { p_o->setType("Hero"); }, "type:Hero,"},
      {[&] { p_o->setTransparency('#'); },
       "sprite_name:,sprite_center:true,sprite_transparency:#,sprite_index:0,sprite_slowdown:1,"
       "sprite_slowdown_count:0,"},
      {[&] { p_o->setId(77); }, "id:77,"},
  };
  for (const auto &c : changes) {
    c.first();
    EXPECT_EQ(p_o->serialize(), c.second);
  }
}

// What reading a text does to a new object: what it then writes, and a line of the log.
TEST_F(ObjectTest, ReadingChangesOnlyWhatIsWhole_InRangeAndFinite) {
  LogManager::getInstance().setLogLevel(10);
  std::string sprite = "sprite_center:true,sprite_transparency:0,";
  std::string names, first_names; // 300 event types, of which an object holds 100
  for (int i = 0; i < 300; i++)
    (i < 100 ? first_names : names) +=
        "event_name[" + std::to_string(i) + "]:c::" + std::to_string(i) + ",";
  const struct {
    std::string text, written, logged;
  } cases[] = {
      {"", "", ""},
      {"altitude:5", "", "Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored."},
      {"solidness:7", "", "Object::setSolidness(): Solidness 7 not one of HARD, SOFT or SPECTRAL."},
      {"box-corner-x:1,box-corner-y:2,box-horizontal:3", "", "box not complete, so ignoring."},
      {"pos-x:5,pos-y:6", "", "Object::deserialize(): position not complete, so ignoring."},
      {"pos-x:5,pos-y:6,fpos-x:5.5,fpos-y:6.5", "pos-x:5.5,pos-y:6.5,fpos-x:5.5,fpos-y:6.5,", ""},
      {"x_direction:3,y_direction:4,speed:2", "x_direction:0.6,y_direction:0.8,speed:2,", ""},
      {"is_active:false,altitude:0,solidness:2", "is_active:false,altitude:0,solidness:2,", ""},
      // Numbers are read as the C conversions read them, held to the int range.
      {"id:99999999999999999999", "id:2147483647,", ""},
      {"id:-99999999999999999999", "id:-2147483648,", ""},
      {"id:+12abc", "id:12,", ""},
      {"altitude:abc", "altitude:0,", ""},
      {"speed:-2.5e-1xyz", "speed:-0.25,", ""},
      // Values that aren't finite are refused, one line each.
      {"speed:1e999", "", "Object::deserialize(): speed not finite, so ignoring."},
      {"y_acceleration:-nan,", "",
       "Object::deserialize(): y_acceleration not finite, so ignoring."},
      {"pos-x:1,pos-y:1,fpos-x:1e39,fpos-y:1,", "", "fpos-x not finite, so ignoring."},
      {"box-corner-x:nan,box-corner-y:0,box-horizontal:1,box-vertical:1,", "",
       "Object::deserialize(): box negative or not finite, so ignoring."},
      {"box-corner-x:0,box-corner-y:0,box-horizontal:-1e30,box-vertical:1,", "",
       "box negative or not finite, so ignoring."},
      // Sprites are looked up (the box they set is not marked); an unknown one renames the object's
      // sprite but keeps the old one.
      {"sprite_name:nosuch",
       "sprite_name:nosuch," + sprite + "sprite_index:0,sprite_slowdown:1,sprite_slowdown_count:0,",
       "(Object), Sprite 'nosuch' not found"},
      // The animation is brought into range, so that draw() can't overflow stepping it.
      {"sprite_name:walker,sprite_index:2147483647,sprite_slowdown:1,sprite_slowdown_count:0",
       "sprite_name:walker," + sprite + "sprite_index:1,sprite_slowdown:1,sprite_slowdown_count:0,",
       ""},
      {"sprite_index:-5,sprite_slowdown:-3,sprite_slowdown_count:2147483647",
       "sprite_name:," + sprite + "sprite_index:0,sprite_slowdown:0,sprite_slowdown_count:0,", ""},
      {"sprite_slowdown:4,sprite_slowdown_count:9",
       "sprite_name:," + sprite + "sprite_index:0,sprite_slowdown:4,sprite_slowdown_count:3,", ""},
      // Event counts cost no more than the object holds; a negative one registers nothing.
      {"event_count:2000000000,event_name[3]:custom::a,event_name[150]:custom::b",
       "event_count:1,event_name[0]:custom::a,", "event_count is 2000000000"},
      {"event_count:-5,event_name[0]:custom::a", "", ""},
      {"event_count:300," + first_names + names, "event_count:100," + first_names, ""},
  };
  for (const auto &c : cases) {
    Object *p_o = new Object;
    p_o->serialize();
    int before = c.logged.empty() ? 0 : kstest::logCount(log, c.logged);
    EXPECT_EQ(p_o->deserialize(c.text), 0);
    EXPECT_EQ(p_o->serialize(), c.written) << c.text;
    EXPECT_TRUE(c.logged.empty() || kstest::logCount(log, c.logged) == before + 1) << c.text;
    delete p_o;
  }
  EXPECT_EQ(kstest::logCount(log, "maximum (100) reached"), 0);
}

TEST_F(ObjectTest, AnObjectComesBackWholeThroughItsSetters) {
  SceneGraph &graph = world().getSceneGraph();
  Object *p_a = new Object, *p_new = new Object;
  RecordingObject *p_b = new RecordingObject;
  p_b->registerInterest("custom::old");
  p_a->deserialize("id:1234,is_active:false,is_visible:false,event_count:2,"
                   "event_name[0]:ks::step,event_name[1]:custom::ping,sprite_name:walker,"
                   "sprite_center:false,box-corner-x:-0.75,box-corner-y:0.5,box-horizontal:2.5,"
                   "box-vertical:1.25,type:Thing,sprite_transparency:#,sprite_index:1,"
                   "sprite_slowdown:3,sprite_slowdown_count:2,altitude:1,solidness:1,no_soft:true,"
                   "x_direction:3,y_direction:4,x_acceleration:0.25,y_acceleration:-0.125");
  p_a->setPosition(Vector(123.456789f, -0.1f));
  std::string a_text = p_a->serialize(true);
  EXPECT_EQ(p_b->deserialize(a_text), 0);
  EXPECT_EQ(p_b->serialize(true), a_text);
  EXPECT_EQ(p_b->getSprite(), ResourceManager::getInstance().getSprite("walker"));
  EXPECT_EQ(graph.inactiveObjects().getItem(1), p_b); // filed by the setters
  p_b->deserialize("is_active:true");
  EXPECT_EQ(graph.solidObjects().getItem(1), p_b);
  send("custom::ping");
  send("custom::old");
  EXPECT_EQ(p_b->types, std::vector<std::string>{"custom::ping"});
  p_b->deserialize(p_new->serialize(true));   // a new object's text undoes the rest
  EXPECT_EQ(p_b->getSpriteTransparency(), 0); // "0" is no transparency, not the digit
  EXPECT_EQ(p_b->getBox().getCorner(), Vector(-0.5f, -0.5f));
  EXPECT_EQ(p_b->getPosition(), Vector(0, 0));
}

TEST_F(ObjectTest, ViewObjectsWriteTheirItemsAfterTheObjectOnesAndComeBackWhole) {
  ViewObject *p_v = new ViewObject, *p_copy = new ViewObject;
  std::string text = p_v->serialize(true);
  EXPECT_EQ(
      text.substr(text.find("y_acceleration")), // after the object's items
      "y_acceleration:0,view_string:,value:0,border:true,color:7,location:1,draw_value:true,");
  p_v->setValue(5);
  p_v->setValue(5);
  p_v->setPosition(Vector(10.5f, 3)); // also makes the location undefined
  EXPECT_EQ(p_v->serialize(), "pos-x:10.5,pos-y:3,fpos-x:10.5,fpos-y:3,value:5,location:-1,");
  // Read back: the location -1 is refused, the position restored stays.
  p_v->deserialize("view_string:Score,value:-12,border:false,color:5,draw_value:false");
  text = p_v->serialize(true);
  p_copy->deserialize(text);
  EXPECT_EQ(p_copy->serialize(true), text);
  EXPECT_TRUE(
      kstest::logContains(log, "ViewObject::setLocation(): Location out of range (-1).  Ignored."));
  // draw_value is read, but not marked; a border at a named place moves the object.
  p_copy->deserialize("location:8,border:true,draw_value:true");
  EXPECT_EQ(p_copy->serialize(),
            "pos-x:66.6667,pos-y:22,fpos-x:66.6666641,fpos-y:22,border:true,location:8,");
  EXPECT_TRUE(p_copy->getDrawValue());
}

} // namespace
