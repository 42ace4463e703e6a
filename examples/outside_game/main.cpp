// A game built outside the engine's tree: a runner walks right onto a treasure and the game
// ends. Run it where the font ks-font.ttf is, or with no window at all (display:text in
// ks-config.txt): it then prints its last frame.
#include <cstdio>

#include <kestle/Kestle.h>

namespace {

/// A character drawn at its cell; SOFT, so the world manager reports its collisions.
class Thing : public ks::Object {
public:
  Thing(std::string init_type, char init_ch, ks::Vector where) : ch(init_ch) {
    setType(init_type);
    setSolidness(ks::SOFT);
    setPosition(where);
  }
  void draw() override { ks::GraphicsManager::getInstance().drawCh(ch, ks::YELLOW, getPosition()); }

private:
  char ch; ///< the character drawn
};

/// Walks right one cell per step; touching anything ends the game.
class Runner : public Thing {
public:
  Runner() : Thing("Runner", '@', ks::Vector(10, 12)) { setVelocity(ks::Vector(1, 0)); }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::COLLISION_EVENT)
      return Thing::eventHandler(p_e);
    ks::GameManager &game = ks::GameManager::getInstance();
    ks::LogManager::getInstance().writeLog("Runner: found the treasure at step %d.",
                                           game.getStepCount());
    game.setGameOver();
    return 1;
  }
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  new Runner;
  new Thing("Treasure", '$', ks::Vector(40, 12));
  game.run();
  if (ks::Configuration::getInstance().getDisplay() == "text")
    for (const std::string &line : ks::GraphicsManager::getInstance().getLastFrame().getLines())
      puts(line.c_str());
  game.shutDown();
  return 0;
}
