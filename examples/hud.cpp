// Heads-up display: view objects stay put on the screen and change their value when an
// "ks::view" event with their label arrives. Ends by itself after about four seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include <string>

#include "EventStep.h"
#include "EventView.h"
#include "GameManager.h"
#include "Object.h"
#include "ViewObject.h"
#include "WorldManager.h"

namespace {

/// Stands in for a game: scores points now and then and counts the time down.
class Scorer : public ks::Object {
public:
  Scorer() {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return ks::Object::eventHandler(p_e);
    int step = static_cast<const ks::EventStep *>(p_e)->getStepCount();
    ks::WorldManager &world = ks::WorldManager::getInstance();
    // "ks::view" goes through the world manager to every view object; only those whose label
    // equals the tag react. delta true adds to the value, false sets it.
    if (step % 10 == 0) {
      ks::EventView points("Score", 10, true);
      world.onEvent(&points);
    }
    ks::EventView time_left("Time", (120 - step) / 30, false);
    world.onEvent(&time_left);
    if (step >= 120)
      ks::GameManager::getInstance().setGameOver();
    return 1;
  }
};

/// A view object that shows its label only (setDrawValue is for subclasses).
class Label : public ks::ViewObject {
public:
  explicit Label(std::string text) {
    setViewString(text);
    setDrawValue(false);
  }
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  // The world manager owns the view objects like any other object.
  ks::ViewObject *p_score = new ks::ViewObject;
  p_score->setViewString("Score");
  p_score->setLocation(ks::TOP_RIGHT);
  p_score->setColor(ks::YELLOW);

  ks::ViewObject *p_time = new ks::ViewObject;
  p_time->setViewString("Time");
  p_time->setLocation(ks::TOP_LEFT);
  p_time->setValue(4);

  Label *p_title = new Label("HUD example");
  p_title->setLocation(ks::CENTER_CENTER);
  p_title->setColor(ks::GREEN);

  new Scorer;
  game.run();
  game.shutDown();
  return 0;
}
