// Bouncing sprites: two balls with an animated sprite built in code, moving by velocity,
// bouncing off the window's edges ("ks::out") and off each other ("ks::collision").
// Ends by itself after about five seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include "EventCollision.h"
#include "EventOut.h"
#include "EventStep.h"
#include "GameManager.h"
#include "Object.h"
#include "Sprite.h"
#include "WorldManager.h"

namespace {

class Ball : public ks::Object {
public:
  /// `p_ball_sprite` is not owned: it must outlive the ball.
  Ball(ks::Sprite *p_ball_sprite, ks::Vector start, ks::Vector velocity) {
    setType("Ball");
    setSprite(p_ball_sprite); // the box becomes the sprite's size, centred on the position
    setSpriteSlowdown(4);     // next animation frame every 4 steps
    setPosition(start);
    setVelocity(velocity); // cells per step; the world manager moves the ball every step
  }

  int eventHandler(const ks::Event *p_e) override {
    // Sent when the ball has just left the world: turn back towards the inside.
    if (p_e->getType() == ks::OUT_EVENT) {
      ks::Box world = ks::WorldManager::getInstance().getBoundary();
      ks::Vector v = getVelocity(), p = getPosition();
      if (p.getX() < 0 || p.getX() > world.getHorizontal())
        v.setX(-v.getX());
      if (p.getY() < 0 || p.getY() > world.getVertical())
        v.setY(-v.getY());
      setVelocity(v);
      return 1;
    }
    // Two HARD objects can't overlap: the move was refused, so head back.
    if (p_e->getType() == ks::COLLISION_EVENT) {
      ks::Vector v = getVelocity();
      v.scale(-1);
      setVelocity(v);
      return 1;
    }
    return ks::Object::eventHandler(p_e);
  }
};

/// Ends the game loop after `steps` steps.
class Timer : public ks::Object {
public:
  explicit Timer(int init_steps) : steps(init_steps) {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::STEP_EVENT && --steps <= 0)
      ks::GameManager::getInstance().setGameOver();
    return 1;
  }

private:
  int steps; ///< steps left
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  // A sprite in code: two 3x3 frames, rows concatenated. It must outlive the balls, which
  // only point at it; shutDown() below deletes them while it still exists.
  ks::Sprite ball_sprite(2);
  ball_sprite.setWidth(3);
  ball_sprite.setHeight(3);
  ball_sprite.setColor(ks::CYAN);
  ball_sprite.addFrame(ks::Frame(3, 3, "/-\\| |\\-/"));
  ball_sprite.addFrame(ks::Frame(3, 3, "\\|/- -/|\\"));
  new Ball(&ball_sprite, ks::Vector(10, 5), ks::Vector(0.8f, 0.4f));
  new Ball(&ball_sprite, ks::Vector(60, 15), ks::Vector(-0.6f, 0.5f));
  new Timer(150);
  game.run();
  game.shutDown();
  return 0;
}
