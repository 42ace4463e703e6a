// Shapes in a real window. All shapes share one library shape, so the tests that draw
// squares (whose rotation stays on it) come last.
#include <gtest/gtest.h>

#include "LogManager.h"
#include "Screen.h"
#include "Shape.h"
#include "TestSupport.h"
#include "WorldManager.h"

using namespace kstest;

namespace {

struct Bounds {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1, count = 0;
};

/// Where pixels of exactly `color` are.
Bounds boundsOf(const sf::Image &image, sf::Color color) {
  Bounds b;
  for (unsigned y = 0; y < image.getSize().y; y++)
    for (unsigned x = 0; x < image.getSize().x; x++)
      if (image.getPixel(x, y) == color) {
        b.x0 = std::min(b.x0, static_cast<int>(x));
        b.y0 = std::min(b.y0, static_cast<int>(y));
        b.x1 = std::max(b.x1, static_cast<int>(x));
        b.y1 = std::max(b.y1, static_cast<int>(y));
        b.count++;
      }
  return b;
}

class ShapeTest : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    configureWindow(log);
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override {
    if (ks::GraphicsManager::getInstance().getWindow() != nullptr)
      ks::GraphicsManager::getInstance().shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
  }
  void startWindow() {
    ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
    ks::GraphicsManager::getInstance().swapBuffers();
  }
  std::string log;
};

// Cell (20, 10) is at pixel (256, 320).
const ks::Vector CELL(20, 10);
const float PX = 256, PY = 320;

} // namespace

TEST_F(ShapeTest, NewShapeIsAWhiteCircleSizedToTheCell) {
  startWindow();
  ks::Shape shape;
  EXPECT_EQ(ks::WHITE, shape.getColor());
  EXPECT_EQ(ks::CIRCLE, shape.getShapeType());
  EXPECT_EQ(255, shape.getAlpha());
  EXPECT_FLOAT_EQ(24.0f, shape.getSize()); // (int)12.8 * 2.0
  ks::Configuration::getInstance().setFontScale(1.5f);
  EXPECT_FLOAT_EQ(18.0f, ks::Shape().getSize());
}

TEST_F(ShapeTest, WithoutWindowNothingIsDrawn) {
  ks::Shape shape;
  shape.draw(CELL);
  shape.draw(CELL);
  EXPECT_EQ(2, logCount(log, "Shape::draw(): Error! GraphicsManager window not defined."));
}

TEST_F(ShapeTest, CircleIsCentredHalfItsSizeRightAndDown) {
  startWindow();
  ks::LogManager::getInstance().setLogLevel(10);
  ks::Shape shape;
  shape.setColor(ks::RED);
  shape.draw(CELL);
  // Radius 24, bounding box corner at the pixel minus half the size: centre at (+12, +12).
  Bounds b = boundsOf(grabWindow(), sf::Color::Red);
  EXPECT_NEAR(PX - 12 + 24, (b.x0 + b.x1) / 2.0, 1.5);
  EXPECT_NEAR(PY - 12 + 24, (b.y0 + b.y1) / 2.0, 1.5);
  EXPECT_NEAR(48, b.y1 - b.y0 + 1, 2); // ten points: top and bottom are corners
  EXPECT_TRUE(logContains(log, "Shape::draw(): Drawing at (256.00, 320.00)"));
}

TEST_F(ShapeTest, CustomColourUsesTheStoredComponents) {
  startWindow();
  ks::Shape shape;
  shape.setColor(ks::CUSTOM);
  shape.setRGB(10, 200, 30);
  shape.draw(CELL);
  EXPECT_GT(boundsOf(grabWindow(), sf::Color(10, 200, 30)).count, 500);
}

TEST_F(ShapeTest, UnsupportedColourKeepsThePreviousComponents) {
  startWindow();
  ks::Shape shape;
  shape.setColor(ks::MAGENTA);
  shape.draw(CELL);
  ks::GraphicsManager::getInstance().swapBuffers();
  shape.setColor(static_cast<ks::Color>(9));
  shape.draw(CELL);
  EXPECT_GT(boundsOf(grabWindow(), sf::Color::Magenta).count, 500);
}

TEST_F(ShapeTest, TriangleIsUprightBeforeAnySquare) {
  startWindow();
  ks::Shape shape;
  shape.setShapeType(ks::TRIANGLE);
  shape.setColor(ks::GREEN);
  shape.draw(CELL);
  // Radius 12, corner at (PX - 12, PY - 12): the apex on top, the base below.
  Bounds b = boundsOf(grabWindow(), sf::Color::Green);
  EXPECT_NEAR(PX - 12 + 1.6, b.x0, 1.5);
  EXPECT_NEAR(PX - 12 + 22.4, b.x1, 1.5);
  EXPECT_NEAR(PY - 12, b.y0, 1.5);
  EXPECT_NEAR(PY - 12 + 18, b.y1, 1.5);
}

TEST_F(ShapeTest, SquareIsRotatedAndSizedByTheFontScale) {
  startWindow();
  ks::Shape shape;
  shape.setShapeType(ks::SQUARE);
  shape.setColor(ks::YELLOW);
  shape.draw(CELL);
  // Radius 24 / 2.0 = 12, turned 45 degrees about the corner at (PX + 12, PY - 13.71): an
  // upright square of side 17 whose left edge is 8.5 pixels left of that corner.
  Bounds b = boundsOf(grabWindow(), sf::Color::Yellow);
  EXPECT_NEAR(PX + 12 - 8.49, b.x0, 1.5);
  EXPECT_NEAR(PX + 12 + 8.49, b.x1, 1.5);
  EXPECT_NEAR(PY - 13.71 + 8.49, b.y0, 1.5);
  EXPECT_NEAR(PY - 13.71 + 25.46, b.y1, 1.5);
}

TEST_F(ShapeTest, RotationStaysForLaterShapes) {
  startWindow();
  ks::Shape square;
  square.setShapeType(ks::SQUARE);
  square.draw(CELL);
  ks::GraphicsManager::getInstance().swapBuffers();
  ks::Shape triangle;
  triangle.setShapeType(ks::TRIANGLE);
  triangle.setColor(ks::GREEN);
  triangle.draw(CELL);
  // The upright triangle's corners turned 45 degrees about the bounding box corner: the
  // leftmost one is now 11.6 pixels left of that corner instead of 1.6 right of it.
  Bounds b = boundsOf(grabWindow(), sf::Color::Green);
  EXPECT_NEAR(PX - 12 - 11.6, b.x0, 1.5);
  EXPECT_NEAR(PY - 12 + 8.5, b.y0, 1.5);
}
