// A scrolling view: the world is wider than the window, and the view follows a runner as it
// crosses it. Ends when the runner leaves the world, after about seven seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include <string>

#include "EventOut.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Object.h"
#include "WorldManager.h"

namespace {

const int WORLD_WIDTH = 200;

/// A milestone on the ground, at a world position. The world manager draws only the objects
/// in the view, so milestones come and go as the view scrolls.
class Milestone : public ks::Object {
public:
  explicit Milestone(int x) : label(std::to_string(x)) {
    setSolidness(ks::SPECTRAL);
    setPosition(ks::Vector(float(x), 12));
  }
  void draw() override {
    ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
    gm.drawCh('|', ks::CYAN, getPosition());
    gm.drawString(getPosition() + ks::Vector(0, 1), label, ks::LEFT_JUSTIFIED, ks::CYAN);
  }

private:
  std::string label; ///< the distance written under the mark
};

/// Runs to the right; the game ends when it leaves the world.
class Runner : public ks::Object {
public:
  Runner() {
    setSolidness(ks::SPECTRAL);
    setPosition(ks::Vector(5, 11));
    setVelocity(ks::Vector(1, 0));
  }
  void draw() override {
    ks::GraphicsManager::getInstance().drawCh('>', ks::YELLOW, getPosition());
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::OUT_EVENT) {
      ks::GameManager::getInstance().setGameOver();
      return 1;
    }
    return ks::Object::eventHandler(p_e);
  }
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  ks::WorldManager &world = ks::WorldManager::getInstance();
  // Start-up made the world as big as the window; make it wider. The view keeps the
  // window's size and is kept inside the world.
  world.setBoundary(ks::Box(ks::Vector(0, 0), float(WORLD_WIDTH), 24));
  for (int x = 0; x < WORLD_WIDTH; x += 10)
    new Milestone(x);
  // Scrolling starts once the runner leaves the middle third of the view (the view slack).
  world.setViewFollowing(new Runner);
  game.run();
  game.shutDown();
  return 0;
}
