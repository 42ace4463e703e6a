// Frames as data: what the drawing calls record, the text display's grid of cells, the text
// file form of a frame, the shapes' outlines and the colours' components.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "Color.h"
#include "Configuration.h"
#include "GraphicsManager.h"
#include "Shape.h"
#include "TestSupport.h"
#include "TextDisplay.h"
#include "WorldManager.h"

using namespace kstest;

namespace {

ks::GraphicsManager &gm() {
  return ks::GraphicsManager::getInstance();
}

class TextFrameTest : public testing::Test {
protected:
  void SetUp() override {
    ks::Configuration::getInstance().reset();
    log = startLog("log");
    ks::Configuration::getInstance().setDisplay("text");
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override { gm().shutDown(); }
  /// Starts the text display and returns the frame that `draw` presents.
  ks::TextFrame present(const std::function<void()> &draw) {
    EXPECT_EQ(0, gm().startUp());
    draw();
    EXPECT_EQ(0, gm().swapBuffers());
    return static_cast<ks::TextDisplay *>(gm().getDisplay())->getFrame();
  }
  std::string log;
};

/// A run of cells expected in row `y` from column `x`: characters and colour codes.
struct Span {
  int x, y;
  const char *text;
  const char *colors;
};

struct PlacementCase {
  const char *name;
  std::function<void()> draw;
  std::vector<Span> spans; // every cell drawn; all others stay empty
};

void ch(char c, ks::Color color, float x, float y) {
  gm().drawCh(c, color, ks::Vector(x, y));
}

const PlacementCase PLACEMENTS[] = {
    {"the nearest cell, halves rounding up",
     [] {
       ch('a', ks::GREEN, 1.49f, 2.5f);
       ch('b', ks::BLUE, 2.5f, 0.49f);
       ch('c', ks::CYAN, -0.5f, 7.51f);
     },
     {{1, 3, "a", "2"}, {3, 0, "b", "4"}, {0, 8, "c", "6"}}},
    {"draws outside the view change nothing",
     [] {
       for (float x : {-0.51f, 79.5f, 80.0f, 1e30f, -1e30f, NAN, INFINITY})
         ch('x', ks::RED, x, 5);
       for (float y : {-0.51f, 23.5f, 1e30f, NAN})
         ch('y', ks::RED, 5, y);
       ch('z', ks::RED, 79.49f, 23.49f);
     },
     {{79, 23, "z", "1"}}},
    {"unprintable characters and colours without components",
     [] {
       ch('\x01', ks::RED, 0, 0), ch('\xe9', ks::RED, 1, 0), ch('\t', ks::RED, 2, 0);
       ch('~', ks::CUSTOM, 3, 0), ch('!', static_cast<ks::Color>(42), 4, 0);
       ch('k', ks::BLACK, 5, 0);
     },
     {{0, 0, "???~!k", "111770"}}},
    {"strings left, centred and right of their position",
     [] {
       gm().drawString(ks::Vector(10, 4), "abcde", ks::LEFT_JUSTIFIED, ks::RED);
       gm().drawString(ks::Vector(10, 5), "abcde", ks::CENTER_JUSTIFIED, ks::RED);
       gm().drawString(ks::Vector(10, 6), "abcd", ks::RIGHT_JUSTIFIED, ks::RED);
       gm().drawString(ks::Vector(10, 7), "", ks::CENTER_JUSTIFIED, ks::RED);
     },
     {{10, 4, "abcde", "11111"}, {8, 5, "abcde", "11111"}, {6, 6, "abcd", "1111"}}},
    {"later draws win, but transparent cells keep what was under them",
     [] {
       gm().drawFrame(false, ks::RED, 0, ks::Vector(5, 3), ks::Frame(3, 1, "###"));
       gm().drawFrame(false, ks::GREEN, '.', ks::Vector(5, 3), ks::Frame(3, 1, "X.X"));
       gm().drawFrame(false, ks::RED, 0, ks::Vector(5, 4), ks::Frame(3, 1, "###"));
       gm().drawFrame(false, ks::GREEN, 0, ks::Vector(5, 4), ks::Frame(3, 1, "X X"));
       // A frame whose text is shorter than its size draws what it has.
       gm().drawFrame(false, ks::BLUE, 0, ks::Vector(5, 6), ks::Frame(5, 5, "##"));
     },
     {{5, 3, "X#X", "212"}, {5, 4, "X X", "222"}, {5, 6, "##", "44"}}},
};

} // namespace

TEST_F(TextFrameTest, EachDrawLandsInItsNearestCell) {
  for (const PlacementCase &c : PLACEMENTS) {
    ks::TextFrame frame = present(c.draw);
    ks::TextFrame expected(80, 24);
    for (const Span &span : c.spans)
      for (int i = 0; span.text[i] != 0; i++)
        expected.placeCharacter(span.text[i], static_cast<ks::Color>(span.colors[i] - '0'),
                                static_cast<float>(span.x + i), static_cast<float>(span.y));
    EXPECT_EQ(expected.toText(), frame.toText()) << c.name;
    gm().shutDown();
  }
}

TEST_F(TextFrameTest, DrawingWithoutStartUpFails) {
  EXPECT_EQ(-1, gm().drawCh('a', ks::RED, ks::Vector(1, 1)));
  EXPECT_EQ(-1, gm().drawString(ks::Vector(1, 1), "ab", ks::LEFT_JUSTIFIED, ks::RED));
  EXPECT_EQ(-1, gm().drawFrame(false, ks::RED, 0, ks::Vector(1, 1), ks::Frame(1, 1, "a")));
  EXPECT_EQ(3, logCount(log, "GraphicsManager not started!"));
  ks::Shape().draw(ks::Vector(1, 1));
  EXPECT_EQ(1, logCount(log, "Shape::draw(): Error! GraphicsManager window not defined."));
  EXPECT_EQ(0, gm().startUp()); // a text display needs no X server
  EXPECT_EQ(-1, gm().drawFrame(false, ks::RED, 0, ks::Vector(1, 1), ks::Frame()));
  EXPECT_EQ(nullptr, gm().getWindow());
}

TEST_F(TextFrameTest, FileFormReadsBackReadsWellInADiffAndRefusesMalformedText) {
  ks::TextFrame frame = present([] {
    gm().drawString(ks::Vector(0, 0), "|top| ~", ks::LEFT_JUSTIFIED, ks::YELLOW);
    ch('z', ks::BLACK, 79, 23);
  });
  std::string form = frame.toText();
  EXPECT_EQ(0u,
            form.find("kestle-frame 1\nsize 80 24\ntext\n||top| ~" + std::string(73, ' ') + "|\n"));
  EXPECT_NE(std::string::npos, form.find("colors\n|3333333" + std::string(73, '.') + "|\n"));
  EXPECT_EQ(form.size() - 4, form.rfind("end\n"));
  std::string path = scratchPath("frame.txt");
  ASSERT_EQ(0, frame.writeFile(path));
  ks::TextFrame read;
  ASSERT_EQ(0, read.readFile(path));
  EXPECT_EQ(frame, read);
  EXPECT_EQ(-1, frame.writeFile(scratchPath("no-such-dir") + "/frame.txt"));
  EXPECT_EQ(-1, read.readFile(scratchPath("missing.txt")));
  EXPECT_EQ(frame, read);
  // Malformed text is refused with its line, and the frame stays as it was.
  const std::string good = "kestle-frame 1\nsize 3 1\ntext\n|a b|\ncolors\n|1.7|\nend\n";
  ASSERT_EQ(0, frame.fromText(good));
  EXPECT_EQ("a b", frame.getLines()[0]);
  EXPECT_EQ("1.7", frame.getColorLines()[0]);
  const std::pair<std::string, int> bad[] = {
      {"kestle-frame 2\n", 1},
      {"kestle-frame 1\nsize 3\n", 2},
      {"kestle-frame 1\nsize -3 1\n", 2},
      {"kestle-frame 1\nsize 3 1 x\n", 2},
      {"kestle-frame 1\nsize 3 1\ntext\n|a b\n", 4},
      {"kestle-frame 1\nsize 3 1\ntext\n|a\tb|\n", 4},
      {"kestle-frame 1\nsize 3 1\ntext\n|abc|\ncolors\n|19.|\n", 6},
      {"kestle-frame 1\nsize 3 1\ntext\n|abc|\ncolors\n|111|\n", 6}, // no "end": truncated
      {"", 0},
  };
  for (const auto &[text, line] : bad) {
    EXPECT_EQ(-1, frame.fromText(text)) << text;
    EXPECT_EQ("a b", frame.getLines()[0]) << text; // unchanged
    EXPECT_TRUE(logContains(log, "TextFrame::fromText(): Error on line " + std::to_string(line) +
                                     ": expected"))
        << text;
  }
}

// Cell (20, 10) is at pixel (256, 320). All shapes share one outline, so a square's rotation
// stays for every later shape, in this test and after it: the square comes first. Colour
// components: white by default, a colour's own, CUSTOM's stored ones, and an unknown colour
// keeps the last.
TEST_F(TextFrameTest, ShapesRecordTheirOutlineAndTheirColoursComponents) {
  const float PX = 256, PY = 320;
  struct Case {
    int type;
    float size;
    int color;                  // set with alpha 77 unless -1
    std::vector<float> outline; // points, radius, rotation, left, top
    std::vector<int> rgba;
  } cases[] = {
      {ks::SQUARE, 24, -1, {4, 12, 45, PX + 12, PY - 24 / 1.75f}, {255, 255, 255, 255}},
      {ks::CIRCLE, 24, ks::MAGENTA, {10, 24, 45, PX - 12, PY - 12}, {255, 0, 255, 77}},
      {ks::CIRCLE, 2.5f, 9, {3, 2.5f, 45, PX - 1.25f, PY - 1.25f}, {255, 0, 255, 77}},
      {ks::CIRCLE, 7.9f, ks::CUSTOM, {7, 7.9f, 45, PX - 3.95f, PY - 3.95f}, {10, 200, 30, 77}},
      {ks::TRIANGLE, 24, -1, {3, 12, 45, PX - 12, PY - 12}, {10, 200, 30, 77}},
      {7, 24, -1, {3, 12, 45, PX - 12, PY - 12}, {10, 200, 30, 77}}, // no such shape: unchanged
  };
  present([] {});
  ks::Shape shape;
  EXPECT_FLOAT_EQ(24.0f, shape.getSize()); // (int)12.8 * font scale 2.0
  for (const Case &c : cases) {
    shape.setShapeType(c.type);
    shape.setSize(c.size);
    if (c.color >= 0)
      shape.setColor(static_cast<ks::Color>(c.color)), shape.setAlpha(77);
    if (c.color == ks::CUSTOM)
      shape.setRGB(10, 200, 30);
    shape.draw(ks::Vector(20, 10));
    const ks::Screen &screen = gm().getScreen();
    ks::ShapeDraw s = screen.getShape(screen.getDraws().back().shape_index);
    EXPECT_EQ(c.outline, (std::vector<float>{static_cast<float>(s.point_count), s.radius,
                                             s.rotation, s.left, s.top}))
        << c.type << " " << c.size;
    EXPECT_EQ(c.rgba, (std::vector<int>{s.r, s.g, s.b, s.a})) << c.type << " " << c.size;
  }
  // The eight colours, and white or the components unchanged for the rest.
  const sf::Color library[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                               sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                               sf::Color::Cyan,   sf::Color::White};
  for (int c = -1; c < 10; c++) {
    bool known = c >= 0 && c < 8;
    EXPECT_EQ(known ? library[c] : sf::Color::White, ks::colorToSFML(static_cast<ks::Color>(c)))
        << c;
    unsigned char r = 10, g = 20, b = 30;
    ks::colorToRGB(static_cast<ks::Color>(c), &r, &g, &b);
    EXPECT_EQ(known ? library[c] : sf::Color(10, 20, 30), sf::Color(r, g, b)) << c;
  }
}
