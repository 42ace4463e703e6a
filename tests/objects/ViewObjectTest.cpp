// View objects: their named places, border, value and "ks::view" events, and what they draw.
#include <gtest/gtest.h>

#include "Configuration.h"
#include "EventView.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"

using namespace kstest;

namespace {

/// The world with an 80 x 24 view, and the text display (started by the tests that draw).
class ViewObjectTest : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    ks::Configuration::getInstance().reset();
    ks::Configuration::getInstance().setLogFile(log);
    ks::Configuration::getInstance().setDisplay("text");
    ks::WorldManager::getInstance().startUp();
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override {
    ks::WorldManager::getInstance().shutDown();
    if (ks::GraphicsManager::getInstance().isStarted())
      ks::GraphicsManager::getInstance().shutDown();
  }
  std::string log;
};

/// A view object that shows its label alone.
class LabelOnly : public ks::ViewObject {
public:
  LabelOnly() { setDrawValue(false); }
};

} // namespace

TEST_F(ViewObjectTest, NamedPlacesWithAndWithoutBorderAndExplicitPositions) {
  ks::ViewObject *p_v = new ks::ViewObject;
  EXPECT_EQ(ks::TOP_CENTER, p_v->getLocation());
  EXPECT_EQ(ks::Vector(40, 1), p_v->getPosition()); // a border leaves the top row free
  EXPECT_EQ(ks::SPECTRAL, p_v->getSolidness());
  EXPECT_EQ(ks::MAX_ALTITUDE, p_v->getAltitude());
  const float xs[] = {80.0f / 6, 80.0f * 3 / 6, 80.0f * 5 / 6};
  const float y_border[] = {1, 12, 22}, y_plain[] = {0, 11, 23};
  for (bool border : {true, false}) {
    p_v->setBorder(border);
    for (int place = ks::TOP_LEFT; place <= ks::BOTTOM_RIGHT; place++) {
      p_v->setLocation(place);
      EXPECT_EQ(place, p_v->getLocation());
      EXPECT_EQ(ks::Vector(xs[place % 3], border ? y_border[place / 3] : y_plain[place / 3]),
                p_v->getPosition())
          << place << " " << border;
    }
  }
  p_v->setBorder(true); // the border moves a named place to its row again
  EXPECT_EQ(ks::Vector(80.0f * 5 / 6, 22), p_v->getPosition());
  for (int bad : {9, -1})
    p_v->setLocation(bad);
  EXPECT_EQ(ks::BOTTOM_RIGHT, p_v->getLocation());
  EXPECT_TRUE(logContains(log, "ViewObject::setLocation(): Location out of range (9).  Ignored."));
  EXPECT_TRUE(logContains(log, "ViewObject::setLocation(): Location out of range (-1).  Ignored."));
  p_v->setPosition(ks::Vector(7, 9)); // a position of its own leaves the named places
  EXPECT_EQ(ks::UNDEFINED_LOCATION, p_v->getLocation());
  p_v->setBorder(false);
  EXPECT_EQ(ks::Vector(7, 9), p_v->getPosition());
}

TEST_F(ViewObjectTest, ViewEventsSetOrAddToTheValueOfTheirTagOnly) {
  ks::ViewObject *p_score = new ks::ViewObject;
  p_score->setViewString("Score");
  p_score->setValue(10);
  ks::ViewObject *p_lives = new ks::ViewObject;
  p_lives->setViewString("Lives");
  p_lives->setValue(3);
  ks::EventView add("Score", 5, true), set("Score", 5, false), other("score", 100, false);
  EXPECT_EQ(1, p_score->eventHandler(&add));
  EXPECT_EQ(15, p_score->getValue());
  EXPECT_EQ(1, p_score->eventHandler(&set));
  EXPECT_EQ(0, p_score->eventHandler(&other)); // tags compare exactly
  EXPECT_EQ(5, p_score->getValue());
  // Sent through the world manager, an event reaches only the view object with its tag.
  ks::EventView lose("Lives", -1, true);
  ks::WorldManager::getInstance().onEvent(&lose);
  EXPECT_EQ(2, p_lives->getValue());
  EXPECT_EQ(5, p_score->getValue());
  // Setting a value it already has is no change to save.
  p_score->serialize();
  p_score->setValue(5);
  p_score->setColor(ks::WHITE);
  EXPECT_FALSE(p_score->isModified(ks::VALUE));
  EXPECT_FALSE(p_score->isModified(ks::COLOR));
  p_score->setValue(6);
  EXPECT_TRUE(p_score->isModified(ks::VALUE));
}

TEST_F(ViewObjectTest, DrawsItsLabelValueAndBorderAtItsScreenPlace) {
  ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->setViewString("##");
  p_v->setValue(12);
  p_v->setColor(ks::YELLOW);
  ks::ViewObject *p_label = new LabelOnly;
  p_label->setViewString("##");
  p_label->setBorder(false);
  p_label->setLocation(ks::BOTTOM_CENTER);
  p_label->setColor(42); // no colour at all: drawn white
  // The view has scrolled: they still show at their screen places.
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(25, 7), 80, 24));
  p_v->draw();
  p_label->draw();
  ks::GraphicsManager::getInstance().swapBuffers();
  ks::TextFrame frame = ks::GraphicsManager::getInstance().getLastFrame();
  // " ## 12 " from x = 37, dashes above and below, bars at 36 and 44; "##" at 39 and 40.
  std::vector<std::string> text = frame.getLines(), colors = frame.getColorLines();
  EXPECT_EQ("   -------   ", text[0].substr(34, 13));
  EXPECT_EQ("  | ## 12 |  ", text[1].substr(34, 13));
  EXPECT_EQ("   -------   ", text[2].substr(34, 13));
  EXPECT_EQ("..333333333..", colors[1].substr(34, 13));
  EXPECT_EQ("  ##   ", text[23].substr(37, 7));
  EXPECT_EQ("..77...", colors[23].substr(37, 7));
}
