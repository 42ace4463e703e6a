// The scripted keyboard and mouse send what the input manager would, in its order.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Controls.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "Object.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace {

/// Writes down every keyboard and mouse event as a short text.
class Recorder : public ks::Object {
public:
  Recorder() {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::KEYBOARD_EVENT);
    registerInterest(ks::MOUSE_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::KEYBOARD_EVENT) {
      const auto *p_k = static_cast<const ks::EventKeyboard *>(p_e);
      const char *names[] = {"pressed", "released", "down"};
      seen.push_back(std::string(names[p_k->getKeyboardAction()]) + " " +
                     std::to_string(p_k->getKey()));
      return 1;
    }
    const auto *p_m = static_cast<const ks::EventMouse *>(p_e);
    const char *names[] = {"clicked", "pressed", "moved"};
    char text[64];
    snprintf(text, sizeof text, "%s %d %.2f,%.2f", names[p_m->getMouseAction()],
             p_m->getMouseButton(), p_m->getMousePosition().getX(), p_m->getMousePosition().getY());
    seen.push_back(text);
    return 1;
  }
  /// What arrived since the last call.
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(seen);
    return out;
  }

private:
  std::vector<std::string> seen;
};

class ControlsTest : public testing::Test {
protected:
  void SetUp() override {
    kstest::startHeadless("log");
    p_recorder = new Recorder;
  }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  Recorder *p_recorder = nullptr; ///< world-owned
  play::Controls controls;
};

std::string key(const char *action, int k) {
  return std::string(action) + " " + std::to_string(k);
}

TEST_F(ControlsTest, KeysArePressedOnceHeldEveryStepAndReleasedOnce) {
  controls.press(ks::RIGHTARROW);
  controls.tap(ks::UPARROW);
  controls.deliver();
  // Window events first, then the held keys in polling order (up before right).
  EXPECT_EQ(p_recorder->take(),
            (std::vector<std::string>{key("pressed", ks::RIGHTARROW), key("pressed", ks::UPARROW),
                                      key("down", ks::UPARROW), key("down", ks::RIGHTARROW)}));
  controls.deliver();
  EXPECT_EQ(p_recorder->take(),
            (std::vector<std::string>{key("released", ks::UPARROW), key("down", ks::RIGHTARROW)}));
  controls.press(ks::RIGHTARROW); // already down: no second press
  controls.deliver();
  EXPECT_EQ(p_recorder->take(), (std::vector<std::string>{key("down", ks::RIGHTARROW)}));
  controls.release(ks::RIGHTARROW);
  controls.release(ks::RIGHTARROW);
  controls.deliver();
  EXPECT_EQ(p_recorder->take(), (std::vector<std::string>{key("released", ks::RIGHTARROW)}));
  controls.deliver();
  EXPECT_TRUE(p_recorder->take().empty());
  EXPECT_EQ(controls.pressCount(ks::RIGHTARROW), 1);
}

TEST_F(ControlsTest, AClickMovesThePointerThenClicksAndHoldsForTheStep) {
  controls.press(ks::Q);
  controls.click(ks::LEFT, ks::Vector(3.5f, 4.25f));
  controls.deliver();
  EXPECT_EQ(
      p_recorder->take(),
      (std::vector<std::string>{key("pressed", ks::Q), "moved -1 3.50,4.25", "clicked 0 3.50,4.25",
                                "pressed 0 3.50,4.25", key("down", ks::Q)}));
  // The pointer did not move: no MOVED; the right button alone names itself.
  controls.click(ks::RIGHT, ks::Vector(3.5f, 4.25f));
  controls.deliver();
  EXPECT_EQ(
      p_recorder->take(),
      (std::vector<std::string>{"clicked 1 3.50,4.25", "pressed 1 3.50,4.25", key("down", ks::Q)}));
  controls.movePointer(ks::Vector(1, 2));
  controls.deliver();
  EXPECT_EQ(p_recorder->take(),
            (std::vector<std::string>{"moved -1 1.00,2.00", key("down", ks::Q)}));
}

TEST_F(ControlsTest, WindowCellsSelectTheCellTheReticleDigs) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  for (ks::Vector corner : {ks::Vector(0, 0), ks::Vector(10.5f, 2.25f), ks::Vector(219, 7.9f)}) {
    wm.setView(ks::Box(corner, 80, 24));
    int x = static_cast<int>(corner.getX()) + 40, y = 14;
    ks::Vector m = play::windowCell(x, y);
    // Truncated separately, as the reticle does, and as drawn: both in cell (x, y).
    EXPECT_EQ(static_cast<int>(m.getX()) + static_cast<int>(corner.getX()), x);
    EXPECT_EQ(static_cast<int>(m.getY()) + static_cast<int>(corner.getY()), y);
    EXPECT_EQ(std::floor(m.getX() + corner.getX()), x);
    EXPECT_EQ(std::floor(m.getY() + corner.getY()), y);
    ks::Vector world(static_cast<float>(x), static_cast<float>(y));
    EXPECT_EQ(play::toWindow(world), world - corner);
  }
}

} // namespace
