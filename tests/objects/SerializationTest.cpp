// Writing objects and view objects as key:value text and reading them back.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EventView.h"
#include "GameManager.h"
#include "LogManager.h"
#include "RecordingObject.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

/// "key:" + text + "," for each pair.
std::string items(const std::vector<std::pair<std::string, std::string>> &pairs) {
  std::string s;
  for (const auto &p : pairs)
    s += p.first + ":" + p.second + ",";
  return s;
}

bool contains(const ks::ObjectList &list, const ks::Object *p_o) {
  for (int i = 0; i < list.getCount(); i++)
    if (list.getItem(i) == p_o)
      return true;
  return false;
}

class SerializationTest : public testing::Test {
protected:
  void SetUp() override {
    log = kstest::startHeadless("log");
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }

  /// Loads a 3 x 2 sprite of two frames under `label`.
  ks::Sprite *loadSprite(const std::string &label) {
    std::string path = kstest::scratchPath(label + ".txt");
    kstest::writeFile(path, "frames 2\nwidth 3\nheight 2\ncolor red\n"
                            "abc\ndef\nend\nghi\njkl\nend\neof\n");
    EXPECT_EQ(ks::ResourceManager::getInstance().loadSprite(path, label), 0);
    return ks::ResourceManager::getInstance().getSprite(label);
  }

  /// The messages written from `first` on.
  std::vector<std::string> messagesFrom(size_t first) {
    std::vector<std::string> all = kstest::logMessages(log);
    return std::vector<std::string>(all.begin() + static_cast<long>(std::min(first, all.size())),
                                    all.end());
  }

  std::string log;
};

// The text of a new object with the given id.
std::string newObjectText(int id) {
  return items({{"id", std::to_string(id)},
                {"is_active", "true"},
                {"is_visible", "true"},
                {"event_count", "0"},
                {"box-corner-x", "-0.5"},
                {"box-corner-y", "-0.5"},
                {"box-horizontal", "0.99"},
                {"box-vertical", "0.99"},
                {"pos-x", "0"},
                {"pos-y", "0"},
                {"fpos-x", "0"},
                {"fpos-y", "0"},
                {"type", "Object"},
                {"sprite_name", ""},
                {"sprite_center", "true"},
                {"sprite_transparency", "0"},
                {"sprite_index", "0"},
                {"sprite_slowdown", "1"},
                {"sprite_slowdown_count", "0"},
                {"altitude", "2"},
                {"solidness", "0"},
                {"no_soft", "false"},
                {"x_direction", "0"},
                {"y_direction", "0"},
                {"speed", "0"},
                {"x_acceleration", "0"},
                {"y_acceleration", "0"}});
}

TEST_F(SerializationTest, ANewObjectWritesEveryItemOnceThenNothing) {
  ks::Object *p_o = new ks::Object;
  EXPECT_TRUE(p_o->isModified());
  EXPECT_EQ(p_o->serialize(), newObjectText(p_o->getId()));
  EXPECT_FALSE(p_o->isModified());
  EXPECT_EQ(p_o->serialize(), "");
  // `all` writes everything even with no flag set, and clears the flags again.
  p_o->setAltitude(3);
  std::string expected = newObjectText(p_o->getId());
  expected.replace(expected.find("altitude:2"), 10, "altitude:3");
  EXPECT_EQ(p_o->serialize(true), expected);
  EXPECT_EQ(p_o->serialize(), "");
}

TEST_F(SerializationTest, IncrementalTextHoldsOnlyWhatChanged) {
  ks::Object *p_o = new ks::Object;
  p_o->serialize();
  p_o->setAltitude(3);
  EXPECT_EQ(p_o->serialize(), "altitude:3,");
  p_o->setActive(false);
  p_o->setVisible(false);
  EXPECT_EQ(p_o->serialize(), "is_active:false,is_visible:false,");
  ASSERT_EQ(p_o->registerInterest(ks::STEP_EVENT), 0);
  ASSERT_EQ(p_o->registerInterest("custom::ping"), 0);
  EXPECT_EQ(p_o->serialize(), "event_count:2,event_name[0]:ks::step,event_name[1]:custom::ping,");
  p_o->setBox(ks::Box(ks::Vector(-1, -2), 3, 4.5f));
  EXPECT_EQ(p_o->serialize(), "box-corner-x:-1,box-corner-y:-2,box-horizontal:3,box-vertical:4.5,");
  p_o->setPosition(ks::Vector(123.456789f, -2));
  // The float items carry the digits that the 6-digit items lose.
  EXPECT_EQ(p_o->serialize(), "pos-x:123.457,pos-y:-2,fpos-x:123.456787,fpos-y:-2,");
  p_o->setType("Hero");
  EXPECT_EQ(p_o->serialize(), "type:Hero,");
  p_o->setTransparency('#');
  EXPECT_EQ(p_o->serialize(), "sprite_name:,sprite_center:true,sprite_transparency:#,"
                              "sprite_index:0,sprite_slowdown:1,sprite_slowdown_count:0,");
  p_o->setSolidness(ks::SOFT);
  p_o->setNoSoft(true);
  EXPECT_EQ(p_o->serialize(), "solidness:1,no_soft:true,");
  p_o->setVelocity(ks::Vector(3, 4));
  EXPECT_EQ(p_o->serialize(), "x_direction:0.6,y_direction:0.8,speed:5,");
  p_o->setAcceleration(ks::Vector(0.25f, -1));
  EXPECT_EQ(p_o->serialize(), "x_acceleration:0.25,y_acceleration:-1,");
  p_o->setId(77);
  EXPECT_EQ(p_o->serialize(), "id:77,");
}

TEST_F(SerializationTest, RangeAndIncompleteItemsLeaveTheObjectAlone) {
  ks::LogManager::getInstance().setLogLevel(10);
  ks::Object *p_o = new ks::Object;
  EXPECT_EQ(p_o->deserialize("altitude:9"), 0);
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_TRUE(
      kstest::logContains(log, "Object::setAltitude(): Altitude 9 not in range [0,4].  Ignored."));

  EXPECT_EQ(p_o->deserialize("box-corner-x:1,box-corner-y:2,box-horizontal:3"), 0);
  EXPECT_FLOAT_EQ(p_o->getBox().getCorner().getX(), -0.5f);
  EXPECT_FLOAT_EQ(p_o->getBox().getHorizontal(), 0.99f);
  EXPECT_TRUE(kstest::logContains(log, "Object::deserialize(): box not complete, so ignoring."));

  EXPECT_EQ(p_o->deserialize("pos-x:5,pos-y:6"), 0);
  EXPECT_EQ(p_o->getPosition(), ks::Vector(0, 0));
  EXPECT_EQ(kstest::logCount(log, "Object::deserialize(): position not complete, so ignoring."), 3);
  p_o->deserialize("pos-x:5,pos-y:6,fpos-x:5.5,fpos-y:6.5");
  EXPECT_EQ(p_o->getPosition(), ks::Vector(5.5f, 6.5f));

  p_o->deserialize("x_direction:3,y_direction:4");
  EXPECT_FLOAT_EQ(p_o->getDirection().getX(), 0.6f);
  EXPECT_FLOAT_EQ(p_o->getDirection().getY(), 0.8f);
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 5);
  // An explicit speed wins over the length of the direction.
  p_o->deserialize("x_direction:3,y_direction:4,speed:2");
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 2);

  EXPECT_EQ(p_o->deserialize("solidness:7"), 0);
  EXPECT_EQ(p_o->getSolidness(), ks::HARD);
  EXPECT_TRUE(kstest::logContains(
      log, "Object::setSolidness(): Solidness 7 not one of HARD, SOFT or SPECTRAL."));
}

TEST_F(SerializationTest, EveryReadItemIsTracedAtLevelTen) {
  ks::Object *p_o = new ks::Object;
  std::string text = "id:5,is_active:true,is_visible:true,event_count:1,event_name[0]:custom::a,"
                     "box-corner-x:-1.5,box-corner-y:-1,box-horizontal:3,box-vertical:2,"
                     "pos-x:4.75,pos-y:2,fpos-x:4.75,fpos-y:2,type:Thing,sprite_center:false,"
                     "sprite_transparency:#,sprite_index:1,sprite_slowdown:3,"
                     "sprite_slowdown_count:2,altitude:1,solidness:2,no_soft:true,"
                     "x_direction:0.6,y_direction:0.8,speed:4,x_acceleration:0.25,"
                     "y_acceleration:-1.5,";
  // Below level 10 nothing is traced.
  ks::LogManager::getInstance().setLogLevel(9);
  size_t before = kstest::logMessages(log).size();
  p_o->deserialize(text);
  for (const std::string &m : messagesFrom(before))
    EXPECT_EQ(m.find("deserialize"), std::string::npos) << m;

  ks::LogManager::getInstance().setLogLevel(10);
  before = kstest::logMessages(log).size();
  p_o->deserialize(text);
  std::vector<std::string> expected = {
      "Object::deserialize(): id is 5",
      "Object::deserialize(): is_active is true",
      "Object::deserialize(): is_visible is true",
      "Object::deserialize(): event_count is 1",
      "Object::deserialize(): event_name[0] is 'custom::a'",
      "Object::deserialize(): box-corner-x is -1",
      "Object::deserialize(): box-corner-y is -1",
      "Object::deserialize(): box-horizontal is 3",
      "Object::deserialize(): box-vertical is 2",
      "Object::deserialize(): pos-x is 4",
      "Object::deserialize(): pos-y is 2",
      "Object::deserialize(): fpos-x is 4.75",
      "Object::deserialize(): fpos-y is 2.00",
      "Object::deserialize(): type is Thing",
      "Object::deserialize(): sprite_center is false",
      "Object::deserialize(): sprite_transparency is '#'",
      "Object::deserialize(): sprite_index is 1",
      "Object::deserialize(): sprite_slowdown is 3",
      "Object::deserialize(): sprite_slowdown_count is 2",
      "Object::deserialize(): altitude is 1",
      "Object::deserialize(): solidness is 2",
      "Object::deserialize(): no_soft is true",
      "Object::deserialize(): x_direction is 0.60",
      "Object::deserialize(): y_direction is 0.80",
      "Object::deserialize(): speed is 4.00",
      "Object::deserialize(): x_acceleration is 0.25",
      "Object::deserialize(): y_acceleration is -1.50",
  };
  std::vector<std::string> traced;
  for (const std::string &m : messagesFrom(before))
    if (m.find("Object::deserialize()") == 0)
      traced.push_back(m);
  EXPECT_EQ(traced, expected);
  // Box values are traced as integers but applied as floats.
  EXPECT_FLOAT_EQ(p_o->getBox().getCorner().getX(), -1.5f);
}

TEST_F(SerializationTest, AnObjectComesBackWhole) {
  ks::Sprite *p_sprite = loadSprite("thing");
  ASSERT_NE(p_sprite, nullptr);
  ks::Object *p_a = new ks::Object;
  p_a->setId(1234);
  p_a->setActive(false);
  p_a->setVisible(false);
  p_a->registerInterest(ks::STEP_EVENT);
  p_a->registerInterest("custom::ping");
  p_a->setSprite(p_sprite);
  p_a->setSpriteCenter(false);
  p_a->setBox(ks::Box(ks::Vector(-0.75f, 0.5f), 2.5f, 1.25f));
  p_a->setPosition(ks::Vector(123.456789f, -0.1f));
  p_a->setType("Thing");
  p_a->setTransparency('#');
  p_a->setSpriteIndex(1);
  p_a->setSpriteSlowdown(3);
  p_a->setSpriteSlowdownCount(2);
  p_a->setAltitude(1);
  p_a->setSolidness(ks::SOFT);
  p_a->setNoSoft(true);
  p_a->setVelocity(ks::Vector(3, 4));
  p_a->setAcceleration(ks::Vector(0.25f, -0.125f));

  ks::Object *p_b = new ks::Object;
  EXPECT_EQ(p_b->deserialize(p_a->serialize(true)), 0);
  EXPECT_EQ(p_b->getId(), 1234);
  EXPECT_FALSE(p_b->isActive());
  EXPECT_FALSE(p_b->isVisible());
  ASSERT_EQ(p_b->getEventCount(), 2);
  EXPECT_EQ(p_b->getEventName(0), ks::STEP_EVENT);
  EXPECT_EQ(p_b->getEventName(1), "custom::ping");
  EXPECT_EQ(p_b->getSprite(), p_sprite);
  EXPECT_EQ(p_b->getSpriteName(), "thing");
  EXPECT_FALSE(p_b->getSpriteCenter());
  // The box of the text, not the one that the sprite settings would fit.
  EXPECT_EQ(p_b->getBox().getCorner(), ks::Vector(-0.75f, 0.5f));
  EXPECT_EQ(p_b->getBox().getHorizontal(), 2.5f);
  EXPECT_EQ(p_b->getBox().getVertical(), 1.25f);
  // Exactly, not to six digits.
  EXPECT_EQ(p_b->getPosition().getX(), 123.456789f);
  EXPECT_EQ(p_b->getPosition().getY(), -0.1f);
  EXPECT_EQ(p_b->getType(), "Thing");
  EXPECT_EQ(p_b->getSpriteTransparency(), '#');
  EXPECT_EQ(p_b->getSpriteIndex(), 1);
  EXPECT_EQ(p_b->getSpriteSlowdown(), 3);
  EXPECT_EQ(p_b->getSpriteSlowdownCount(), 2);
  EXPECT_EQ(p_b->getAltitude(), 1);
  EXPECT_EQ(p_b->getSolidness(), ks::SOFT);
  EXPECT_TRUE(p_b->getNoSoft());
  EXPECT_FLOAT_EQ(p_b->getSpeed(), 5);
  EXPECT_FLOAT_EQ(p_b->getDirection().getX(), 0.6f);
  EXPECT_FLOAT_EQ(p_b->getDirection().getY(), 0.8f);
  EXPECT_EQ(p_b->getAcceleration(), ks::Vector(0.25f, -0.125f));
  // The copy writes the same text as the original.
  std::string a_text = p_a->serialize(true), b_text = p_b->serialize(true);
  EXPECT_EQ(b_text, a_text);
}

TEST_F(SerializationTest, DefaultsComeBackToo) {
  ks::Object *p_a = new ks::Object;
  ks::Object *p_b = new ks::Object;
  p_b->setTransparency('#');
  p_b->setBox(ks::Box(ks::Vector(0, 0), 5, 5));
  p_b->setPosition(ks::Vector(7, 7));
  p_b->deserialize(p_a->serialize(true));
  // "0" is the text of no transparency, not the digit.
  EXPECT_EQ(p_b->getSpriteTransparency(), 0);
  EXPECT_EQ(p_b->getBox().getCorner(), ks::Vector(-0.5f, -0.5f));
  EXPECT_EQ(p_b->getBox().getHorizontal(), 0.99f);
  EXPECT_EQ(p_b->getPosition(), ks::Vector(0, 0));
}

TEST_F(SerializationTest, ReadingGoesThroughTheSetters) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  RecordingObject *p_o = new RecordingObject;
  p_o->registerInterest("custom::old");
  p_o->serialize();

  p_o->deserialize("is_active:false,altitude:0,solidness:2,"
                   "event_count:2,event_name[0]:custom::ping,event_name[1]:custom::pong");
  EXPECT_FALSE(contains(wm.getSceneGraph().activeObjects(), p_o));
  EXPECT_TRUE(contains(wm.getSceneGraph().inactiveObjects(), p_o));
  EXPECT_TRUE(p_o->isModified(ks::ACTIVE));
  EXPECT_TRUE(p_o->isModified(ks::ALTITUDE));
  EXPECT_TRUE(p_o->isModified(ks::SOLIDNESS));
  EXPECT_TRUE(p_o->isModified(ks::EVENTS));
  EXPECT_FALSE(p_o->isModified(ks::TYPE));

  // The old interest is withdrawn, the new ones reach the object once it is active again.
  p_o->deserialize("is_active:true");
  EXPECT_TRUE(contains(wm.getSceneGraph().activeObjects(), p_o));
  EXPECT_TRUE(contains(wm.getSceneGraph().visibleObjects(0), p_o));
  EXPECT_FALSE(contains(wm.getSceneGraph().visibleObjects(2), p_o));
  EXPECT_FALSE(contains(wm.getSceneGraph().solidObjects(), p_o));
  ks::Event ping, old;
  ping.setType("custom::ping");
  old.setType("custom::old");
  wm.onEvent(&ping);
  wm.onEvent(&old);
  EXPECT_EQ(p_o->types, std::vector<std::string>{"custom::ping"});
  EXPECT_EQ(p_o->getEventCount(), 2);

  // A count of 0 withdraws everything.
  p_o->deserialize("event_count:0");
  EXPECT_EQ(p_o->getEventCount(), 0);
  wm.onEvent(&ping);
  EXPECT_EQ(p_o->types.size(), 1u);

  // Direction, speed, acceleration, no_soft and id are set directly but marked.
  p_o->serialize();
  p_o->deserialize("id:42,no_soft:true,speed:1.5,x_acceleration:2");
  EXPECT_EQ(p_o->serialize(), "id:42,no_soft:true,speed:1.5,x_acceleration:2,y_acceleration:0,");
  // x_direction alone is stored unmarked.
  p_o->deserialize("x_direction:0.5");
  EXPECT_FLOAT_EQ(p_o->getDirection().getX(), 0.5f);
  EXPECT_EQ(p_o->serialize(), "");
}

TEST_F(SerializationTest, HostileValuesAreRefusedOrBroughtIntoRange) {
  ASSERT_NE(loadSprite("hero"), nullptr);                 // two frames
  const std::string refused = "not finite, so ignoring."; // one line each, the object unchanged
  for (const char *text : {"box-corner-x:0,box-corner-y:0,box-horizontal:-1e30,box-vertical:1,",
                           "box-corner-x:nan,box-corner-y:0,box-horizontal:1,box-vertical:1,",
                           "pos-x:1,pos-y:1,fpos-x:1e39,fpos-y:1,", "y_acceleration:-nan,"}) {
    ks::Object *p_o = new ks::Object;
    p_o->serialize();
    int before = kstest::logCount(log, refused);
    p_o->deserialize(text);
    EXPECT_EQ(kstest::logCount(log, refused), before + 1) << text;
    EXPECT_EQ(p_o->serialize(), "") << text;
  }
  // The animation is held in range, so that draw() can't overflow stepping it: index,
  // slowdown and count as read, then the index after one draw.
  const std::pair<std::string, std::vector<int>> animations[] = {
      {"sprite_index:2147483647,sprite_slowdown:1,sprite_slowdown_count:0", {1, 1, 0, 0}},
      {"sprite_index:-5,sprite_slowdown:-3,sprite_slowdown_count:2147483647", {0, 0, 0, 0}},
      {"sprite_slowdown:4,sprite_slowdown_count:9", {0, 4, 3, 1}},
  };
  for (const auto &a : animations) {
    ks::Object *p_o = new ks::Object;
    p_o->deserialize("sprite_name:hero," + a.first);
    std::vector<int> seen = {p_o->getSpriteIndex(), p_o->getSpriteSlowdown(),
                             p_o->getSpriteSlowdownCount()};
    p_o->draw();
    seen.push_back(p_o->getSpriteIndex());
    EXPECT_EQ(seen, a.second) << a.first;
  }
}

TEST_F(SerializationTest, SpriteNamesAreLookedUp) {
  ks::Sprite *p_sprite = loadSprite("walker");
  ASSERT_NE(p_sprite, nullptr);
  ks::Object *p_o = new ks::Object;
  p_o->setSpriteIndex(1);
  p_o->deserialize("sprite_name:walker");
  EXPECT_EQ(p_o->getSprite(), p_sprite);
  EXPECT_EQ(p_o->getSpriteIndex(), 0);
  EXPECT_EQ(p_o->getBox().getCorner(), ks::Vector(-1.5f, -1));
  EXPECT_EQ(p_o->getBox().getHorizontal(), 3);
  EXPECT_EQ(p_o->getBox().getVertical(), 2);

  // An unknown sprite keeps the old one but renames the object's sprite.
  p_o->serialize();
  p_o->deserialize("sprite_name:nosuch");
  EXPECT_EQ(p_o->getSprite(), p_sprite);
  EXPECT_EQ(p_o->getSpriteName(), "nosuch");
  EXPECT_TRUE(p_o->isModified(ks::SPRITE));
  EXPECT_TRUE(kstest::logContains(log, "Object::Match(): Object " + std::to_string(p_o->getId()) +
                                           " (Object), Sprite 'nosuch' not found"));
}

TEST_F(SerializationTest, NumbersReadAsTheCConversionsDoWithoutOverflow) {
  ks::Object *p_o = new ks::Object;
  p_o->deserialize("id:99999999999999999999");
  EXPECT_EQ(p_o->getId(), 2147483647);
  p_o->deserialize("id:-99999999999999999999");
  EXPECT_EQ(p_o->getId(), -2147483647 - 1);
  p_o->deserialize("id:+12abc");
  EXPECT_EQ(p_o->getId(), 12);
  p_o->deserialize("id:0x1F");
  EXPECT_EQ(p_o->getId(), 0);
  p_o->deserialize("altitude:abc");
  EXPECT_EQ(p_o->getAltitude(), 0);
  p_o->deserialize("speed:1e999"); // beyond the float range: refused
  EXPECT_EQ(p_o->getSpeed(), 0);
  p_o->deserialize("speed:-2.5e-1xyz");
  EXPECT_FLOAT_EQ(p_o->getSpeed(), -0.25f);
  p_o->deserialize("solidness:-2147483648");
  EXPECT_EQ(p_o->getSolidness(), ks::HARD);
}

TEST_F(SerializationTest, AbsurdEventCountsCostNoMoreThanTheObjectHolds) {
  ks::LogManager::getInstance().setLogLevel(10);
  ks::Object *p_o = new ks::Object;
  p_o->registerInterest("custom::old");
  p_o->deserialize("event_count:2000000000,event_name[3]:custom::a,event_name[150]:custom::b");
  EXPECT_TRUE(kstest::logContains(log, "Object::deserialize(): event_count is 2000000000"));
  ASSERT_EQ(p_o->getEventCount(), 1);
  EXPECT_EQ(p_o->getEventName(0), "custom::a");

  std::string text = "event_count:300,";
  for (int i = 0; i < 300; i++)
    text += "event_name[" + std::to_string(i) + "]:custom::e" + std::to_string(i) + ",";
  p_o->deserialize(text);
  EXPECT_EQ(p_o->getEventCount(), ks::MAX_OBJ_EVENTS);
  EXPECT_EQ(p_o->getEventName(99), "custom::e99");
  EXPECT_FALSE(kstest::logContains(log, "maximum (100) reached"));

  // A negative count withdraws the interests and registers none.
  p_o->deserialize("event_count:-5,event_name[0]:custom::a");
  EXPECT_EQ(p_o->getEventCount(), 0);
  p_o->deserialize("event_count:-2147483648");
  EXPECT_EQ(p_o->getEventCount(), 0);
}

TEST_F(SerializationTest, AnEmptyTextAppliesNothing) {
  ks::Object *p_a = new ks::Object;
  ks::Object *p_b = new ks::Object;
  p_a->deserialize("altitude:3,type:Thing");
  EXPECT_EQ(p_b->deserialize(""), 0);
  EXPECT_EQ(p_b->getAltitude(), 2);
  EXPECT_EQ(p_b->getType(), "Object");
}

TEST_F(SerializationTest, GarbageNeverCrashes) {
  ks::LogManager::getInstance().setLogLevel(10);
  ks::Object *p_o = new ks::Object;
  ks::ViewObject *p_v = new ks::ViewObject;
  std::vector<std::string> texts = {
      "",
      ",,,,",
      ":::,::",
      "id,altitude,speed",
      "id:,altitude:,event_count:",
      "event_count:2000000000",
      "event_count:5,event_name[-1]:x,event_name[0]:",
      "sprite_transparency:,sprite_index:-1,sprite_slowdown:-5,sprite_slowdown_count:999999999999",
      "box-corner-x:1e40,box-corner-y:nan,box-horizontal:-inf,box-vertical:1",
      "pos-x:1e40,pos-y:-1e40,fpos-x:nan,fpos-y:1e-50",
      "location:-2147483648,value:99999999999999999,color:-7,border:maybe,draw_value:",
      std::string("id:\x01\xff\x80,type:\xfe\x00zz,view_string:\x7f", 30),
      "x_direction:0,y_direction:0,speed:0",
  };
  // Deterministic binary noise built from the keys and the separators.
  const char *parts[] = {"id", "event_count", "event_name[0]", "altitude", "location", ":",
                         ",",  "-",           "9999999999",    "\xff",     "\t",       "0"};
  unsigned seed = 12345;
  for (int t = 0; t < 200; t++) {
    std::string s;
    for (int k = 0; k < 20; k++) {
      seed = seed * 1103515245u + 12345u;
      s += parts[(seed >> 16) % (sizeof(parts) / sizeof(parts[0]))];
      if ((seed >> 8) % 7 == 0)
        s += static_cast<char>(seed >> 24);
    }
    texts.push_back(s);
  }
  for (const std::string &t : texts) {
    EXPECT_EQ(p_o->deserialize(t), 0);
    EXPECT_EQ(p_v->deserialize(t), 0);
    p_o->serialize(true);
    p_v->serialize(true);
  }
  EXPECT_LE(p_o->getEventCount(), ks::MAX_OBJ_EVENTS);
}

// The object part of a new view object on the 80 x 24 view.
std::string newViewObjectText(int id) {
  return items({{"id", std::to_string(id)},
                {"is_active", "true"},
                {"is_visible", "true"},
                {"event_count", "1"},
                {"event_name[0]", "ks::view"},
                {"box-corner-x", "-0.5"},
                {"box-corner-y", "-0.5"},
                {"box-horizontal", "0.99"},
                {"box-vertical", "0.99"},
                {"pos-x", "40"},
                {"pos-y", "1"},
                {"fpos-x", "40"},
                {"fpos-y", "1"},
                {"type", "ViewObject"},
                {"sprite_name", ""},
                {"sprite_center", "true"},
                {"sprite_transparency", "0"},
                {"sprite_index", "0"},
                {"sprite_slowdown", "1"},
                {"sprite_slowdown_count", "0"},
                {"altitude", "4"},
                {"solidness", "2"},
                {"no_soft", "false"},
                {"x_direction", "0"},
                {"y_direction", "0"},
                {"speed", "0"},
                {"x_acceleration", "0"},
                {"y_acceleration", "0"}});
}

TEST_F(SerializationTest, ANewViewObjectWritesItsItemsAfterTheObjectOnes) {
  ks::ViewObject *p_v = new ks::ViewObject;
  EXPECT_EQ(p_v->serialize(true),
            newViewObjectText(p_v->getId()) +
                "view_string:,value:0,border:true,color:7,location:1,draw_value:true,");
  EXPECT_EQ(p_v->serialize(false), "");
  p_v->setValue(5);
  EXPECT_EQ(p_v->serialize(false), "value:5,");
  p_v->setValue(5);
  EXPECT_EQ(p_v->serialize(false), "");
  p_v->setViewString("Score");
  p_v->setColor(ks::RED);
  EXPECT_EQ(p_v->serialize(false), "view_string:Score,color:1,");
  // A position change also makes the location undefined.
  p_v->setPosition(ks::Vector(10.5f, 3));
  EXPECT_EQ(p_v->serialize(false), "pos-x:10.5,pos-y:3,fpos-x:10.5,fpos-y:3,location:-1,");
  p_v->setBorder(false);
  EXPECT_EQ(p_v->serialize(false), "border:false,");
}

TEST_F(SerializationTest, ViewObjectFlagsAreTracedBeforeTheObjectOnes) {
  ks::LogManager::getInstance().setLogLevel(10);
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->serialize();
  size_t before = kstest::logMessages(log).size();
  EXPECT_FALSE(p_v->isModified());
  std::vector<std::string> expected;
  for (int i = 0; i < 6; i++)
    expected.push_back("ViewObject::isModified(): " + std::to_string(i) + " is false");
  for (int i = 0; i < 14; i++)
    expected.push_back("Object::isModified(): " + std::to_string(i) + " is false");
  EXPECT_EQ(messagesFrom(before), expected);

  p_v->setColor(ks::BLUE);
  before = kstest::logMessages(log).size();
  EXPECT_TRUE(p_v->isModified());
  EXPECT_EQ(messagesFrom(before),
            (std::vector<std::string>{
                "ViewObject::isModified(): 0 is false", "ViewObject::isModified(): 1 is false",
                "ViewObject::isModified(): 2 is false", "ViewObject::isModified(): 3 is true"}));
  EXPECT_TRUE(p_v->isModified(ks::COLOR));
  EXPECT_FALSE(p_v->isModified(ks::VALUE));
}

TEST_F(SerializationTest, ViewObjectItemsAreReadAndTraced) {
  ks::LogManager::getInstance().setLogLevel(10);
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->serialize();
  size_t before = kstest::logMessages(log).size();
  p_v->deserialize("view_string:Lives,value:3,border:false,color:2,location:8,draw_value:false,");
  std::vector<std::string> traced;
  for (const std::string &m : messagesFrom(before))
    if (m.find("ViewObject::deserialize()") == 0)
      traced.push_back(m);
  EXPECT_EQ(traced, (std::vector<std::string>{"ViewObject::deserialize(): view_string is Lives",
                                              "ViewObject::deserialize(): value is 3",
                                              "ViewObject::deserialize(): border is false",
                                              "ViewObject::deserialize(): color is 2",
                                              "ViewObject::deserialize(): location is 8",
                                              "ViewObject::deserialize(): draw_value is false"}));
  EXPECT_EQ(p_v->getViewString(), "Lives");
  EXPECT_EQ(p_v->getValue(), 3);
  EXPECT_FALSE(p_v->getBorder());
  EXPECT_EQ(p_v->getColor(), 2);
  EXPECT_EQ(p_v->getLocation(), ks::BOTTOM_RIGHT);
  EXPECT_EQ(p_v->getPosition(), ks::Vector(80.0f * 5 / 6, 23));
  EXPECT_FALSE(p_v->getDrawValue());
  // draw_value is not marked; the rest is.
  EXPECT_FALSE(p_v->isModified(ks::DRAW_VALUE));
  std::string s = p_v->serialize(false);
  EXPECT_EQ(s.find("draw_value"), std::string::npos);
  EXPECT_NE(s.find("view_string:Lives,value:3,border:false,color:2,location:8,"),
            std::string::npos);

  // Turning the border on at a named place moves the object down again.
  p_v->deserialize("border:true");
  EXPECT_EQ(p_v->getPosition(), ks::Vector(80.0f * 5 / 6, 22));
  // Values equal to the current ones change nothing.
  p_v->serialize();
  p_v->deserialize("view_string:Lives,value:3,color:2,border:true,draw_value:true");
  EXPECT_EQ(p_v->serialize(false), "");
  EXPECT_TRUE(p_v->getDrawValue());
}

TEST_F(SerializationTest, AViewObjectComesBackWhole) {
  ks::ViewObject *p_a = new ks::ViewObject;
  p_a->setViewString("Score");
  p_a->setValue(-12);
  p_a->setBorder(false);
  p_a->setColor(ks::MAGENTA);
  p_a->setLocation(ks::BOTTOM_LEFT);
  p_a->deserialize("draw_value:false");
  ks::ViewObject *p_b = new ks::ViewObject;
  p_b->deserialize(p_a->serialize(true));
  EXPECT_EQ(p_b->getViewString(), "Score");
  EXPECT_EQ(p_b->getValue(), -12);
  EXPECT_FALSE(p_b->getBorder());
  EXPECT_EQ(p_b->getColor(), ks::MAGENTA);
  EXPECT_EQ(p_b->getLocation(), ks::BOTTOM_LEFT);
  EXPECT_EQ(p_b->getPosition(), p_a->getPosition());
  EXPECT_FALSE(p_b->getDrawValue());
  EXPECT_EQ(p_b->getEventCount(), 1);
  EXPECT_EQ(p_b->getEventName(0), ks::VIEW_EVENT);

  // Placed by position: the location -1 is refused and the restored position stays.
  p_a->setPosition(ks::Vector(10.333333f, 3.5f));
  ks::ViewObject *p_c = new ks::ViewObject;
  p_c->deserialize(p_a->serialize(true));
  EXPECT_EQ(p_c->getPosition(), ks::Vector(10.333333f, 3.5f));
  EXPECT_EQ(p_c->getLocation(), ks::UNDEFINED_LOCATION);
  EXPECT_TRUE(
      kstest::logContains(log, "ViewObject::setLocation(): Location out of range (-1).  Ignored."));

  // The copy still answers "ks::view" events for its label.
  ks::EventView ev("Score", 2, true);
  ks::WorldManager::getInstance().onEvent(&ev);
  EXPECT_EQ(p_c->getValue(), -10);
}

} // namespace
