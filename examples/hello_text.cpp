// Hello, text: the smallest program that opens a window and draws a string.
// Any key quits; so does waiting about three seconds (90 steps of 33 ms).
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Object.h"
#include "WorldManager.h"

namespace {

/// Draws a greeting in the middle of the window and ends the game loop.
class Greeting : public ks::Object {
public:
  Greeting() {
    setType("Greeting");
    setSolidness(ks::SPECTRAL); // never collides with anything
    // Step events come from the game manager, key events from the input manager.
    registerInterest(ks::STEP_EVENT);
    registerInterest(ks::KEYBOARD_EVENT);
    ks::Box view = ks::WorldManager::getInstance().getView();
    setPosition(ks::Vector(view.getHorizontal() / 2, view.getVertical() / 2));
  }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::KEYBOARD_EVENT) {
      ks::GameManager::getInstance().setGameOver();
      return 1;
    }
    if (p_e->getType() == ks::STEP_EVENT) {
      const auto *p_step = static_cast<const ks::EventStep *>(p_e);
      if (p_step->getStepCount() >= 90)
        ks::GameManager::getInstance().setGameOver();
      return 1;
    }
    return ks::Object::eventHandler(p_e);
  }

  // The world manager calls draw() once per step for every visible object in the view.
  void draw() override {
    ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
    gm.drawString(getPosition(), "Hello, Kestle!", ks::CENTER_JUSTIFIED, ks::YELLOW);
    gm.drawString(getPosition() + ks::Vector(0, 2), "press any key", ks::CENTER_JUSTIFIED,
                  ks::WHITE);
  }
};

} // namespace

int main() {
  // Reads ks-config.txt (if any), opens kestle.log, the window and the other managers.
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  new Greeting; // the world manager owns every object from its construction on
  game.run();   // returns after the step in which game over was set
  game.shutDown();
  return 0;
}
