// The shortest complete game: steer the @ with the arrow keys onto the $ to win.
// Q quits; the game also ends by itself after about seven seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Object.h"

namespace {

/// A character drawn at its cell; solid, so that the world manager reports collisions.
class Thing : public ks::Object {
public:
  Thing(std::string init_type, char init_ch, ks::Vector where) : ch(init_ch) {
    setType(init_type);
    setSolidness(ks::SOFT); // collides, but never blocks
    setPosition(where);
  }
  void draw() override { ks::GraphicsManager::getInstance().drawCh(ch, ks::YELLOW, getPosition()); }

private:
  char ch; ///< the character drawn
};

class Player : public Thing {
public:
  Player() : Thing("Player", '@', ks::Vector(10, 12)) {
    registerInterest(ks::KEYBOARD_EVENT);
    registerInterest(ks::STEP_EVENT);
  }

  int eventHandler(const ks::Event *p_e) override {
    ks::GameManager &game = ks::GameManager::getInstance();
    if (p_e->getType() == ks::KEYBOARD_EVENT) {
      const auto *p_key = static_cast<const ks::EventKeyboard *>(p_e);
      if (p_key->getKeyboardAction() == ks::KEY_RELEASED)
        return 1;
      // KEY_PRESSED once, then KEY_DOWN every step while held.
      int key = p_key->getKey();
      ks::Vector move; // (0, 0) for other keys
      if (key == ks::LEFTARROW)
        move = ks::Vector(-1, 0);
      else if (key == ks::RIGHTARROW)
        move = ks::Vector(1, 0);
      else if (key == ks::UPARROW)
        move = ks::Vector(0, -1);
      else if (key == ks::DOWNARROW)
        move = ks::Vector(0, 1);
      else if (key == ks::Q)
        game.setGameOver();
      setVelocity(move); // applied by the world manager in this step's update
      return 1;
    }
    if (p_e->getType() == ks::COLLISION_EVENT) {
      ks::LogManager::getInstance().writeLog("Player: found the treasure!");
      game.setGameOver();
      return 1;
    }
    if (p_e->getType() == ks::STEP_EVENT) {
      setVelocity(ks::Vector()); // stop unless a key is held
      if (static_cast<const ks::EventStep *>(p_e)->getStepCount() > 200)
        game.setGameOver();
      return 1;
    }
    return Thing::eventHandler(p_e);
  }
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  new Player;
  new Thing("Treasure", '$', ks::Vector(60, 12));
  game.run();
  game.shutDown();
  return 0;
}
