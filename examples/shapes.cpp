// Shapes: besides characters, every object can show one filled circle, square or triangle
// at its position. Three shapes drift across the window; ends after about four seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include "EventOut.h"
#include "EventStep.h"
#include "GameManager.h"
#include "Object.h"
#include "Shape.h"

namespace {

/// An object drawn as nothing but its shape.
class Blob : public ks::Object {
public:
  Blob(ks::ShapeType shape_type, ks::Color color, ks::Vector where, ks::Vector velocity) {
    setSolidness(ks::SPECTRAL); // shapes don't collide by themselves; keep them apart
    setPosition(where);
    setVelocity(velocity);
    ks::Shape &look = getShape(); // Object::draw() draws it after the sprite (none here)
    look.setShapeType(shape_type);
    look.setColor(color);
    look.setSize(30.0f); // pixels
    look.setAlpha(200);  // a little see-through
  }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::OUT_EVENT) { // wrap around to the other side
      ks::Vector p = getPosition();
      setPosition(ks::Vector(p.getX() < 0 ? 79.0f : 0.0f, p.getY()));
      return 1;
    }
    return ks::Object::eventHandler(p_e);
  }
};

/// Ends the game loop after 120 steps.
class Timer : public ks::Object {
public:
  Timer() {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return ks::Object::eventHandler(p_e);
    if (static_cast<const ks::EventStep *>(p_e)->getStepCount() >= 120)
      ks::GameManager::getInstance().setGameOver();
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
  new Blob(ks::CIRCLE, ks::RED, ks::Vector(10, 6), ks::Vector(0.5f, 0));
  new Blob(ks::SQUARE, ks::GREEN, ks::Vector(40, 12), ks::Vector(-0.4f, 0));
  new Blob(ks::TRIANGLE, ks::BLUE, ks::Vector(60, 18), ks::Vector(0.3f, 0));
  new Timer;
  game.run();
  game.shutDown();
  return 0;
}
