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

void expectAt(const ks::ViewObject &v, float x, float y) {
  EXPECT_FLOAT_EQ(x, v.getPosition().getX());
  EXPECT_FLOAT_EQ(y, v.getPosition().getY());
}

} // namespace

TEST_F(ViewObjectTest, NewViewObjectSitsTopCentreWithBorder) {
  ks::ViewObject *p_v = new ks::ViewObject;
  expectAt(*p_v, 40, 1);
  EXPECT_EQ(ks::TOP_CENTER, p_v->getLocation());
  EXPECT_TRUE(p_v->getBorder());
  EXPECT_EQ(0, p_v->getValue());
  EXPECT_TRUE(p_v->getDrawValue());
  EXPECT_EQ(ks::WHITE, p_v->getColor());
  EXPECT_EQ("", p_v->getViewString());
  EXPECT_EQ("ViewObject", p_v->getType());
  EXPECT_EQ(ks::SPECTRAL, p_v->getSolidness());
  EXPECT_EQ(ks::MAX_ALTITUDE, p_v->getAltitude());
  for (int a = ks::VIEW_STRING; a < ks::VIEW_ATTRIBUTE_COUNT; a++)
    EXPECT_TRUE(p_v->isModified(static_cast<ks::ViewObjectAttribute>(a))) << a;
}

TEST_F(ViewObjectTest, NamedPlacesWithAndWithoutBorder) {
  ks::ViewObject *p_v = new ks::ViewObject;
  const float xs[] = {80.0f / 6, 80.0f * 3 / 6, 80.0f * 5 / 6};
  const float y_border[] = {1, 12, 22}, y_plain[] = {0, 11, 23};
  for (bool border : {true, false}) {
    p_v->setBorder(border);
    for (int place = ks::TOP_LEFT; place <= ks::BOTTOM_RIGHT; place++) {
      p_v->setLocation(place);
      EXPECT_EQ(place, p_v->getLocation());
      expectAt(*p_v, xs[place % 3], border ? y_border[place / 3] : y_plain[place / 3]);
    }
  }
  p_v->setLocation(ks::BOTTOM_RIGHT);
  EXPECT_FLOAT_EQ(66.666664f, p_v->getPosition().getX());
  EXPECT_FLOAT_EQ(23.0f, p_v->getPosition().getY());
  // The border moves a named place to its row again.
  p_v->setBorder(true);
  expectAt(*p_v, 80.0f * 5 / 6, 22);
}

TEST_F(ViewObjectTest, LocationOutOfRangeIsIgnored) {
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->setLocation(9);
  p_v->setLocation(-1);
  expectAt(*p_v, 40, 1);
  EXPECT_EQ(ks::TOP_CENTER, p_v->getLocation());
  EXPECT_TRUE(logContains(log, "ViewObject::setLocation(): Location out of range (9).  Ignored."));
  EXPECT_TRUE(logContains(log, "ViewObject::setLocation(): Location out of range (-1).  Ignored."));
}

TEST_F(ViewObjectTest, ExplicitPositionLeavesTheNamedPlaces) {
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->setPosition(ks::Vector(40, 1));
  EXPECT_EQ(ks::TOP_CENTER, p_v->getLocation());
  p_v->setPosition(ks::Vector(7, 9));
  EXPECT_EQ(ks::UNDEFINED_LOCATION, p_v->getLocation());
  p_v->setBorder(false);
  p_v->setBorder(true);
  expectAt(*p_v, 7, 9);
}

TEST_F(ViewObjectTest, ViewEventsSetOrAddToTheMatchingValue) {
  ks::ViewObject *p_score = new ks::ViewObject;
  p_score->setViewString("Score");
  p_score->setValue(10);
  ks::ViewObject *p_lives = new ks::ViewObject;
  p_lives->setViewString("Lives");
  p_lives->setValue(3);

  ks::EventView add("Score", 5, true);
  EXPECT_EQ(1, p_score->eventHandler(&add));
  EXPECT_EQ(15, p_score->getValue());
  ks::EventView set("Score", 5, false);
  EXPECT_EQ(1, p_score->eventHandler(&set));
  EXPECT_EQ(5, p_score->getValue());
  ks::EventView other("score", 100, false); // tags compare exactly
  EXPECT_EQ(0, p_score->eventHandler(&other));
  EXPECT_EQ(5, p_score->getValue());

  // Sent through the world manager, an event reaches only the view object with its tag.
  ks::EventView lose("Lives", -1, true);
  ks::WorldManager::getInstance().onEvent(&lose);
  EXPECT_EQ(2, p_lives->getValue());
  EXPECT_EQ(5, p_score->getValue());
}

TEST_F(ViewObjectTest, SettersMarkOnlyRealChanges) {
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->serialize(); // clears the modified flags
  p_v->setValue(0);
  p_v->setColor(ks::WHITE);
  p_v->setBorder(true);
  p_v->setViewString("");
  EXPECT_FALSE(p_v->isModified(ks::VALUE));
  EXPECT_FALSE(p_v->isModified(ks::COLOR));
  EXPECT_FALSE(p_v->isModified(ks::BORDER));
  EXPECT_FALSE(p_v->isModified(ks::VIEW_STRING));
  p_v->setValue(3);
  p_v->setColor(ks::RED);
  EXPECT_TRUE(p_v->isModified(ks::VALUE));
  EXPECT_TRUE(p_v->isModified(ks::COLOR));
  EXPECT_FALSE(p_v->isModified(ks::LOCATION));
  p_v->setLocation(ks::TOP_CENTER); // valid: always marked
  EXPECT_TRUE(p_v->isModified(ks::LOCATION));
  EXPECT_FALSE(p_v->isModified(ks::DRAW_VALUE));
}

/// Rows `y0` to `y0 + count - 1` of the frame presented next, from column `x0`, 13 wide.
std::vector<std::string> presentedRows(int x0, int y0, int count) {
  ks::GraphicsManager::getInstance().swapBuffers();
  std::vector<std::string> lines = ks::GraphicsManager::getInstance().getLastFrame().getLines();
  std::vector<std::string> rows;
  for (int y = y0; y < y0 + count; y++)
    rows.push_back(lines[y].substr(x0, 13));
  return rows;
}

TEST_F(ViewObjectTest, DrawsLabelValueAndBorderWhereverTheViewIs) {
  ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->setViewString("##");
  p_v->setValue(12);
  p_v->setColor(ks::YELLOW);
  // The view has scrolled: the object still shows at its screen place, (40, 1).
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(25, 7), 80, 24));
  p_v->draw();
  // Text " ## 12 " (7 cells) from x = 37, dashes above and below, bars at 36 and 44.
  EXPECT_EQ((std::vector<std::string>{"   -------   ", "  | ## 12 |  ", "   -------   "}),
            presentedRows(34, 0, 3));
  EXPECT_EQ("3",
            ks::GraphicsManager::getInstance().getLastFrame().getColorLines()[1].substr(36, 1));
}

TEST_F(ViewObjectTest, DrawsWithoutBorderAndWithoutValue) {
  ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
  ks::ViewObject *p_v = new ks::ViewObject;
  p_v->setViewString("##");
  p_v->setValue(12);
  p_v->setBorder(false);
  p_v->setColor(ks::GREEN);
  expectAt(*p_v, 40, 0);
  LabelOnly *p_label = new LabelOnly;
  p_label->setViewString("##");
  p_label->setBorder(false);
  p_label->setLocation(ks::BOTTOM_CENTER);
  p_label->setColor(42); // no colour at all: drawn white
  EXPECT_FALSE(p_label->getDrawValue());
  p_v->draw();
  p_label->draw();
  // "## 12" centred on 40: cells 38 to 42; "##" centred on 40: cells 39 and 40, on row 23.
  ks::GraphicsManager::getInstance().swapBuffers();
  ks::TextFrame frame = ks::GraphicsManager::getInstance().getLastFrame();
  EXPECT_EQ(" ## 12 ", frame.getLines()[0].substr(37, 7));
  EXPECT_EQ(".22222.", frame.getColorLines()[0].substr(37, 7));
  EXPECT_EQ(std::string(80, '.'), frame.getColorLines()[1]); // no border row
  EXPECT_EQ("  ##   ", frame.getLines()[23].substr(37, 7));
  EXPECT_EQ("..77...", frame.getColorLines()[23].substr(37, 7));
}
