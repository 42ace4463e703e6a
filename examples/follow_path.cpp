// Path finding: a walker asks the path manager for a route to a goal behind a wall and
// follows it cell by cell. The search runs a little each step, within half a frame time.
// Ends when the walker arrives, or after about eight seconds.
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Object.h"
#include "PathManager.h"
#include "WorldManager.h"

namespace {

/// One character drawn at the object's cell.
class Glyph : public ks::Object {
public:
  Glyph(char init_ch, ks::Color init_color, ks::Vector where, ks::Solidness solid)
      : ch(init_ch), color(init_color) {
    setType(std::string(1, init_ch));
    setSolidness(solid); // only HARD objects block a path
    setPosition(where);
  }
  void draw() override { ks::GraphicsManager::getInstance().drawCh(ch, color, getPosition()); }

private:
  char ch;         ///< the character drawn
  ks::Color color; ///< its colour
};

/// Ends the game when the walker has arrived (or the time is up).
class Referee : public ks::Object {
public:
  /// `p_init_walker` belongs to the world manager; it lives as long as this object.
  Referee(ks::Object *p_init_walker, ks::Vector init_goal)
      : p_walker(p_init_walker), goal(init_goal) {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return ks::Object::eventHandler(p_e);
    ks::Vector d = p_walker->getPosition() - goal;
    if (d.getMagnitude() < 0.5f || static_cast<const ks::EventStep *>(p_e)->getStepCount() > 240)
      ks::GameManager::getInstance().setGameOver();
    return 1;
  }

private:
  ks::Object *p_walker; ///< the object watched (not owned)
  ks::Vector goal;      ///< where it should arrive
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  // A wall from the top of the window almost to the bottom, with a gap below it.
  for (int y = 0; y < 18; y++)
    new Glyph('#', ks::RED, ks::Vector(40, static_cast<float>(y)), ks::HARD);
  ks::Vector goal(60, 5);
  new Glyph('*', ks::YELLOW, goal, ks::SPECTRAL);
  // The walker is spectral so that brushing a wall corner on a diagonal doesn't stop it.
  Glyph *p_walker = new Glyph('@', ks::GREEN, ks::Vector(20, 5), ks::SPECTRAL);
  // Path following steers but keeps the object's speed, so give it one (and a first heading).
  p_walker->setVelocity(ks::Vector(0.5f, 0));
  p_walker->setAltitude(3); // drawn over the goal
  // The search runs in the next steps; when it ends, a "ks::path" event with the route goes
  // to the walker, whose base Object::eventHandler starts following it.
  ks::PathManager::getInstance().findPath(p_walker, goal);
  new Referee(p_walker, goal);
  game.run();
  game.shutDown();
  return 0;
}
